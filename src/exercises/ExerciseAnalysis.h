#pragma once

#include "store/TrainingFile.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// The expected one-repetition maximum of a set: weight × 36 ÷ (37 − reps) up to 20
// repetitions, weight × 2.1 above; computed in extended precision, rounded to a single.
float EstimateOneRm(quint8 reps, float weight);

// Names of the training file's rows match the catalogue name without regard to case.
bool exerciseNameMatches(const QString &rowName, const QString &lowerName);

// What one pass over the training file collects about one exercise.
struct ExerciseUsage {
    static constexpr int MaxReps = 50;    // the maximum weight table covers 1..50 reps
    static constexpr int MaxPoints = 40;  // the graph fits 40 points

    int workouts = 0;
    int sets = 0;
    float reps = 0; // sum of sets × reps, rounded to a single after each addition
    std::array<float, MaxReps> maxWeight; // index r−1: highest weight with r reps, −1 if none
    QString firstDate, lastDate;          // short date texts of the first and last record using it
    QList<float> oneRmPoints;             // best expected 1RM of each workout above 0: the most recent 40
    QStringList pointDates;               // the date of each point
    bool pointsDropped = false;           // older points did not fit

    ExerciseUsage() { maxWeight.fill(-1.0f); }
};

// Reads every record of the file in order. Raises IoError when the file fails.
ExerciseUsage CollectExerciseUsage(TrainingFile &file, const QString &name);

// The highest expected 1RM over the maximum weight table.
float BestExpectedOneRm(const ExerciseUsage &usage);

// The analysis text with CRLF line ends. An exercise that was never used has no
// average: that raises FortavoError.
QString ExerciseAnalysisText(const ExerciseUsage &usage);

// The whole analysis of one exercise: text and the graph's data.
struct ExerciseAnalysis {
    QString text; // CRLF line ends
    // The graph's dates: the first and last use of the exercise; when older points were
    // dropped, the first date is that of the first point shown.
    QString firstDate, lastDate;
    QList<float> oneRmPoints;
};
// Raises FortavoError (IoError from the file) when the data cannot all be collected.
ExerciseAnalysis AnalyseExercise(TrainingFile &file, const QString &name);

// The window's warning for any failure of the analysis.
inline const QString UnableToCollectMessage = QStringLiteral("Unable to collect all data.");

// The titles of the usage grid's columns.
inline const QStringList UsageTitles = {QStringLiteral("#"), QStringLiteral("Exercise name"),
                                        QStringLiteral("Type of execution"), QStringLiteral("Number of sets"),
                                        QStringLiteral("Number of reps"), QStringLiteral("Weight used")};
// The rows of the usage grid: the exercise's rows in the last `count` records, newest
// record first. Columns: "k.", name, type of execution, sets, reps, weight ("BW" for 0).
QList<QStringList> ExerciseUsageRows(TrainingFile &file, const QString &name, int count);
