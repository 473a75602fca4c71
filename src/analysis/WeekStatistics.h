#pragma once

#include "store/TrainingFile.h"

#include <QList>
#include <QString>
#include <QStringList>

// The pick lists the analyses name types by: the cardio types (matched by text) and
// the types of training (by stored index).
struct AnalysisTypeLists {
    QStringList cardioTypes;
    QStringList trainingTypes;
};

// The sums of one analysis. Float sums are rounded to single precision after every
// addition, as the stored values are singles.
struct TrainingTotals {
    float duration = 0;
    qint64 sets = 0;
    qint64 reps = 0;
    qint64 bodyweightReps = 0;
    float weight = 0;
    float cardioDuration = 0;
    qint64 calories = 0;
    // Counts by type index; index 0 (the lists' first item) is never counted. The
    // tables grow with the largest index met.
    QList<qint64> cardioTypeCounts;
    QList<qint64> trainingTypeCounts;

    void add(const WorkoutRecord &record, const QStringList &cardioTypes);
    // Sets, reps and weights of exercise rows only (the densities count no more).
    void addExercises(const QList<ExerciseEntry> &rows);
    // One exercise row; a body-weight row counts its reps apart from the weight.
    void addExercise(qint64 rowSets, qint64 rowReps, float rowWeight, bool bodyweight);
    // The lines from "Total duration:" to the last "Types of traning:" line; the
    // average sets per day divide by workouts.
    QString text(qint64 workouts, const AnalysisTypeLists &lists) const;
};

// The index of a cardio type: the first list item equal to it, or the list's size.
int cardioTypeIndex(const QStringList &cardioTypes, const QString &type);

// Lines first..last of the week holding line s of the list of past workouts: the
// lines between the separators around it; a selected separator means the week below it.
struct WeekRange {
    int first = 0;
    int last = -1;
    int workouts() const { return last - first + 1; }
};
WeekRange WeekBounds(const QStringList &lines, int s);

// The week analysis of the week holding line s. Raises FortavoError when that week
// holds no workout line, IoError when a record cannot be read.
QString WeekStatistics(TrainingFile &file, const QStringList &lines, int s, const AnalysisTypeLists &lists);

// The analysis of all workouts of the list; a null text when the list holds none.
QString trainingPeriodAnalysis(TrainingFile &file, const QStringList &lines, const AnalysisTypeLists &lists,
                               const ProgressCallback &progress = {});

// Every week's analysis in list order, each followed by two empty lines: the content
// of the statistics export.
QString allWeekStatistics(TrainingFile &file, const QStringList &lines, const AnalysisTypeLists &lists,
                          const ProgressCallback &progress = {});
