#pragma once

#include "common/DayCount.h"
#include "store/WorkoutRecord.h"

#include <QDate>
#include <QFile>
#include <QStringList>

// The benchmarks' training file: four workouts a week from 3 January 2000, each with
// 3 cardio rows and 8 exercise rows (the last one at body weight).
inline void writeBenchTrainingFile(const QString &path, int workouts)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        qFatal("cannot create %s", qPrintable(path));
    const QDate start(2000, 1, 3);
    const QStringList cardioTypes = {"Running", "Cycling", "Rowing"};
    for (int i = 0; i < workouts; ++i) {
        WorkoutRecord r;
        r.Date = DayCount::fromDate(start.addDays((i / 4) * 7 + (i % 4) * 2));
        r.StartTime = 0.75;
        r.Duration = 1.25f;
        r.Bodypart = QStringLiteral("Chest");
        r.TrainingType = quint8(i % 5);
        r.Comment = QStringLiteral("A workout of the benchmark file");
        for (int c = 0; c < 3; ++c)
            r.Cardio << CardioEntry{cardioTypes.at((i + c) % 3), 0.7, 0.2f, 3000, 250};
        for (int e = 0; e < 8; ++e)
            r.Exercises << ExerciseEntry{QStringLiteral("Exercise %1").arg(e), QStringLiteral("Working set"),
                                         quint8(3 + e % 3), quint8(8 + e), e == 7 ? 0.0f : 40.0f + e * 2.5f};
        if (out.write(r.encode()) < 0)
            qFatal("cannot write %s", qPrintable(path));
    }
}
