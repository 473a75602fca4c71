#pragma once

#include <QString>
#include <QStringList>

class TrainingFile;

// The workout the editor shows, as the script objects "workouts", "cardio" and
// "exercises" read it: the controls' texts and the grids' cells as they stand,
// unsaved edits included. The main window implements it with its widgets; fortavo-cli
// and the tests with a headless form filled by the same record-to-text rules.
class ShownWorkout {
public:
    virtual ~ShownWorkout() = default;

    // Raises IoError when no training file is open.
    virtual TrainingFile &trainingFile() = 0;
    virtual QStringList workoutLines() const = 0;
    virtual int selectedLine() const = 0; // -1 when nothing is selected

    virtual QString shownDateText() const = 0;      // short date format
    virtual QString shownTimeText() const = 0;      // long time format
    virtual QString shownDurationText() const = 0;  // "hh:mm", blanks as spaces
    virtual QString shownBodypart() const = 0;
    virtual QString shownTrainingType() const = 0;
    virtual QString shownComment() const = 0;       // lines joined by CR LF

    // The grids' entries: rows 1..count, cells of columns 0..5.
    virtual int shownCardioCount() const = 0;
    virtual QString shownCardioCell(int row, int column) const = 0;
    virtual int shownExerciseCount() const = 0;
    virtual QString shownExerciseCell(int row, int column) const = 0;

    // Puts record n (from 0) into the editor as opening it from the list does, and
    // makes it the record of the next save; the list and its selection stay.
    // Raises IoError when the record cannot be read.
    virtual void loadShownWorkout(int n) = 0;
};
