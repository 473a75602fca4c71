#pragma once

#include "scriptdata/ShownWorkout.h"
#include "store/WorkoutRecord.h"

#include <QList>

#include <functional>

class HeadlessSession;

// The editor without windows, for fortavo-cli and the tests: texts and cells filled
// from a record by the same rules as the main window's form, over the session's
// training file, list and selection. Starts empty; the fields are public so a test
// can type into them as a user types into the form.
class HeadlessShownWorkout : public ShownWorkout {
public:
    explicit HeadlessShownWorkout(HeadlessSession &session) : m_session([&session]() -> HeadlessSession & { return session; }) {}
    // The session is asked for on first use, so a script that reads no training data
    // needs no training file.
    explicit HeadlessShownWorkout(std::function<HeadlessSession &()> session) : m_session(std::move(session)) {}

    QString dateText;
    QString timeText;
    QString durationText = QStringLiteral("00:00");
    QString bodypart;
    QString trainingType;
    QString comment;
    QList<QStringList> cardioRows;   // cells of columns 0..5
    QList<QStringList> exerciseRows; // cells of columns 0..5

    // Fills the texts and cells from a stored workout; the type of training is the
    // item of the session's type list, empty beyond it.
    void show(const WorkoutRecord &record);

    TrainingFile &trainingFile() override;
    QStringList workoutLines() const override;
    int selectedLine() const override;
    QString shownDateText() const override { return dateText; }
    QString shownTimeText() const override { return timeText; }
    QString shownDurationText() const override { return durationText; }
    QString shownBodypart() const override { return bodypart; }
    QString shownTrainingType() const override { return trainingType; }
    QString shownComment() const override { return comment; }
    int shownCardioCount() const override { return int(cardioRows.size()); }
    QString shownCardioCell(int row, int column) const override { return cell(cardioRows, row, column); }
    int shownExerciseCount() const override { return int(exerciseRows.size()); }
    QString shownExerciseCell(int row, int column) const override { return cell(exerciseRows, row, column); }
    // Shows record n and makes it the session's workout and save position.
    void loadShownWorkout(int n) override;

private:
    static QString cell(const QList<QStringList> &rows, int row, int column);
    std::function<HeadlessSession &()> m_session;
};
