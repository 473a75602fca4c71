#pragma once

#include "progress/ProgressData.h"

#include <QStringList>

// The records table as texts, for `fortavo-cli records` and the progress view: the
// column titles and one row of cells per exercise. A record not set has empty cells;
// dates are short dates, the computed values (expected 1RM, volume) have two decimals
// and a stored weight is written as the workout shows it.
QStringList recordsTableTitles();
QStringList recordsTableRow(const ExerciseRecords &records);
// "100 × 5"
QString weightTimesReps(float weight, int reps);
