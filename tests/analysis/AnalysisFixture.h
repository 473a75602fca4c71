#pragma once

#include "support/TestEnvironment.h"
#include "support/TestPrompts.h"
#include "common/DayCount.h"
#include "store/WorkoutList.h"
#include "store/WorkoutSession.h"
#include "support/FakeSession.h"
#include "support/WorkoutBuilder.h"

#include <QTest>

// The analysis tests' workouts: Bench press working sets, cardio from 7:00, workouts of
// Chest at 18:30.
inline ExerciseEntry exercise(int sets, int reps, float weight, const QString &name = QStringLiteral("Bench press"),
                              const QString &execution = QStringLiteral("Working set"))
{
    return WorkoutBuilder::exercise(name, sets, reps, weight, execution);
}

using WorkoutBuilder::cardio;

inline WorkoutRecord workout(const QDate &date, float duration = 1.0f, int type = 2,
                             const QList<CardioEntry> &cardioRows = {}, const QList<ExerciseEntry> &exercises = {})
{
    WorkoutRecord r = WorkoutBuilder::workout(date, QStringLiteral("Chest"), type, exercises, cardioRows);
    r.StartTime = DayCount::fromTime(QTime(18, 30));
    r.Duration = duration;
    return r;
}

// The headless session, with the progress reports kept and a training file the test writes.
class AnalysisSession : public FakeSession {
public:
    QList<QPair<qint64, qint64>> progressCalls;

    // Writes the records into a new training file of the program folder and lists them.
    void create(const TestEnvironment &env, const QList<WorkoutRecord> &records)
    {
        file.open(env.path(QStringLiteral("workouts.dat")));
        for (const WorkoutRecord &r : records)
            file.WriteRecord(file.RecordCount(), r);
        refresh();
        current = file.RecordCount();
    }
    // Selects the line of record n and makes it the shown workout.
    void show(int n) { selectRecord(n); }

    ProgressCallback progress(const QString &label) override
    {
        progressLabels << label;
        return [this](qint64 done, qint64 total) { progressCalls.append({done, total}); };
    }
};
