#pragma once

#include "store/WorkoutRecord.h"

// The workout record of training files of the older layout: 2032 bytes, room for one
// cardio activity only, otherwise the fields of the current record.
namespace WorkoutRecordV15 {
constexpr int Size = 2032;

// Offsets of the fields inside an old record.
namespace Layout {
constexpr int Date = 0;           // Date, StartTime and Duration as in the current record
constexpr int Bodypart = 20;
constexpr int CardioType = 40;    // empty: the workout had no cardio
constexpr int CardioStartTime = 72;
constexpr int CardioDuration = 80;
constexpr int CardioDistance = 84; // one byte; the byte after it is not part of it
constexpr int CardioCalories = 86;
constexpr int Exercises = 88;     // 20 slots of the current record's 84-byte layout
constexpr int ExerciseCount = 1768;
constexpr int TrainingType = 1769;
constexpr int Comment = 1770;
}

// Writes the same workout as a current record of WorkoutRecord::Size bytes, field by
// field: the one cardio activity becomes the only cardio row (none when its type is
// empty), texts keep their stored bytes. A count above 20 and a length byte above a
// field's capacity (a damaged record) are cut to the capacity; unused slots and padding
// are zero, so the result depends on the workout alone.
void toCurrentLayout(const char *old, char *current);
QByteArray toCurrentLayout(const char *old);
// The same, read as a current record.
WorkoutRecord toWorkoutRecord(const char *old);
}
