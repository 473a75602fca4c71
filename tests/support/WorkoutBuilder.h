#pragma once

#include "common/DayCount.h"
#include "store/TrainingFile.h"

#include <QDate>
#include <QList>
#include <QTime>

// Workouts and rows for the tests' own small training files.
namespace WorkoutBuilder {
inline ExerciseEntry exercise(const QString &name, int sets, int reps, float weight,
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

// A workout on the day with no start time, no duration and no rows.
inline WorkoutRecord workout(const QDate &day, const QString &bodypart = QStringLiteral("Chest"), int trainingType = 2,
                             const QList<ExerciseEntry> &exercises = {}, const QList<CardioEntry> &cardioRows = {})
{
    WorkoutRecord r;
    r.Date = DayCount::fromDate(day);
    r.Bodypart = bodypart;
    r.TrainingType = quint8(trainingType);
    r.Exercises = exercises;
    r.Cardio = cardioRows;
    return r;
}

// The records as a training file holds them, one after another.
inline QByteArray fileBytes(const QList<WorkoutRecord> &records)
{
    QByteArray bytes;
    for (const WorkoutRecord &r : records)
        bytes += r.encode();
    return bytes;
}

inline void append(TrainingFile &file, const WorkoutRecord &record)
{
    file.WriteRecord(file.RecordCount(), record);
}
}
