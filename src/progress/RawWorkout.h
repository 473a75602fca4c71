#pragma once

// Reading the few fields the progress logic needs straight from a record's bytes,
// without decoding the whole workout.

#include "common/LittleEndian.h"
#include "exercises/ExerciseAnalysis.h"
#include "store/WorkoutRecord.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <cmath>
#include <cstring>
#include <limits>

namespace RawWorkout {

// The whole day of the record's date, clamped to the int range (a damaged date that is
// not a number counts as day 0).
inline int day(const char *record)
{
    const double d = LittleEndian::readDouble(record + WorkoutLayout::Date);
    if (std::isnan(d))
        return 0;
    const double f = std::floor(d);
    if (f <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (f >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return int(f);
}

inline int exerciseCount(const char *record)
{
    return qMin<int>(LittleEndian::readU8(record + WorkoutLayout::ExerciseCount), WorkoutRecord::MaxRows);
}

inline const char *exerciseRow(const char *record, int i)
{
    return record + WorkoutLayout::Exercises + i * ExerciseEntry::Size;
}

inline quint8 sets(const char *row) { return LittleEndian::readU8(row + 77); }
inline quint8 reps(const char *row) { return LittleEndian::readU8(row + 78); }
inline float weight(const char *row) { return LittleEndian::readSingle(row + 80); }

// A weight that counts as a lifted load: above 0 and finite.
inline bool isLoad(float w) { return w > 0 && std::isfinite(w); }

// The stored bytes of a length-prefixed text field, as far as a text is read from them,
// without copying.
inline QByteArray storedBytes(const char *field, int capacity)
{
    const int length = qMin<int>(LittleEndian::readU8(field), capacity);
    const void *zero = std::memchr(field + 1, 0, size_t(length));
    return QByteArray::fromRawData(field + 1, zero ? int(static_cast<const char *>(zero) - (field + 1)) : length);
}

// Maps the stored bytes of a text field to an index, decoding each distinct byte string
// once: `lookup` turns a decoded text into the index (and may add it).
template<typename Lookup>
int cachedIndex(QHash<QByteArray, int> &cache, const char *field, int capacity, Lookup lookup)
{
    const QByteArray raw = storedBytes(field, capacity);
    const auto it = cache.constFind(raw);
    if (it != cache.constEnd())
        return it.value();
    const int index = lookup(readStoredString(field, capacity));
    cache.insert(QByteArray(raw.constData(), raw.size()), index);
    return index;
}

// Sets × reps × weight of one row, formed in extended precision and rounded to a single.
inline float rowVolume(const char *row)
{
    const float w = weight(row);
    if (!isLoad(w))
        return 0;
    return float(static_cast<long double>(int(sets(row)) * int(reps(row))) * w);
}
}
