#pragma once

#include "common/UserPrompts.h"
#include "store/TrainingFile.h"

#include <QStringList>

// What the commands of the analyses, exports and the exercise analysis reach of the
// main window: the open training file, its list of past workouts with the selected
// line, the save position, the workout in the form and the prompts. The main window
// implements it with its widgets; fortavo-cli and the tests without any.
class WorkoutSession {
public:
    virtual ~WorkoutSession() = default;

    // Raises IoError when no training file is open.
    virtual TrainingFile &trainingFile() = 0;
    virtual QStringList workoutLines() const = 0;
    virtual int selectedLine() const = 0; // -1 when nothing is selected
    virtual int currentRecordIndex() const = 0;
    // The form read back as a record, as a save would store it; raises ConversionError.
    virtual WorkoutRecord formWorkout() = 0;
    // The cell texts (columns 0..5) of the editor's exercise rows, as they stand.
    virtual QList<QStringList> exerciseGridRows() = 0;
    virtual QStringList trainingTypes() const = 0;
    virtual QStringList cardioTypes() const = 0;
    virtual QString templateFileName() const = 0;
    virtual UserPrompts &prompts() = 0;
    // A callback that shows the progress of a long operation under this label; the
    // operation ends with done == total.
    virtual ProgressCallback progress(const QString &label) = 0;
};
