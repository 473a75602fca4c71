#pragma once

#include "csv/CsvTable.h"
#include "store/WorkoutRecord.h"

#include <QSet>
#include <QStringList>

#include <functional>

class ExerciseFile;
class TrainingFile;

// Workouts read from the CSV exports of other workout apps (and from Fortavo's own
// CSV export), grouped, checked against the training file, and appended to it.
namespace CsvImport {

enum class WeightUnit { Kg, Lbs };

struct Options {
    WeightUnit unit = WeightUnit::Kg;
    QStringList trainingTypes; // to read a type of training given by name
    int batchRows = 2048;      // rows read at a time; 0: all at once
};

struct RowProblem {
    int line;
    QString reason;
};

struct Plan {
    QList<WorkoutRecord> toAdd; // in date order; a split workout has several records
    int workoutsToAdd = 0;
    int workoutsFound = 0;
    int skippedAsPresent = 0;
    int workoutsSplit = 0;      // workouts of more than 20 rows of a kind
    QStringList newExercises;   // names of the workouts read that the list lacks
    QList<RowProblem> problems;
    int textsCut = 0;           // texts longer than their field
    int textsWithReplacedCharacters = 0; // characters the code page lacks became "?"
    bool readAsWindows1252 = false;      // the file was not UTF-8
    int restTimerRows = 0;               // rows of a rest timer, no rows at all
    int setsNotDone = 0;                 // planned sets without completed reps
    int durationsCut = 0;                // workout durations beyond 99:59, stored as 99:59
    int workoutsInFuture = 0;            // of those to add, dated after today
    QStringList workoutsLeftOut;         // the workout of a line the file's end cuts
    QStringList columnsByPosition;       // of a header with unknown names
    QStringList unreadWeightColumns;     // columns that look like a weight but are not read

    // What the preview and a dry run show, one finding a line.
    QStringList reportLines() const;
};

// The key that makes two workouts the same: date, start time and rows.
QByteArray workoutKey(const WorkoutRecord &record);
QSet<QByteArray> workoutKeys(TrainingFile &training);

// Reads the CSV text (a batch of rows at a time). Raises ConversionError, saying what
// was expected, when the file is empty, not CSV, or its header names no date column, no
// exercise column or neither reps nor weight.
Plan plan(const QByteArray &csv, const Options &options, const QSet<QByteArray> &present,
          const QStringList &knownExercises);

// Appends the planned workouts after the existing records (one whole-file write that
// replaces the file only once every byte is on the disk) and adds the new exercise
// names to the exercise list.
void apply(const Plan &plan, TrainingFile &training, ExerciseFile *exercises);
// The same; an exercise list that is not open yet is opened at exerciseFileName only
// once the workouts are written and when there are names to add, so a failed import
// creates no list.
void apply(const Plan &plan, TrainingFile &training, ExerciseFile &exercises, const QString &exerciseFileName);

// Plans and applies in one pass, for the command line, which shows no preview: the new
// workouts go to the temporary file as they are read, so the disk takes them while the
// rest is read, and the training file at path is replaced once they are all on it.
// training is the file at path open for writing, or closed when there is none yet;
// new exercise names go to exercises, opened at exerciseFileName when not open.
// beforeWriting sees the plan once it stands, before anything replaces a file: what it
// raises, like a refused CSV, leaves every file as it was.
Plan importWhileReading(const QByteArray &csv, const Options &options, const QString &path, TrainingFile &training,
                        const QStringList &knownExercises, ExerciseFile &exercises, const QString &exerciseFileName,
                        const std::function<void(const Plan &)> &beforeWriting);
}
