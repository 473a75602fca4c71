#pragma once

#include "common/DayCount.h"
#include "store/TrainingFile.h"
#include "store/WorkoutList.h"
#include "support/WorkoutBuilder.h"

#include <QDate>
#include <QList>

// Small training files written by the tests themselves.
namespace TrainingFixture {
inline ExerciseEntry row(const QString &name, int sets, int reps, float weight)
{
    return WorkoutBuilder::exercise(name, sets, reps, weight);
}

inline WorkoutRecord workout(const QDate &date, const QList<ExerciseEntry> &rows)
{
    return WorkoutBuilder::workout(date, QStringLiteral("Chest"), 0, rows);
}

inline void append(TrainingFile &file, const QDate &date, const QList<ExerciseEntry> &rows)
{
    WorkoutBuilder::append(file, workout(date, rows));
}

// Workout n (from 0) on 1 March 2024 + 2n days holds one row of `name`: 3×8 at a
// weight that rises by 2.5 each time from 60.
inline float risingWeight(int n) { return 60.0f + 2.5f * float(n); }
inline void appendRisingHistory(TrainingFile &file, const QString &name, int workouts)
{
    for (int n = 0; n < workouts; ++n)
        append(file, QDate(2024, 3, 1).addDays(2 * n), {row(name, 3, 8, risingWeight(n))});
}
}

