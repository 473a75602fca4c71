#pragma once

#include "common/DayCount.h"
#include "common/UserPrompts.h"
#include "store/TrainingFile.h"
#include "store/WorkoutList.h"
#include "store/WorkoutSession.h"

#include <QDate>
#include <QList>

// Small training files written by the tests themselves.
namespace TrainingFixture {
inline ExerciseEntry row(const QString &name, int sets, int reps, float weight)
{
    ExerciseEntry e;
    e.Name = name;
    e.ExecutionType = QStringLiteral("Working set");
    e.Sets = quint8(sets);
    e.Reps = quint8(reps);
    e.Weight = weight;
    return e;
}

inline WorkoutRecord workout(const QDate &date, const QList<ExerciseEntry> &rows)
{
    WorkoutRecord r;
    r.Date = DayCount::fromDate(date);
    r.Bodypart = QStringLiteral("Chest");
    r.Exercises = rows;
    return r;
}

inline void append(TrainingFile &file, const QDate &date, const QList<ExerciseEntry> &rows)
{
    file.WriteRecord(file.RecordCount(), workout(date, rows));
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

// A main window without windows: a real training file and the prompts of the test.
class TestSession : public WorkoutSession {
public:
    explicit TestSession(UserPrompts &prompts) : m_prompts(prompts) {}
    TrainingFile file;

    TrainingFile &trainingFile() override
    {
        if (!file.isOpen())
            file.TruncateTo(0); // raises the "no training file" error
        return file;
    }
    QStringList workoutLines() const override { return {}; }
    int selectedLine() const override { return -1; }
    int currentRecordIndex() const override { return 0; }
    WorkoutRecord formWorkout() override { return {}; }
    QList<QStringList> exerciseGridRows() override { return {}; }
    QStringList trainingTypes() const override { return {}; }
    QStringList cardioTypes() const override { return {}; }
    QString templateFileName() const override { return {}; }
    UserPrompts &prompts() override { return m_prompts; }
    ProgressCallback progress(const QString &) override { return {}; }

private:
    UserPrompts &m_prompts;
};
