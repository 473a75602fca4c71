#pragma once

#include "store/WorkoutRecord.h"

#include <QList>
#include <QString>

// One workout of a training file of the older layout: 2032-byte records with room
// for one cardio activity only.
struct WorkoutRecordV15 {
    double Date = 0;
    double StartTime = 0;
    float Duration = 0;
    QString Bodypart;             // at most 15 bytes stored
    QString CardioType;           // empty: the workout had no cardio
    double CardioStartTime = 0;
    float CardioDuration = 0;
    quint8 CardioDistance = 0;
    quint16 CardioCalories = 0;
    QList<ExerciseEntry> Exercises; // the used slots; ExerciseCount on disk is their size
    quint8 TrainingType = 0;
    QString Comment;              // at most 255 bytes stored

    static constexpr int Size = 2032;

    // Reads Size bytes field by field. A count above 20 and a length byte above a
    // field's capacity (a damaged record) are cut to the capacity.
    static WorkoutRecordV15 decode(const char *bytes);
    // The same workout in the current record: the one cardio activity becomes the
    // only cardio row, or none when its type is empty.
    WorkoutRecord toWorkoutRecord() const;
};

namespace WorkoutLayoutV15 {
constexpr int Date = 0;
constexpr int StartTime = 8;
constexpr int Duration = 16;
constexpr int Bodypart = 20;
constexpr int CardioType = 40;
constexpr int CardioStartTime = 72;
constexpr int CardioDuration = 80;
constexpr int CardioDistance = 84;
constexpr int CardioCalories = 86;
constexpr int Exercises = 88;
constexpr int ExerciseCount = 1768;
constexpr int TrainingType = 1769;
constexpr int Comment = 1770;
}
