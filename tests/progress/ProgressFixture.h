#pragma once

#include "common/DayCount.h"
#include "support/WorkoutBuilder.h"

#include <QDate>

// Small training files for the progress tests.
namespace ProgressFixture {
inline ExerciseEntry row(const QString &name, int sets, int reps, float weight)
{
    return WorkoutBuilder::exercise(name, sets, reps, weight);
}

inline WorkoutRecord workout(const QDate &date, const QList<ExerciseEntry> &rows,
                             const QString &bodypart = QStringLiteral("Chest"), float duration = 0)
{
    WorkoutRecord r = WorkoutBuilder::workout(date, bodypart, 0, rows);
    r.Duration = duration;
    return r;
}

inline int day(int y, int m, int d)
{
    return int(DayCount::fromDate(QDate(y, m, d)));
}
}
