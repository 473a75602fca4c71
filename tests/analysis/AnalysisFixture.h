#pragma once

#include "support/TestEnvironment.h"
#include "support/TestPrompts.h"
#include "common/DayCount.h"
#include "store/WorkoutList.h"
#include "store/WorkoutSession.h"
#include "support/FakeSession.h"

#include <QTest>

// Small builders for the workouts of the analysis tests.
inline ExerciseEntry exercise(int sets, int reps, float weight, const QString &name = QStringLiteral("Bench press"),
                              const QString &execution = QStringLiteral("Working set"))
{
    ExerciseEntry e;
    e.Name = name;
    e.ExecutionType = execution;
    e.Sets = quint8(sets);
    e.Reps = quint8(reps);
    e.Weight = weight;
    return e;
}

inline CardioEntry cardio(const QString &type, float duration, int calories, int distance = 0,
                          const QTime &start = QTime(7, 0))
{
    CardioEntry c;
    c.CardioType = type;
    c.StartTime = DayCount::fromTime(start);
    c.Duration = duration;
    c.Distance = quint16(distance);
    c.Calories = quint16(calories);
    return c;
}

inline WorkoutRecord workout(const QDate &date, float duration = 1.0f, int type = 2,
                             const QList<CardioEntry> &cardioRows = {}, const QList<ExerciseEntry> &exercises = {})
{
    WorkoutRecord r;
    r.Date = DayCount::fromDate(date);
    r.StartTime = DayCount::fromTime(QTime(18, 30));
    r.Duration = duration;
    r.Bodypart = QStringLiteral("Chest");
    r.TrainingType = quint8(type);
    r.Cardio = cardioRows;
    r.Exercises = exercises;
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
