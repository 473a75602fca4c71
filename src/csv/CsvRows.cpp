#include "csv/CsvRows.h"

#include <QVarLengthArray>

#include <charconv>
#include <cmath>
#include <cstring>
#include <initializer_list>

using namespace CsvColumns;
using namespace CsvValues;

namespace CsvRows {
namespace {
constexpr double LbsPerKg = 2.2046226218487757;

bool isAscii(QByteArrayView b)
{
    for (const char c : b)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// A number read straight from the field's bytes when it is plain ASCII and valid;
// false leaves every other case (and every error with its message) to number().
bool quickNumber(QByteArrayView field, std::optional<double> &out)
{
    if (!isAscii(field))
        return false;
    const QByteArrayView t = field.trimmed();
    if (t.isEmpty()) {
        out = std::nullopt;
        return true;
    }
    // Whole numbers, the most common, read as integers: the same value, sooner.
    qint32 whole = 0;
    if (const auto [stop, error] = std::from_chars(t.data(), t.data() + t.size(), whole);
        error == std::errc() && stop == t.data() + t.size()) {
        if (whole < 0)
            return false;
        out = double(whole);
        return true;
    }
    // A decimal comma reads as a point.
    char buffer[64];
    if (t.size() > qsizetype(sizeof buffer))
        return false;
    const char *digits = t.data();
    if (t.contains(',') && !t.contains('.')) {
        for (qsizetype i = 0; i < t.size(); ++i)
            buffer[i] = t[i] == ',' ? '.' : t[i];
        digits = buffer;
    }
    double value = 0;
    const auto [stop, error] = std::from_chars(digits, digits + t.size(), value);
    if (error != std::errc() || stop != digits + t.size() || !std::isfinite(value) || value < 0)
        return false;
    out = value + 0.0; // "-0" is stored as 0
    return true;
}
}

void WorkoutFields::takeMissing(const RowWorkoutFields &row)
{
    const auto take = [](QString &field, const QString *text) {
        if (field.isEmpty() && !text->isEmpty())
            field = *text;
    };
    take(workoutName, row.workoutName);
    take(workoutNotes, row.workoutNotes);
    take(comment, row.comment);
    take(bodypart, row.bodypart);
    take(trainingType, row.trainingType);
    if (!workoutMinutes) {
        workoutMinutes = row.workoutMinutes;
        durationCut = row.durationCut;
    }
    if (!endTime.isValid())
        endTime = row.endTime;
}

template <typename Value>
template <typename Read>
const Value &RowReader::Cache<Value>::get(const Memo &memo, Read read)
{
    if (memo.stamp == lastStamp)
        return last;
    auto it = values.constFind(memo.text);
    if (it == values.constEnd())
        it = values.insert(memo.text, read(memo.text));
    lastStamp = memo.stamp;
    last = *it;
    return last;
}

// The fields of one row fitted to the header, read as the columns need them: bytes
// for numbers and words, text only for the columns that hold text.
class RowReader::Fields {
public:
    Fields(const RowReader &reader, const CsvTable::Row &row) : r(reader)
    {
        const CsvTable &t = r.t;
        const qsizetype expected = r.h.fieldCount;
        m_views.reserve(row.count);
        for (int i = 0; i < row.count; ++i)
            m_views.append(t.field(row, i));
        if (row.count != expected)
            fit(row.count, expected);
    }

    bool has(Column c) const { return r.h.has(c); }
    QByteArrayView bytes(Column c) const { return has(c) ? m_views[r.h.index[c]] : QByteArrayView(); }

    // The field as text; empty when the column is absent.
    const QString &text(Column c) const { return memo(c).text; }
    // The field's bytes and texts, kept from the row above while its bytes are the same.
    const Memo &memo(Column c) const
    {
        Memo &m = r.m_texts[c];
        const QByteArrayView b = bytes(c);
        if (m.stamp != 0 && (!has(c) || QByteArrayView(m.bytes) == b))
            return m;
        m.bytes.resize(b.size());
        if (!b.isEmpty())
            std::memcpy(m.bytes.data(), b.data(), size_t(b.size()));
        m.text = has(c) ? QString::fromUtf8(b) : QString();
        m.trimmed = m.text.trimmed();
        m.stamp = ++r.m_stamps;
        return m;
    }
    // The same without the spaces around it.
    const QString &trimmed(Column c) const { return memo(c).trimmed; }

    // The field is empty or spaces.
    bool blank(Column c) const
    {
        const QByteArrayView b = bytes(c);
        return isAscii(b) ? b.trimmed().isEmpty() : trimmed(c).isEmpty();
    }

    // Which of the words (lower case ASCII) the field is, trimmed and in lower case:
    // its index, or -1. The field is trimmed once for all the words.
    qsizetype whichOf(Column c, std::initializer_list<QByteArrayView> words) const
    {
        const QByteArrayView b = bytes(c);
        if (isAscii(b)) {
            const QByteArrayView t = b.trimmed();
            for (qsizetype i = 0; i < qsizetype(words.size()); ++i)
                if (const QByteArrayView w = words.begin()[i]; t.size() == w.size() && t.compare(w, Qt::CaseInsensitive) == 0)
                    return i;
            return -1;
        }
        const QString lower = trimmed(c).toLower();
        for (qsizetype i = 0; i < qsizetype(words.size()); ++i)
            if (lower == QLatin1StringView(words.begin()[i]))
                return i;
        return -1;
    }

    bool is(Column c, QByteArrayView word) const { return whichOf(c, {word}) == 0; }

    std::optional<double> number(Column c, const char *what) const
    {
        std::optional<double> value;
        if (quickNumber(bytes(c), value))
            return value;
        return CsvValues::number(text(c), what);
    }

    // Seconds; trim: its text in a report without the spaces around it.
    std::optional<double> seconds(Column c, bool trim) const
    {
        std::optional<double> value;
        if (!bytes(c).contains(':') && quickNumber(bytes(c), value))
            return value;
        return CsvValues::seconds(trim ? trimmed(c) : text(c));
    }

    // The execution a set type or set order names: warm-up and drop sets; failure sets
    // ("F") are working sets.
    QStringView execution(Column c) const
    {
        switch (whichOf(c, {"warmup", "w", "dropset", "d"})) {
        case 0:
        case 1:
            return u"Warmup";
        case 2:
        case 3:
            return u"Drop set";
        default:
            return {};
        }
    }

private:
    // The extra fields of a name with commas in an unquoted file joined back into the
    // name; raises RowError when the fields do not fit the header.
    void fit(qsizetype count, qsizetype expected)
    {
        if (count > expected && has(Exercise)) {
            const qsizetype at = r.h.index[Exercise];
            const qsizetype extra = count - expected;
            // The reader drops the spaces around unquoted fields: ", " is how names are written.
            QByteArray &joined = r.m_joined;
            joined.resize(0);
            for (qsizetype i = at; i <= at + extra; ++i) {
                if (i > at)
                    joined.append(", ");
                joined.append(m_views[i]);
            }
            m_views[at] = joined;
            m_views.remove(at + 1, extra);
        }
        // Without a name column, empty fields after the last column change nothing.
        while (m_views.size() > expected && QString::fromUtf8(m_views.last()).trimmed().isEmpty())
            m_views.removeLast();
        if (m_views.size() != expected)
            throw RowError{QStringLiteral("%1 fields where the header has %2").arg(count).arg(expected)};
    }

    const RowReader &r;
    QVarLengthArray<QByteArrayView, 32> m_views;
};

RowReader::RowReader(const CsvTable &table, const CsvColumns::Header &header, const CsvImport::Options &options)
    : t(table), h(header), o(options)
{
    // Without a unit column every row's unit is the header's.
    m_headerWeightFactor = weightFactor([&](const char *word) { return h.weightUnit == QLatin1StringView(word); });
}

ReadRow RowReader::read(const CsvTable::Row &row) const
{
    ReadRow result;
    const Fields f(*this, row);
    readWhen(f, result);
    SetRow &r = result.set;
    RowWorkoutFields &w = result.workout;
    r.name = f.trimmed(Exercise);
    r.execution = f.trimmed(Execution);
    w.workoutName = &f.trimmed(WorkoutName);
    w.workoutNotes = &f.trimmed(WorkoutNotes);
    const QString &comment = h.fortavoSets ? f.text(WorkoutNotes) : f.text(Comment);
    w.comment = &comment;
    w.bodypart = &f.trimmed(Bodypart);
    w.trainingType = &f.trimmed(TrainingType);
    if (const std::optional<double> minutes = m_durations.get(f.memo(Duration), anyDurationMinutes)) {
        w.durationCut = *minutes > MaxDurationMinutes + 0.5;
        w.workoutMinutes = w.durationCut ? MaxDurationMinutes : int(std::lround(*minutes));
    }
    if (f.has(EndTime) && !f.blank(EndTime))
        w.endTime = m_times.get(f.memo(EndTime), timeOfDay);
    if (!h.ownExport() && f.is(SetOrder, "rest timer")) {
        r.kind = RowKind::Rest;
    } else if (!h.ownExport() && f.is(SetOrder, "note")) {
        r.kind = RowKind::Note;
        r.note = f.trimmed(Notes);
    } else if (h.ownExport() && r.name.isEmpty() && (h.fortavoSets || f.blank(Kind))) {
        r.kind = RowKind::Empty;
    } else if (h.completedOnly && f.number(Reps, "reps").value_or(0) == 0 && f.seconds(Seconds, false).value_or(0) == 0) {
        r.kind = RowKind::NotDone;
    } else {
        readSet(f, r);
    }
    const When &when = result.when;
    result.groupKey = {when.date.toJulianDay(), when.time.isValid() ? when.time.msecsSinceStartOfDay() : -1,
                       when.time.isValid() ? QString() : f.trimmed(WorkoutName), QString()};
    if (h.ownExport())
        result.groupKey.workout = QStringList{w.workoutMinutes ? QString::number(*w.workoutMinutes) : QString(),
                                              f.trimmed(Bodypart), f.trimmed(TrainingType), comment}
                                      .join(QChar(0x1f));
    return result;
}

void RowReader::readWhen(const Fields &f, ReadRow &r) const
{
    // A time in UTC is converted through the system zone once per text.
    const Memo &date = f.memo(h.has(Date) ? Date : StartTime);
    const QString &dateText = date.text;
    const std::optional<When> when = m_dates.get(date, dateTime);
    if (!when)
        throw RowError{dateText.trimmed().isEmpty() ? QStringLiteral("no date")
                                                    : QStringLiteral("date \"%1\" is not a date").arg(dateText)};
    r.when = *when;
    if (h.has(Date) && h.has(StartTime) && !f.blank(StartTime))
        r.when.time = m_times.get(f.memo(StartTime), timeOfDay);
}

void RowReader::readSet(const Fields &f, SetRow &r) const
{
    if (r.name.isEmpty())
        throw RowError{QStringLiteral("no exercise name")};
    const std::optional<double> reps = f.number(Reps, "reps");
    const std::optional<double> weight = f.number(Weight, "weight");
    const std::optional<double> distance = f.number(Distance, "distance");
    const bool noSeconds = f.blank(Seconds);
    const double time = h.has(Seconds) ? f.seconds(Seconds, true).value_or(0) : 0;
    const bool lifted = reps.value_or(0) > 0 || weight.value_or(0) > 0;
    if (h.fortavoLayout)
        r.cardio = f.trimmed(Kind).compare(QLatin1String("cardio"), Qt::CaseInsensitive) == 0;
    else // a row with a weight is a set, even when it is timed
        r.cardio = !lifted && (distance.value_or(0) > 0 || time > 0 || (!reps && !weight && (distance || !noSeconds)));
    if (r.cardio) {
        r.distanceMetres = distance.value_or(0) * metresPer(f);
        r.seconds = time;
        if (h.has(Seconds))
            checkedMinutes(time / 60, f.text(Seconds));
        r.calories = f.number(Calories, "calories").value_or(0);
        r.cardioStart = m_times.get(f.memo(CardioStart), timeOfDay);
        r.cardioMinutes = durationMinutes(f.text(CardioDuration));
        if (r.distanceMetres > 65535)
            throw RowError{QStringLiteral("distance of %1 m is above 65535 m").arg(r.distanceMetres)};
        if (r.calories > 65535)
            throw RowError{QStringLiteral("calories above 65535")};
        return;
    }
    // A set of no reps and no weight is no set, whether its fields are empty or 0;
    // Fortavo's own exports keep such rows as they were stored.
    if ((!reps && !weight) || (!h.ownExport() && !lifted))
        throw RowError{QStringLiteral("neither reps nor weight")};
    if (reps.value_or(0) >= 255.5)
        throw RowError{QStringLiteral("%1 reps are above 255").arg(f.trimmed(Reps))};
    r.reps = int(std::lround(reps.value_or(0)));
    if (h.fortavoLayout) {
        const double sets = f.number(Sets, "sets").value_or(0);
        if (sets >= 255.5)
            throw RowError{QStringLiteral("%1 sets are above 255").arg(f.trimmed(Sets))};
        r.sets = int(std::lround(sets));
    }
    if (h.fortavoSets) {
        r.setOrder = int(std::lround(std::min(f.number(SetOrder, "set order").value_or(1), 256.0)));
        r.sets = r.setOrder == 0 ? 0 : 1; // an exported row of no sets
    }
    r.weight = float(round2(weight.value_or(0) * weightFactor(f)));
    if (!std::isfinite(r.weight))
        throw RowError{QStringLiteral("weight \"%1\" is too large").arg(f.trimmed(Weight))};
    if (r.execution.isEmpty() && !h.fortavoSets) {
        r.execution = f.execution(SetType);
        if (r.execution.isEmpty() && !h.ownExport())
            r.execution = f.execution(SetOrder);
        if (r.execution.isEmpty() && f.is(Warmup, "1"))
            r.execution = u"Warmup";
        // A timed set with a weight (a hold, a carry): no reps, its seconds noted.
        if (r.execution.isEmpty() && r.reps == 0 && time > 0) {
            m_heldFor = QStringLiteral("%1 s").arg(std::lround(time));
            r.execution = m_heldFor;
        }
    }
}

double RowReader::weightFactor(const Fields &f) const
{
    if (f.blank(CsvColumns::WeightUnit))
        return m_headerWeightFactor;
    return weightFactor([&](const char *word) { return f.is(CsvColumns::WeightUnit, word); });
}

template <typename UnitIs>
double RowReader::weightFactor(UnitIs unitIs) const
{
    const bool statedKg = unitIs("kg") || unitIs("kgs");
    const bool statedLbs = unitIs("lbs") || unitIs("lb");
    if (statedLbs && o.unit == CsvImport::WeightUnit::Kg)
        return 1 / LbsPerKg;
    if (statedKg && o.unit == CsvImport::WeightUnit::Lbs)
        return LbsPerKg;
    return 1;
}

double RowReader::metresPer(const Fields &f) const
{
    const bool stated = !f.blank(DistanceUnit);
    const auto unitIs = [&](const char *word) { return stated ? f.is(DistanceUnit, word) : h.distanceUnit == QLatin1StringView(word); };
    if (unitIs("m") || unitIs("metres") || unitIs("meters"))
        return 1;
    if (unitIs("mi") || unitIs("miles") || unitIs("mile"))
        return 1609.344;
    if (unitIs("ft") || unitIs("feet"))
        return 0.3048;
    return 1000; // kilometres, also when no unit is stated
}
}
