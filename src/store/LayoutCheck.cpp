#include "store/LayoutCheck.h"

#include "common/LittleEndian.h"
#include "store/WorkoutRecord.h"
#include "store/WorkoutRecordV15.h"

#include <cmath>

using namespace LittleEndian;

namespace {
constexpr double FirstDay = 2;        // 1 January 1900
constexpr double LastDay = 2958465;   // 31 December 9999

bool fits(const char *field, int capacity)
{
    return readU8(field) <= capacity;
}

// The used exercise slots, which have the same layout in both records.
bool plausibleExercises(const char *firstSlot, int count)
{
    if (count > WorkoutRecord::MaxRows)
        return false;
    for (int i = 0; i < count; ++i) {
        const char *slot = firstSlot + i * ExerciseEntry::Size;
        if (!fits(slot, ExerciseEntry::NameCapacity) || !fits(slot + 51, ExerciseEntry::ExecutionTypeCapacity))
            return false;
    }
    return true;
}
}

bool LayoutCheck::plausibleDate(double dayCount)
{
    return std::isfinite(dayCount) && dayCount >= FirstDay && dayCount < LastDay + 1;
}

bool LayoutCheck::plausibleOldRecord(const char *record)
{
    namespace L = WorkoutRecordV15::Layout;
    return plausibleDate(readDouble(record + L::Date)) && fits(record + L::Bodypart, WorkoutRecord::BodypartCapacity)
           && fits(record + L::CardioType, CardioEntry::TypeCapacity)
           && fits(record + L::Comment, WorkoutRecord::CommentCapacity)
           && plausibleExercises(record + L::Exercises, readU8(record + L::ExerciseCount));
}

bool LayoutCheck::plausibleCurrentRecord(const char *record)
{
    namespace N = WorkoutLayout;
    const int cardio = readU8(record + N::CardioCount);
    if (!plausibleDate(readDouble(record + N::Date)) || !fits(record + N::Bodypart, WorkoutRecord::BodypartCapacity)
        || !fits(record + N::Comment, WorkoutRecord::CommentCapacity) || cardio > WorkoutRecord::MaxRows)
        return false;
    for (int i = 0; i < cardio; ++i)
        if (!fits(record + N::Cardio + i * CardioEntry::Size, CardioEntry::TypeCapacity))
            return false;
    return plausibleExercises(record + N::Exercises, readU8(record + N::ExerciseCount));
}
