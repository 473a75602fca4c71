#include "store/WorkoutRecord.h"

#include "common/CodePage.h"
#include "common/LittleEndian.h"

#include <cstring>

using namespace LittleEndian;

void writeStoredString(char *field, const QString &text, int capacity)
{
    writeU8(field, quint8(CodePage::encodeInto(text, capacity, field + 1)));
}

QString readStoredString(const char *field, int capacity)
{
    // A zero byte ends the text, as it ends a text shown by a control: what a damaged
    // field holds after it is not part of the text.
    const int length = qMin<int>(readU8(field), capacity);
    const void *zero = std::memchr(field + 1, 0, size_t(length));
    return CodePage::decode(field + 1, zero ? int(static_cast<const char *>(zero) - (field + 1)) : length);
}

namespace {
void encodeCardio(char *p, const CardioEntry &c)
{
    writeStoredString(p, c.CardioType, CardioEntry::TypeCapacity);
    writeDouble(p + 32, c.StartTime);
    writeSingle(p + 40, c.Duration);
    writeU16(p + 44, c.Distance);
    writeU16(p + 46, c.Calories);
}

CardioEntry decodeCardio(const char *p)
{
    CardioEntry c;
    c.CardioType = readStoredString(p, CardioEntry::TypeCapacity);
    c.StartTime = readDouble(p + 32);
    c.Duration = readSingle(p + 40);
    c.Distance = readU16(p + 44);
    c.Calories = readU16(p + 46);
    return c;
}

void encodeExercise(char *p, const ExerciseEntry &e)
{
    writeStoredString(p, e.Name, ExerciseEntry::NameCapacity);
    writeStoredString(p + 51, e.ExecutionType, ExerciseEntry::ExecutionTypeCapacity);
    writeU8(p + 77, e.Sets);
    writeU8(p + 78, e.Reps);
    writeSingle(p + 80, e.Weight);
}

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

QByteArray WorkoutRecord::encode() const
{
    QByteArray bytes(Size, Qt::Uninitialized);
    encodeInto(bytes.data());
    return bytes;
}

void WorkoutRecord::encodeInto(char *p) const
{
    std::memset(p, 0, Size);
    writeDouble(p + WorkoutLayout::Date, Date);
    writeDouble(p + WorkoutLayout::StartTime, StartTime);
    writeSingle(p + WorkoutLayout::Duration, Duration);
    writeStoredString(p + WorkoutLayout::Bodypart, Bodypart, BodypartCapacity);
    const int cardioCount = int(qMin<qsizetype>(Cardio.size(), MaxRows));
    for (int i = 0; i < cardioCount; ++i)
        encodeCardio(p + WorkoutLayout::Cardio + i * CardioEntry::Size, Cardio.at(i));
    writeU8(p + WorkoutLayout::CardioCount, quint8(cardioCount));
    const int exerciseCount = int(qMin<qsizetype>(Exercises.size(), MaxRows));
    for (int i = 0; i < exerciseCount; ++i)
        encodeExercise(p + WorkoutLayout::Exercises + i * ExerciseEntry::Size, Exercises.at(i));
    writeU8(p + WorkoutLayout::ExerciseCount, quint8(exerciseCount));
    writeU8(p + WorkoutLayout::TrainingType, TrainingType);
    writeStoredString(p + WorkoutLayout::Comment, Comment, CommentCapacity);
}

WorkoutRecord WorkoutRecord::decode(const char *p)
{
    WorkoutRecord r;
    r.Date = readDouble(p + WorkoutLayout::Date);
    r.StartTime = readDouble(p + WorkoutLayout::StartTime);
    r.Duration = readSingle(p + WorkoutLayout::Duration);
    r.Bodypart = readStoredString(p + WorkoutLayout::Bodypart, BodypartCapacity);
    const int cardioCount = qMin<int>(readU8(p + WorkoutLayout::CardioCount), MaxRows);
    for (int i = 0; i < cardioCount; ++i)
        r.Cardio.append(decodeCardio(p + WorkoutLayout::Cardio + i * CardioEntry::Size));
    const int exerciseCount = qMin<int>(readU8(p + WorkoutLayout::ExerciseCount), MaxRows);
    for (int i = 0; i < exerciseCount; ++i)
        r.Exercises.append(decodeExercise(p + WorkoutLayout::Exercises + i * ExerciseEntry::Size));
    r.TrainingType = readU8(p + WorkoutLayout::TrainingType);
    r.Comment = readStoredString(p + WorkoutLayout::Comment, CommentCapacity);
    return r;
}
