#include "csv/CsvImport.h"

#include "common/FileLock.h"

#include "common/CodePage.h"
#include "common/DayCount.h"
#include "common/Errors.h"
#include "common/WholeFile.h"
#include "csv/CsvColumns.h"
#include "csv/CsvValues.h"
#include "exercises/ExerciseFile.h"
#include "store/TrainingFile.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <optional>

using namespace CsvColumns;
using namespace CsvValues;

namespace CsvImport {
namespace {
constexpr double LbsPerKg = 2.2046226218487757;

// Rows of one workout share the date and start time, or without a time the workout's
// name on that date.
struct GroupKey {
    qint64 day = 0;
    int msecs = -1;
    QString name;
    bool operator==(const GroupKey &) const = default;
};

size_t qHash(const GroupKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.day, key.msecs, key.name);
}

// One row of the file, read.
struct SetRow {
    int line = 0;
    When when;
    GroupKey groupKey;
    bool cardio = false;
    bool empty = false; // a workout without rows (Fortavo's export)
    QString name, execution;
    int sets = 1, reps = 0;
    float weight = 0;
    double distanceMetres = 0, seconds = 0, calories = 0;
    QTime cardioStart;
    std::optional<int> cardioMinutes;
    // Workout fields, taken from the first row that has them.
    QString workoutName, workoutNotes, comment, bodypart, trainingType;
    std::optional<int> workoutMinutes;
    QTime endTime;
};

class RowReader {
public:
    RowReader(const Header &header, const Options &options) : h(header), o(options) {}

    SetRow read(const CsvTable::Row &row) const
    {
        SetRow r;
        r.line = row.line;
        const auto field = [&](Column c) { return h.has(c) && h.index[c] < row.fields.size() ? row.fields[h.index[c]] : QString(); };
        readWhen(field, r);
        r.name = field(Exercise).trimmed();
        r.execution = field(Execution).trimmed();
        r.workoutName = field(WorkoutName).trimmed();
        r.workoutNotes = field(WorkoutNotes).trimmed();
        r.comment = field(Comment);
        r.bodypart = field(Bodypart).trimmed();
        r.trainingType = field(TrainingType).trimmed();
        r.workoutMinutes = cachedDuration(field(Duration));
        if (h.has(EndTime) && !field(EndTime).trimmed().isEmpty())
            r.endTime = timeOfDay(field(EndTime));
        if (h.fortavoLayout && field(Kind).trimmed().isEmpty() && r.name.isEmpty()) {
            r.empty = true;
        } else {
            readSet(field, r);
        }
        r.groupKey = {r.when.date.toJulianDay(), r.when.time.isValid() ? r.when.time.msecsSinceStartOfDay() : -1,
                      r.when.time.isValid() ? QString() : r.workoutName};
        return r;
    }

private:
    // The rows of a workout repeat its date and duration: each text is read once.
    std::optional<When> cachedDateTime(const QString &text) const
    {
        auto it = m_dates.constFind(text);
        if (it == m_dates.constEnd())
            it = m_dates.insert(text, dateTime(text));
        return *it;
    }
    std::optional<int> cachedDuration(const QString &text) const
    {
        auto it = m_durations.constFind(text);
        if (it == m_durations.constEnd())
            it = m_durations.insert(text, durationMinutes(text));
        return *it;
    }

    template <typename Field>
    void readWhen(const Field &field, SetRow &r) const
    {
        const QString dateText = h.has(Date) ? field(Date) : field(StartTime);
        const std::optional<When> when = cachedDateTime(dateText);
        if (!when)
            throw RowError{dateText.trimmed().isEmpty() ? QStringLiteral("no date")
                                                        : QStringLiteral("date \"%1\" is not a date").arg(dateText)};
        r.when = *when;
        if (h.has(Date) && h.has(StartTime) && !field(StartTime).trimmed().isEmpty())
            r.when.time = timeOfDay(field(StartTime));
    }

    template <typename Field>
    void readSet(const Field &field, SetRow &r) const
    {
        if (r.name.isEmpty())
            throw RowError{QStringLiteral("no exercise name")};
        const std::optional<double> reps = number(field(Reps), "reps");
        const std::optional<double> weight = number(field(Weight), "weight");
        const std::optional<double> distance = number(field(Distance), "distance");
        const double time = h.has(Seconds) ? seconds(field(Seconds)).value_or(0) : 0;
        if (h.fortavoLayout)
            r.cardio = field(Kind).trimmed().compare(QLatin1String("cardio"), Qt::CaseInsensitive) == 0;
        else
            r.cardio = (distance.value_or(0) > 0 || time > 0) && reps.value_or(0) == 0;
        if (r.cardio) {
            r.distanceMetres = distance.value_or(0) * metresPer(field(DistanceUnit));
            r.seconds = time;
            r.calories = number(field(Calories), "calories").value_or(0);
            r.cardioStart = timeOfDay(field(CardioStart));
            r.cardioMinutes = durationMinutes(field(CardioDuration));
            if (r.distanceMetres > 65535)
                throw RowError{QStringLiteral("distance of %1 m is above 65535 m").arg(r.distanceMetres)};
            if (r.calories > 65535)
                throw RowError{QStringLiteral("calories above 65535")};
            return;
        }
        if (!reps && !weight)
            throw RowError{QStringLiteral("neither reps nor weight")};
        r.reps = int(std::lround(reps.value_or(0)));
        if (r.reps > 255)
            throw RowError{QStringLiteral("%1 reps are above 255").arg(r.reps)};
        if (h.fortavoLayout) {
            r.sets = int(std::lround(number(field(Sets), "sets").value_or(0)));
            if (r.sets > 255)
                throw RowError{QStringLiteral("%1 sets are above 255").arg(r.sets)};
        }
        r.weight = float(round2(weight.value_or(0) * weightFactor(field(CsvColumns::WeightUnit))));
        if (r.execution.isEmpty())
            r.execution = executionOf(field(SetType));
    }

    double weightFactor(const QString &rowUnit) const
    {
        QString unit = rowUnit.trimmed().toLower();
        if (unit.isEmpty())
            unit = h.weightUnit;
        const bool statedKg = unit == u"kg" || unit == u"kgs";
        const bool statedLbs = unit == u"lbs" || unit == u"lb";
        if (statedLbs && o.unit == WeightUnit::Kg)
            return 1 / LbsPerKg;
        if (statedKg && o.unit == WeightUnit::Lbs)
            return LbsPerKg;
        return 1;
    }

    double metresPer(const QString &rowUnit) const
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

    static QString executionOf(const QString &setType)
    {
        const QString t = setType.trimmed().toLower();
        if (t == u"warmup")
            return QStringLiteral("Warmup");
        if (t == u"dropset")
            return QStringLiteral("Drop set");
        return QString();
    }

    const Header &h;
    const Options &o;
    mutable QHash<QString, std::optional<When>> m_dates;
    mutable QHash<QString, std::optional<int>> m_durations;
};

// The rows of one workout, collected in file order.
struct Group {
    QList<SetRow> rows;
};

class Builder {
public:
    Builder(const Options &options, Plan &plan, bool fortavoLayout) : o(options), p(plan), fortavo(fortavoLayout) {}

    QList<WorkoutRecord> build(const Group &g)
    {
        const SetRow &first = g.rows.first();
        WorkoutRecord base;
        base.Date = DayCount::fromDate(first.when.date);
        base.StartTime = first.when.time.isValid() ? DayCount::fromTime(first.when.time) : 0;
        QList<ExerciseEntry> exercises;
        QList<CardioEntry> cardio;
        QString name, notes, comment, bodypart, type;
        std::optional<int> minutes;
        QTime end;
        for (const SetRow &r : g.rows) {
            name = name.isEmpty() ? r.workoutName : name;
            notes = notes.isEmpty() ? r.workoutNotes : notes;
            comment = comment.isEmpty() ? r.comment : comment;
            bodypart = bodypart.isEmpty() ? r.bodypart : bodypart;
            type = type.isEmpty() ? r.trainingType : type;
            minutes = minutes ? minutes : r.workoutMinutes;
            end = end.isValid() ? end : r.endTime;
            if (r.empty)
                continue;
            if (r.cardio)
                cardio.append(cardioEntry(r, base.StartTime));
            else
                addSet(exercises, r);
        }
        if (!minutes && end.isValid() && first.when.time.isValid())
            minutes = int(first.when.time.secsTo(end) / 60 + (first.when.time.secsTo(end) < 0 ? 24 * 60 : 0));
        base.Duration = minutes ? storedDuration(*minutes) : 0;
        base.Bodypart = fit(bodypart, WorkoutRecord::BodypartCapacity);
        base.TrainingType = quint8(std::max<qsizetype>(0, o.trainingTypes.indexOf(type)));
        if (!fortavo)
            comment = notes.isEmpty() ? name : name.isEmpty() ? notes : name + QStringLiteral(": ") + notes;
        base.Comment = fit(comment, WorkoutRecord::CommentCapacity);
        return split(base, exercises, cardio);
    }

private:
    QString fit(const QString &text, int capacity)
    {
        // Names repeat on every set of an exercise: each text is fitted once.
        QHash<QString, QString> &fitted = m_fitted[capacity];
        if (const auto it = fitted.constFind(text); it != fitted.constEnd()) {
            countFit(text, *it, capacity);
            return *it;
        }
        const QString stored = fitted.insert(text, CodePage::fit(text, capacity)).value();
        countFit(text, stored, capacity);
        return stored;
    }

    void countFit(const QString &text, const QString &stored, int capacity)
    {
        if (stored == text)
            return;
        if (!CodePage::holds(text))
            ++p.textsWithReplacedCharacters;
        if (CodePage::encode(text, int(text.size()) * 4).size() > capacity)
            ++p.textsCut;
    }

    CardioEntry cardioEntry(const SetRow &r, double workoutStart)
    {
        CardioEntry c;
        c.CardioType = fit(r.name, CardioEntry::TypeCapacity);
        c.StartTime = r.cardioStart.isValid() ? DayCount::fromTime(r.cardioStart) : workoutStart;
        c.Duration = storedDuration(r.cardioMinutes ? *r.cardioMinutes : int(std::lround(r.seconds / 60)));
        c.Distance = quint16(std::lround(r.distanceMetres));
        c.Calories = quint16(std::lround(r.calories));
        return c;
    }

    // Consecutive equal sets of an exercise become one row with their count.
    void addSet(QList<ExerciseEntry> &rows, const SetRow &r)
    {
        ExerciseEntry e;
        e.Name = fit(r.name, ExerciseEntry::NameCapacity);
        e.ExecutionType = fit(r.execution, ExerciseEntry::ExecutionTypeCapacity);
        e.Reps = quint8(r.reps);
        e.Weight = r.weight;
        e.Sets = quint8(r.sets);
        if (!fortavo && !rows.isEmpty()) {
            ExerciseEntry &last = rows.last();
            if (last.Name == e.Name && last.ExecutionType == e.ExecutionType && last.Reps == e.Reps
                && last.Weight == e.Weight && last.Sets < 255) {
                ++last.Sets;
                return;
            }
        }
        rows.append(e);
    }

    // More than 20 rows of a kind go on in further records with the same date and time.
    QList<WorkoutRecord> split(const WorkoutRecord &base, const QList<ExerciseEntry> &ex, const QList<CardioEntry> &cardio)
    {
        const qsizetype max = WorkoutRecord::MaxRows;
        const qsizetype parts = std::max<qsizetype>({1, (ex.size() + max - 1) / max, (cardio.size() + max - 1) / max});
        if (parts > 1)
            ++p.workoutsSplit;
        QList<WorkoutRecord> records;
        for (qsizetype i = 0; i < parts; ++i) {
            WorkoutRecord r = base;
            r.Exercises = ex.mid(i * max, max);
            r.Cardio = cardio.mid(i * max, max);
            records.append(r);
        }
        return records;
    }

    const Options &o;
    Plan &p;
    bool fortavo;
    QHash<int, QHash<QString, QString>> m_fitted; // by capacity
};

template <typename T>
void appendRaw(QByteArray &key, T value)
{
    key.append(reinterpret_cast<const char *>(&value), sizeof value);
}

void appendText(QByteArray &key, const QString &text)
{
    appendRaw(key, qint32(text.size()));
    key.append(reinterpret_cast<const char *>(text.constData()), text.size() * qsizetype(sizeof(QChar)));
}
}

QByteArray workoutKey(const WorkoutRecord &record)
{
    // Whole days, seconds of the day, then every row field by field.
    QByteArray key;
    key.reserve(64 + record.Exercises.size() * 48);
    appendRaw(key, qint64(DayCount::toDate(record.Date).toJulianDay()));
    appendRaw(key, qint32(DayCount::toTime(record.StartTime).msecsSinceStartOfDay() / 1000));
    for (const ExerciseEntry &e : record.Exercises) {
        appendText(key, e.Name);
        appendText(key, e.ExecutionType);
        appendRaw(key, e.Sets);
        appendRaw(key, e.Reps);
        appendRaw(key, e.Weight);
    }
    key.append('|');
    for (const CardioEntry &c : record.Cardio) {
        appendText(key, c.CardioType);
        appendRaw(key, c.Duration);
        appendRaw(key, c.Distance);
    }
    return key;
}

QSet<QByteArray> workoutKeys(TrainingFile &training)
{
    QSet<QByteArray> keys;
    training.forEachRaw(0, training.RecordCount(),
                        [&](const char *bytes) { keys.insert(workoutKey(WorkoutRecord::decode(bytes))); });
    return keys;
}

Plan plan(const CsvTable &table, const Options &options, const QSet<QByteArray> &present, const QStringList &knownExercises)
{
    const Header header = recognise(table.header);
    const bool hasDate = header.has(Date) || header.has(StartTime);
    if (!hasDate || !header.has(Exercise) || !(header.has(Reps) || header.has(Weight)))
        throw ConversionError(QStringLiteral(
            "The file has no recognisable header. Expected a CSV file whose first line names its columns, with a "
            "date column (Date or start_time), an exercise column (Exercise Name, exercise_title or Exercise) and "
            "reps or weight columns."));

    Plan result;
    const RowReader reader(header, options);
    QHash<GroupKey, qsizetype> groupIndex;
    QList<Group> groups;
    for (const CsvTable::Row &row : table.rows) {
        if (row.fields.size() == 1 && row.fields.first().trimmed().isEmpty())
            continue;
        try {
            SetRow r = reader.read(row);
            auto it = groupIndex.constFind(r.groupKey);
            if (it == groupIndex.constEnd()) {
                it = groupIndex.insert(r.groupKey, groups.size());
                groups.append(Group());
            }
            groups[*it].rows.append(std::move(r));
        } catch (const RowError &error) {
            result.problems.append({row.line, error.reason});
        }
    }

    Builder builder(options, result, header.fortavoLayout);
    QSet<QString> known(knownExercises.cbegin(), knownExercises.cend());
    QSet<QByteArray> seen = present;
    for (const Group &g : groups) {
        ++result.workoutsFound;
        const QList<WorkoutRecord> records = builder.build(g);
        const QByteArray key = workoutKey(records.first());
        if (seen.contains(key)) {
            ++result.skippedAsPresent;
            continue;
        }
        seen.insert(key);
        for (qsizetype i = 0; i < records.size(); ++i) {
            if (i > 0)
                seen.insert(workoutKey(records[i]));
            result.toAdd.append(records[i]);
        }
    }
    std::stable_sort(result.toAdd.begin(), result.toAdd.end(), [](const WorkoutRecord &a, const WorkoutRecord &b) {
        return std::floor(a.Date) != std::floor(b.Date) ? a.Date < b.Date : a.StartTime < b.StartTime;
    });
    for (const WorkoutRecord &r : result.toAdd)
        for (const ExerciseEntry &e : r.Exercises)
            if (!known.contains(e.Name)) {
                known.insert(e.Name);
                result.newExercises.append(e.Name);
            }
    return result;
}

QStringList Plan::reportLines() const
{
    QStringList lines;
    lines << QStringLiteral("Workouts to add: %1").arg(toAdd.size());
    lines << QStringLiteral("Workouts skipped as already present: %1").arg(skippedAsPresent);
    if (workoutsSplit > 0)
        lines << QStringLiteral("Workouts of more than 20 rows, continued in further records: %1").arg(workoutsSplit);
    lines << QStringLiteral("New exercises: %1").arg(newExercises.isEmpty() ? QStringLiteral("none") : newExercises.join(QStringLiteral(", ")));
    if (textsCut > 0)
        lines << QStringLiteral("Texts cut to their field's length: %1").arg(textsCut);
    if (textsWithReplacedCharacters > 0)
        lines << QStringLiteral("Texts with characters stored as \"?\": %1").arg(textsWithReplacedCharacters);
    lines << QStringLiteral("Rows that could not be read: %1").arg(problems.size());
    for (const RowProblem &problem : problems)
        lines << QStringLiteral("  line %1: %2").arg(problem.line).arg(problem.reason);
    return lines;
}

void apply(const Plan &plan, TrainingFile &training, ExerciseFile *exercises)
{
    if (!plan.toAdd.isEmpty()) {
        const QString path = training.fileName();
        const int count = training.RecordCount();
        // Nobody else writes it meanwhile, and it is still the file the plan was made on.
        const FileLock::WriteLock lock(path);
        training.checkUnchanged();
        WholeFile::write(path, [&](QIODevice &out) {
            training.forEachChunk(0, count, [&](const QByteArray &bytes, int) { WholeFile::writeTo(out, bytes, path); });
            for (const WorkoutRecord &r : plan.toAdd)
                WholeFile::writeTo(out, r.encode(), path);
        });
        // The file was replaced: read the new one from now on.
        training.reopen();
    }
    if (exercises && !plan.newExercises.isEmpty()) {
        QList<CatalogExercise> list = exercises->readAll();
        for (const QString &name : plan.newExercises)
            list.append({name, QString(), QString()});
        exercises->save(list);
    }
}
}
