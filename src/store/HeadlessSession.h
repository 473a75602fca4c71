#pragma once

#include "store/WorkoutSession.h"

// The session without windows, for fortavo-cli and the tests: a training file the
// caller opens, its list of past workouts built from the file, and the selected line,
// save position, form workout and type lists the caller sets. Its messages and
// dialogs go to the prompts it is given.
class HeadlessSession : public WorkoutSession {
public:
    explicit HeadlessSession(UserPrompts &prompts) : m_prompts(prompts) {}

    TrainingFile file;
    QStringList lines;
    int selected = -1;
    int current = 0;
    WorkoutRecord form;
    // The cells of the editor's exercise rows; when empty, the form's rows as the grid
    // would show them.
    QList<QStringList> gridRows;
    QStringList types;
    QStringList cardio;
    QString templateFile = QStringLiteral("template.html");

    // Opens (or creates) the file and builds its list.
    void open(const QString &path);
    // Builds the list again from the file.
    void refresh();
    // Selects the line of record n and makes it the save position, as showing that
    // workout in the window does.
    void selectRecord(int n);

    TrainingFile &trainingFile() override { return file; }
    QStringList workoutLines() const override { return lines; }
    int selectedLine() const override { return selected; }
    int currentRecordIndex() const override { return current; }
    WorkoutRecord formWorkout() override { return form; }
    QList<QStringList> exerciseGridRows() override;
    QStringList trainingTypes() const override { return types; }
    QStringList cardioTypes() const override { return cardio; }
    QString templateFileName() const override { return templateFile; }
    UserPrompts &prompts() override { return m_prompts; }
    // No progress is shown.
    ProgressCallback progress(const QString &label) override;

private:
    UserPrompts &m_prompts;
};
