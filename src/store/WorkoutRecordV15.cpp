#include "store/WorkoutRecordV15.h"

#include "common/LittleEndian.h"

#include <cstring>

using namespace LittleEndian;

namespace {
// A length-prefixed text field: the length byte, cut to the capacity, and that many
// bytes as stored.
void copyText(const char *from, char *to, int capacity)
{
    const quint8 length = qMin<quint8>(readU8(from), quint8(capacity));
    writeU8(to, length);
    std::memcpy(to + 1, from + 1, length);
}

// Exercise slots have the same layout in both records.
void copyExercise(const char *from, char *to)
{
    copyText(from, to, ExerciseEntry::NameCapacity);
    copyText(from + 51, to + 51, ExerciseEntry::ExecutionTypeCapacity);
    writeU8(to + 77, readU8(from + 77)); // Sets
    writeU8(to + 78, readU8(from + 78)); // Reps
    writeSingle(to + 80, readSingle(from + 80)); // Weight
}

void copyCardio(const char *old, char *to)
{
    namespace L = WorkoutRecordV15::Layout;
    copyText(old + L::CardioType, to, CardioEntry::TypeCapacity);
    writeDouble(to + 32, readDouble(old + L::CardioStartTime));
    writeSingle(to + 40, readSingle(old + L::CardioDuration));
    writeU16(to + 44, readU8(old + L::CardioDistance));
    writeU16(to + 46, readU16(old + L::CardioCalories));
}
}

void WorkoutRecordV15::toCurrentLayout(const char *old, char *current)
{
    namespace L = Layout;
    namespace N = WorkoutLayout;
    std::memset(current, 0, WorkoutRecord::Size);
    writeDouble(current + N::Date, readDouble(old + L::Date));
    writeDouble(current + N::StartTime, readDouble(old + L::Date + 8));
    writeSingle(current + N::Duration, readSingle(old + L::Date + 16));
    copyText(old + L::Bodypart, current + N::Bodypart, WorkoutRecord::BodypartCapacity);
    if (readU8(old + L::CardioType) != 0) {
        copyCardio(old, current + N::Cardio);
        writeU8(current + N::CardioCount, 1);
    }
    const quint8 exercises = qMin<quint8>(readU8(old + L::ExerciseCount), WorkoutRecord::MaxRows);
    for (int i = 0; i < exercises; ++i)
        copyExercise(old + L::Exercises + i * ExerciseEntry::Size, current + N::Exercises + i * ExerciseEntry::Size);
    writeU8(current + N::ExerciseCount, exercises);
    writeU8(current + N::TrainingType, readU8(old + L::TrainingType));
    copyText(old + L::Comment, current + N::Comment, WorkoutRecord::CommentCapacity);
}

QByteArray WorkoutRecordV15::toCurrentLayout(const char *old)
{
    QByteArray current(WorkoutRecord::Size, Qt::Uninitialized);
    toCurrentLayout(old, current.data());
    return current;
}

WorkoutRecord WorkoutRecordV15::toWorkoutRecord(const char *old)
{
    return WorkoutRecord::decode(toCurrentLayout(old).constData());
}
