#include "store/WorkoutRecordV15.h"

#include "common/LittleEndian.h"

using namespace LittleEndian;

namespace {
// The exercise slot has the same 84-byte layout as in the current record.
ExerciseEntry decodeExercise(const char *p)
{
    ExerciseEntry e;
    e.Name = readStoredString(p, ExerciseEntry::NameCapacity);
    e.ExecutionType = readStoredString(p + 51, ExerciseEntry::ExecutionTypeCapacity);
    e.Sets = readU8(p + 77);
    e.Reps = readU8(p + 78);
    e.Weight = readSingle(p + 80);
    return e;
}
}

WorkoutRecordV15 WorkoutRecordV15::decode(const char *p)
{
    namespace L = WorkoutLayoutV15;
    WorkoutRecordV15 r;
    r.Date = readDouble(p + L::Date);
    r.StartTime = readDouble(p + L::StartTime);
    r.Duration = readSingle(p + L::Duration);
    r.Bodypart = readStoredString(p + L::Bodypart, WorkoutRecord::BodypartCapacity);
    r.CardioType = readStoredString(p + L::CardioType, CardioEntry::TypeCapacity);
    r.CardioStartTime = readDouble(p + L::CardioStartTime);
    r.CardioDuration = readSingle(p + L::CardioDuration);
    r.CardioDistance = readU8(p + L::CardioDistance);
    r.CardioCalories = readU16(p + L::CardioCalories);
    const int exerciseCount = qMin<int>(readU8(p + L::ExerciseCount), WorkoutRecord::MaxRows);
    r.Exercises.reserve(exerciseCount);
    for (int i = 0; i < exerciseCount; ++i)
        r.Exercises.append(decodeExercise(p + L::Exercises + i * ExerciseEntry::Size));
    r.TrainingType = readU8(p + L::TrainingType);
    r.Comment = readStoredString(p + L::Comment, WorkoutRecord::CommentCapacity);
    return r;
}

WorkoutRecord WorkoutRecordV15::toWorkoutRecord() const
{
    WorkoutRecord r;
    r.Date = Date;
    r.StartTime = StartTime;
    r.Duration = Duration;
    r.Bodypart = Bodypart;
    if (!CardioType.isEmpty())
        r.Cardio.append(CardioEntry{CardioType, CardioStartTime, CardioDuration, CardioDistance, CardioCalories});
    r.Exercises = Exercises;
    r.TrainingType = TrainingType;
    r.Comment = Comment;
    return r;
}
