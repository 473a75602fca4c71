#pragma once

#include "TestPrompts.h"
#include "store/RowTexts.h"
#include "store/WorkoutList.h"
#include "store/WorkoutSession.h"

// A session without windows for tests of the commands: a training file the test
// opens, its list built from the file, a selected line and a form workout the test sets.
class FakeSession : public WorkoutSession {
public:
    TrainingFile file;
    QStringList lines;
    int selected = -1;
    int current = 0;
    WorkoutRecord form;
    QStringList types = {QString(), QStringLiteral("Light"), QStringLiteral("Heavy"), QStringLiteral("Volume"),
                         QStringLiteral("Experimental")};
    QStringList cardio = {QString(), QStringLiteral("Running"), QStringLiteral("Cycling"), QStringLiteral("Swimming"),
                          QStringLiteral("Jumprope"), QStringLiteral("Walking")};
    QString templateFile = QStringLiteral("template.html");
    TestPrompts testPrompts;
    QStringList progressLabels;

    // Opens (or creates) the file and builds its list.
    void open(const QString &path)
    {
        file.open(path);
        refresh();
    }
    void refresh() { lines = WorkoutList::build(file, types); }
    // Selects the line of record n and makes it the save position.
    void selectRecord(int n)
    {
        selected = WorkoutList::lineOfRecord(lines, n);
        current = n;
    }

    TrainingFile &trainingFile() override { return file; }
    QStringList workoutLines() const override { return lines; }
    int selectedLine() const override { return selected; }
    int currentRecordIndex() const override { return current; }
    WorkoutRecord formWorkout() override { return form; }
    // The grid as the form's rows show it, unless a test sets other cell texts.
    QList<QStringList> gridRows;
    QList<QStringList> exerciseGridRows() override
    {
        if (!gridRows.isEmpty())
            return gridRows;
        QList<QStringList> rows;
        for (const ExerciseEntry &e : form.Exercises)
            rows << RowTexts::exerciseCells(e, int(rows.size()) + 1);
        return rows;
    }
    QStringList trainingTypes() const override { return types; }
    QStringList cardioTypes() const override { return cardio; }
    QString templateFileName() const override { return templateFile; }
    UserPrompts &prompts() override { return testPrompts; }
    ProgressCallback progress(const QString &label) override
    {
        progressLabels << label;
        return {};
    }
};
