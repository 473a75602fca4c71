#pragma once

#include "csv/CsvImport.h"

#include <functional>

// The reading of a plan, for the preview's plan and for the import that writes the
// records while it reads.
namespace CsvImport {
// Raised while the records are written as they are made, when those written may not be
// the first of the import after all: a row out of date order once workouts were made
// (its workout may be one of them), or workouts that end up in another order. The
// import then starts again and writes at the end.
struct MadeTooEarly {};

using RecordsMade = std::function<void(const QList<WorkoutRecord> &toAdd)>;

// Reads the CSV into a plan. With made, a workout is made into its records as soon as
// the next one starts while the workouts come in date order, and made is told.
Plan readPlan(const QByteArray &csv, const Options &options, const QSet<QByteArray> &present,
              const QStringList &knownExercises, const RecordsMade &made);
}
