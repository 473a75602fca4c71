#pragma once

#include "store/TrainingFile.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// What the progress view and `fortavo-cli records`/`progress` show, collected in one
// pass over the training file. Days are day counts (whole days since 30 December 1899).

// One workout that has the exercise.
struct ExercisePoint {
    int day = 0;             // the workout's date
    int record = 0;          // its record index in the training file
    float bestOneRm = 0;     // best expected 1RM of its rows with a weight above 0; 0 when none
    float heaviest = 0;      // heaviest weight of its rows; 0 when all are body weight
    int heaviestReps = 0;    // the most reps done with that weight in the workout
    float volume = 0;        // sum of sets × reps × weight over its rows
};

// The value a chart shows for a point.
enum class ProgressMeasure { OneRm, Weight, Volume };
float measureValue(const ExercisePoint &point, ProgressMeasure measure);

// One exercise. Names that differ only in case are one exercise; its display name is the
// catalogue's spelling when the catalogue has it, otherwise the first spelling met in
// record order.
struct ExerciseSeries {
    QString name;
    QList<ExercisePoint> points; // by date; workouts of one date in record order
};

// One record mark: the best value, where it was set and the row it came from.
// Of equal values the one of the earlier date counts (of one date, the lower record).
struct RecordMark {
    float value = 0;
    int day = 0;
    int record = -1; // -1: no such record
    float weight = 0; // the row's weight (expected 1RM and heaviest weight)
    int reps = 0;     // the row's reps (expected 1RM, heaviest weight, body weight)
    bool isSet() const { return record >= 0; }
};

// One row of the records table.
struct ExerciseRecords {
    QString name;
    RecordMark bestOneRm;      // value: expected 1RM; weight × reps of the row
    RecordMark heaviest;       // value: the weight; reps: the most done with it that workout
    RecordMark bodyweightReps; // value: the reps of one body-weight row (weight 0, reps > 0)
    RecordMark bestVolume;     // value: the workout's sets × reps × weight over the exercise's rows
};

// One calendar week (Monday to Sunday) that has at least one workout.
struct WeekTotals {
    int firstDay = 0;            // the Monday
    QList<float> volumeByBodypart; // index as ProgressData::bodyparts; sets × reps × weight
    int workouts = 0;
    qint64 minutes = 0;          // sum of the workouts' durations (each whole hours × 60 + minutes)
    float volume() const;        // over all body parts
};

struct ProgressData {
    // Every exercise of the catalogue and of the file, sorted by name without regard to
    // case; a catalogue exercise never done has no points.
    QList<ExerciseSeries> exercises;
    // One row per exercise done in at least one workout, in the order of `exercises`.
    QList<ExerciseRecords> records;
    // The workouts' body part texts in order of first appearance ("" for none).
    QStringList bodyparts;
    QList<WeekTotals> weeks; // by date

    // Index in `exercises` of the exercise of that name (any case); -1 when none.
    int findExercise(const QString &name) const;
    // Index in `records`; -1 when none.
    int findRecords(const QString &name) const;
};

// Reads every record once. Raises IoError when the file fails.
ProgressData CollectProgress(TrainingFile &file, const QStringList &catalogueNames,
                             const ProgressCallback &progress = {});

// The Monday of the week of a day.
int weekStartDay(int day);

// The chart ranges, relative to today.
enum class ProgressRange { LastThreeMonths, LastYear, All };
// The first day of the range: 3 months / 1 year before today (same day of the month;
// the last day of a shorter month); INT_MIN for All.
int rangeFirstDay(ProgressRange range, const QDate &today);
// The points with fromDay <= day <= toDay; the weeks that have a day in that span.
QList<ExercisePoint> pointsBetween(const QList<ExercisePoint> &points, int fromDay, int toDay);
QList<WeekTotals> weeksBetween(const QList<WeekTotals> &weeks, int fromDay, int toDay);
