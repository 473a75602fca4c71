#include "csv/CsvRows.h"

#include <cmath>

using namespace CsvColumns;
using namespace CsvValues;

namespace CsvRows {
namespace {
constexpr double LbsPerKg = 2.2046226218487757;

QString executionOf(const QString &setType)
{
    const QString t = setType.trimmed().toLower();
    if (t == u"warmup" || t == u"w")
        return QStringLiteral("Warmup");
    if (t == u"dropset" || t == u"d")
        return QStringLiteral("Drop set");
    return QString(); // failure sets ("F") are working sets
}
}

QStringList RowReader::fitted(const QStringList &fields) const
{
    const qsizetype expected = h.fieldCount;
    if (fields.size() == expected)
        return fields;
    QStringList f = fields;
    if (f.size() > expected && h.has(Exercise)) {
        const qsizetype at = h.index[Exercise];
        const qsizetype extra = f.size() - expected;
        // The reader drops the spaces around unquoted fields: ", " is how names are written.
        f[at] = f.mid(at, extra + 1).join(QStringLiteral(", "));
        f.remove(at + 1, extra);
    }
    // Without a name column, empty fields after the last column change nothing.
    while (f.size() > expected && f.last().trimmed().isEmpty())
        f.removeLast();
    if (f.size() != expected)
        throw RowError{QStringLiteral("%1 fields where the header has %2").arg(fields.size()).arg(expected)};
    return f;
}

SetRow RowReader::read(const CsvTable::Row &row) const
{
    SetRow r;
    r.line = row.line;
    const QStringList fields = fitted(row.fields);
    const auto field = [&](Column c) { return h.has(c) ? fields[h.index[c]] : QString(); };
    readWhen(field, r);
    r.name = field(Exercise).trimmed();
    r.execution = field(Execution).trimmed();
    r.workoutName = field(WorkoutName).trimmed();
    r.workoutNotes = field(WorkoutNotes).trimmed();
    r.comment = h.fortavoSets ? field(WorkoutNotes) : field(Comment);
    r.bodypart = field(Bodypart).trimmed();
    r.trainingType = field(TrainingType).trimmed();
    if (const std::optional<double> minutes = cachedDuration(field(Duration))) {
        r.durationCut = *minutes > MaxDurationMinutes + 0.5;
        r.workoutMinutes = r.durationCut ? MaxDurationMinutes : int(std::lround(*minutes));
    }
    if (h.has(EndTime) && !field(EndTime).trimmed().isEmpty())
        r.endTime = cachedTime(field(EndTime));
    const QString setOrder = field(SetOrder).trimmed().toLower();
    if (!h.ownExport() && setOrder == u"rest timer") {
        r.kind = RowKind::Rest;
    } else if (!h.ownExport() && setOrder == u"note") {
        r.kind = RowKind::Note;
        r.note = field(Notes).trimmed();
    } else if (h.ownExport() && r.name.isEmpty() && (h.fortavoSets || field(Kind).trimmed().isEmpty())) {
        r.kind = RowKind::Empty;
    } else if (h.completedOnly && number(field(Reps), "reps").value_or(0) == 0
               && seconds(field(Seconds)).value_or(0) == 0) {
        r.kind = RowKind::NotDone;
    } else {
        readSet(field, r);
    }
    r.groupKey = {r.when.date.toJulianDay(), r.when.time.isValid() ? r.when.time.msecsSinceStartOfDay() : -1,
                  r.when.time.isValid() ? QString() : r.workoutName, QString()};
    if (h.ownExport())
        r.groupKey.workout = QStringList{r.workoutMinutes ? QString::number(*r.workoutMinutes) : QString(), r.bodypart,
                                         r.trainingType, r.comment}
                                 .join(QChar(0x1f));
    return r;
}

// The rows of a workout repeat its date and duration: each text is read once, and a
// time in UTC is converted through the system zone once per text.
std::optional<When> RowReader::cachedDateTime(const QString &text) const
{
    auto it = m_dates.constFind(text);
    if (it == m_dates.constEnd())
        it = m_dates.insert(text, dateTime(text));
    return *it;
}

QTime RowReader::cachedTime(const QString &text) const
{
    auto it = m_times.constFind(text);
    if (it == m_times.constEnd())
        it = m_times.insert(text, timeOfDay(text));
    return *it;
}

std::optional<double> RowReader::cachedDuration(const QString &text) const
{
    auto it = m_durations.constFind(text);
    if (it == m_durations.constEnd())
        it = m_durations.insert(text, anyDurationMinutes(text));
    return *it;
}

template <typename Field>
void RowReader::readWhen(const Field &field, SetRow &r) const
{
    const QString dateText = h.has(Date) ? field(Date) : field(StartTime);
    const std::optional<When> when = cachedDateTime(dateText);
    if (!when)
        throw RowError{dateText.trimmed().isEmpty() ? QStringLiteral("no date")
                                                    : QStringLiteral("date \"%1\" is not a date").arg(dateText)};
    r.when = *when;
    if (h.has(Date) && h.has(StartTime) && !field(StartTime).trimmed().isEmpty())
        r.when.time = cachedTime(field(StartTime));
}

template <typename Field>
void RowReader::readSet(const Field &field, SetRow &r) const
{
    if (r.name.isEmpty())
        throw RowError{QStringLiteral("no exercise name")};
    const std::optional<double> reps = number(field(Reps), "reps");
    const std::optional<double> weight = number(field(Weight), "weight");
    const std::optional<double> distance = number(field(Distance), "distance");
    const QString secondsText = field(Seconds).trimmed();
    const double time = h.has(Seconds) ? seconds(secondsText).value_or(0) : 0;
    const bool lifted = reps.value_or(0) > 0 || weight.value_or(0) > 0;
    if (h.fortavoLayout)
        r.cardio = field(Kind).trimmed().compare(QLatin1String("cardio"), Qt::CaseInsensitive) == 0;
    else // a row with a weight is a set, even when it is timed
        r.cardio = !lifted && (distance.value_or(0) > 0 || time > 0 || (!reps && !weight && (distance || !secondsText.isEmpty())));
    if (r.cardio) {
        r.distanceMetres = distance.value_or(0) * metresPer(field(DistanceUnit));
        r.seconds = time;
        if (h.has(Seconds))
            checkedMinutes(time / 60, field(Seconds));
        r.calories = number(field(Calories), "calories").value_or(0);
        r.cardioStart = cachedTime(field(CardioStart));
        r.cardioMinutes = durationMinutes(field(CardioDuration));
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
        throw RowError{QStringLiteral("%1 reps are above 255").arg(field(Reps).trimmed())};
    r.reps = int(std::lround(reps.value_or(0)));
    if (h.fortavoLayout) {
        const double sets = number(field(Sets), "sets").value_or(0);
        if (sets >= 255.5)
            throw RowError{QStringLiteral("%1 sets are above 255").arg(field(Sets).trimmed())};
        r.sets = int(std::lround(sets));
    }
    if (h.fortavoSets) {
        r.setOrder = int(std::lround(std::min(number(field(SetOrder), "set order").value_or(1), 256.0)));
        r.sets = r.setOrder == 0 ? 0 : 1; // an exported row of no sets
    }
    r.weight = float(round2(weight.value_or(0) * weightFactor(field(CsvColumns::WeightUnit))));
    if (!std::isfinite(r.weight))
        throw RowError{QStringLiteral("weight \"%1\" is too large").arg(field(Weight).trimmed())};
    if (r.execution.isEmpty() && !h.fortavoSets) {
        r.execution = executionOf(field(SetType));
        if (r.execution.isEmpty() && !h.ownExport())
            r.execution = executionOf(field(SetOrder));
        if (r.execution.isEmpty() && field(Warmup).trimmed() == u"1")
            r.execution = QStringLiteral("Warmup");
        // A timed set with a weight (a hold, a carry): no reps, its seconds noted.
        if (r.execution.isEmpty() && r.reps == 0 && time > 0)
            r.execution = QStringLiteral("%1 s").arg(std::lround(time));
    }
}

double RowReader::weightFactor(const QString &rowUnit) const
{
    QString unit = rowUnit.trimmed().toLower();
    if (unit.isEmpty())
        unit = h.weightUnit;
    const bool statedKg = unit == u"kg" || unit == u"kgs";
    const bool statedLbs = unit == u"lbs" || unit == u"lb";
    if (statedLbs && o.unit == CsvImport::WeightUnit::Kg)
        return 1 / LbsPerKg;
    if (statedKg && o.unit == CsvImport::WeightUnit::Lbs)
        return LbsPerKg;
    return 1;
}

double RowReader::metresPer(const QString &rowUnit) const
{
    QString unit = rowUnit.trimmed().toLower();
    if (unit.isEmpty())
        unit = h.distanceUnit;
    if (unit == u"m" || unit == u"metres" || unit == u"meters")
        return 1;
    if (unit == u"mi" || unit == u"miles" || unit == u"mile")
        return 1609.344;
    if (unit == u"ft" || unit == u"feet")
        return 0.3048;
    return 1000; // kilometres, also when no unit is stated
}
}
