#include "csv/CsvImport.h"

#include "common/CodePage.h"
#include "common/DayCount.h"
#include "common/Errors.h"
#include "csv/CsvColumns.h"
#include "csv/CsvGrouping.h"
#include "csv/CsvPlanReading.h"
#include "csv/CsvRows.h"
#include "csv/CsvValues.h"
#include "store/TrainingFile.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

using namespace CsvColumns;
using namespace CsvValues;
using namespace CsvRows;
using CsvGrouping::Group;

namespace CsvImport {
namespace {
// Writes a key into a buffer sized for it beforehand.
struct KeyWriter {
    char *at;
    template <typename T>
    void raw(T value)
    {
        std::memcpy(at, &value, sizeof value);
        at += sizeof value;
    }
    // Texts as the import stores them: without the spaces around them.
    void text(const QString &text)
    {
        const QStringView t = QStringView(text).trimmed();
        raw(qint32(t.size()));
        if (!t.isEmpty())
            std::memcpy(at, t.data(), size_t(t.size()) * sizeof(QChar));
        at += t.size() * qsizetype(sizeof(QChar));
    }
};

// Durations as whole minutes, which is what a CSV line holds of them.
qint32 durationKey(float duration)
{
    if (!std::isfinite(duration) || std::fabs(duration) > 1e6f)
        return std::numeric_limits<qint32>::min();
    const double hours = std::floor(double(duration) + 1e-4);
    return qint32(hours * 60 + std::lround((double(duration) - hours) * 100));
}
}

namespace {
// The key into a buffer that keeps its memory from one key to the next.
void writeWorkoutKey(const WorkoutRecord &record, QByteArray &key)
{
    // Whole days, seconds of the day, the workout's own fields, then every row field by
    // field.
    qsizetype size = 8 + 4 + 4 + 4 + record.Bodypart.size() * 2 + 1 + 4 + record.Comment.size() * 2 + 1;
    for (const ExerciseEntry &e : record.Exercises)
        size += 4 + e.Name.size() * 2 + 4 + e.ExecutionType.size() * 2 + 1 + 1 + 4;
    for (const CardioEntry &c : record.Cardio)
        size += 4 + c.CardioType.size() * 2 + 4 + 2;
    key.resize(size);
    KeyWriter w{key.data()};
    w.raw(qint64(DayCount::toDate(record.Date).toJulianDay()));
    w.raw(qint32(DayCount::toTime(record.StartTime).msecsSinceStartOfDay() / 1000));
    w.raw(durationKey(record.Duration));
    w.text(record.Bodypart);
    w.raw(record.TrainingType);
    w.text(record.Comment);
    for (const ExerciseEntry &e : record.Exercises) {
        w.text(e.Name);
        w.text(e.ExecutionType);
        w.raw(e.Sets);
        w.raw(e.Reps);
        w.raw(e.Weight + 0.0f); // -0 and 0 are the same bodyweight
    }
    w.raw('|');
    for (const CardioEntry &c : record.Cardio) {
        w.text(c.CardioType);
        w.raw(durationKey(c.Duration));
        w.raw(c.Distance);
    }
    // Trimmed texts may be shorter than the size reserved for them.
    key.truncate(w.at - key.constData());
}
}

QByteArray workoutKey(const WorkoutRecord &record)
{
    QByteArray key;
    writeWorkoutKey(record, key);
    return key;
}

QSet<QByteArray> workoutKeys(TrainingFile &training)
{
    QSet<QByteArray> keys;
    training.forEachRaw(0, training.RecordCount(),
                        [&](const char *bytes) { keys.insert(workoutKey(WorkoutRecord::decode(bytes))); });
    return keys;
}

namespace {
void checkHeader(const CsvTable &table, const Header &header)
{
    if (table.header.isEmpty() || (table.header.size() == 1 && table.header.first().trimmed().isEmpty() && table.rows.isEmpty()))
        throw ConversionError(QStringLiteral("The file is empty."));
    if (table.header.first().trimmed().startsWith(QLatin1String("###")))
        throw ConversionError(QStringLiteral(
            "The file is made of \"### SECTION ###\" blocks: this layout is not supported. Export the workouts as a CSV "
            "file with one set a line instead."));
    const bool hasDate = header.has(Date) || header.has(StartTime);
    if (!hasDate || !header.has(Exercise) || !(header.has(Reps) || header.has(Weight)))
        throw ConversionError(QStringLiteral(
            "The file has no recognisable header. Expected a CSV file whose first line names its columns, with a "
            "date column (Date or start_time), an exercise column (Exercise Name, exercise_title or Exercise) and "
            "reps or weight columns."));
}

// A cut line starts another workout when its date and workout name are there whole
// (a field follows them) and differ from the line above.
bool startsAnotherWorkout(const Header &header, const QStringList &above, const QStringList &cut)
{
    for (Column c : {Date, StartTime, WorkoutName})
        if (header.has(c) && header.index[c] + 1 < cut.size() && header.index[c] < above.size()
            && cut[header.index[c]] != above[header.index[c]])
            return true;
    return false;
}

// Workouts read whole, made into their records; those the training file or the CSV
// itself has already are left out.
class WorkoutsMade {
public:
    WorkoutsMade(Plan &plan, CsvGrouping::Builder &builder, const QSet<QByteArray> &present)
        : p(plan), b(builder), present(present), today(QDate::currentDate())
    {
    }

    void add(Group &g)
    {
        ++p.workoutsFound;
        // The workout's records go to the end of toAdd, and leave it again when present.
        const qsizetype first = p.toAdd.size();
        b.build(g, p.toAdd);
        writeWorkoutKey(p.toAdd[first], key);
        const size_t hash = qHash(key);
        if (present.contains(key) || readBefore(hash)) {
            for (qsizetype i = first; i < p.toAdd.size(); ++i)
                alreadyPresent.append(std::move(p.toAdd[i]));
            p.toAdd.resize(first);
            ++p.skippedAsPresent;
            return;
        }
        remember(hash, first);
        ++p.workoutsToAdd;
        if (g.when.date > today)
            ++p.workoutsInFuture;
        for (qsizetype i = first + 1; i < p.toAdd.size(); ++i) {
            writeWorkoutKey(p.toAdd[i], key);
            remember(qHash(key), i);
        }
    }

    QList<WorkoutRecord> alreadyPresent;

private:
    // Whether a record to add has the key in key. The records read are found by the
    // hash of their key, so no key is kept: one is worked out again only for a record
    // whose hash is the same.
    bool readBefore(size_t hash)
    {
        const auto sameKey = [&](qsizetype index) {
            writeWorkoutKey(p.toAdd[index], otherKey);
            return otherKey == key;
        };
        const auto it = byHash.constFind(hash);
        if (it == byHash.constEnd())
            return false;
        if (sameKey(*it))
            return true;
        for (const auto &[h, index] : sameHash)
            if (h == hash && sameKey(index))
                return true;
        return false;
    }

    void remember(size_t hash, qsizetype index)
    {
        if (byHash.contains(hash))
            sameHash.append({hash, index}); // two keys with one hash: almost never
        else
            byHash.insert(hash, index);
    }

    Plan &p;
    CsvGrouping::Builder &b;
    const QSet<QByteArray> &present;
    QHash<size_t, qsizetype> byHash; // the first record to add of each key hash
    QList<std::pair<size_t, qsizetype>> sameHash;
    QByteArray key, otherKey;
    const QDate today;
};

// The exercises of every workout read, new ones first, then those already present: an
// import stopped after its workouts but before the exercise list still adds them. A
// name like the row's above is known by then.
void listNewExercises(Plan &plan, const QList<WorkoutRecord> &alreadyPresent, const QStringList &knownExercises)
{
    QSet<QString> known(knownExercises.cbegin(), knownExercises.cend());
    const QString *above = nullptr;
    for (const QList<WorkoutRecord> *records : {&std::as_const(plan.toAdd), &alreadyPresent})
        for (const WorkoutRecord &r : *records)
            for (const ExerciseEntry &e : r.Exercises) {
                if (above && *above == e.Name)
                    continue;
                above = &e.Name;
                if (!known.contains(e.Name)) {
                    known.insert(e.Name);
                    plan.newExercises.append(e.Name);
                }
            }
}
}

Plan readPlan(const QByteArray &csv, const Options &options, const QSet<QByteArray> &present,
              const QStringList &knownExercises, const RecordsMade &made)
{
    CsvReader batches(csv, options.batchRows);
    const CsvTable &table = batches.table();
    const Header header = recognise(table.header);
    bool more = batches.next();
    checkHeader(table, header);

    Plan result;
    result.columnsByPosition = header.takenByPosition;
    result.unreadWeightColumns = header.unreadColumns;
    const RowReader reader(table, header, options);
    QList<Group> groups;
    CsvGrouping::Builder builder(options, result, header);
    WorkoutsMade workouts(result, builder, present);
    // Rows of a workout mostly follow one another, and workouts one another in order:
    // while every new key comes after the one before, it starts a new group without a
    // look-up. The first key out of order builds the index of the groups.
    bool inOrder = true;
    QHash<GroupKey, qsizetype> groupIndex;
    GroupKey lastKey;
    qsizetype lastGroup = 0;
    // The last row read, for a cut line after it: in this batch, or its fields kept
    // from an earlier one.
    const CsvTable::Row *previous = nullptr;
    QStringList previousFields;
    for (; more; more = batches.next()) {
        for (const CsvTable::Row &row : table.rows) {
            if (row.count == 1 && table.text(row, 0).trimmed().isEmpty())
                continue;
            const bool cut = batches.atEnd() && table.lastLineCut && &row == &table.rows.last() && row.count < header.fieldCount;
            if (cut) {
                // A file cut in the middle of a line: the workout that line belongs to is
                // left out whole, so a later import of the full file adds it once.
                result.problems.append({row.line, QStringLiteral("the file ends in the middle of this line")});
                // Its workout is the one above unless the line starts another one.
                if (!groups.isEmpty() && !startsAnotherWorkout(header, previous ? table.fields(*previous) : previousFields, table.fields(row))) {
                    // The line above was the last one read: its workout is the last group.
                    Group &g = groups[lastGroup];
                    result.workoutsLeftOut.append(
                        (g.when.date.toString(Qt::ISODate) + u' ' + g.when.time.toString(QStringLiteral("HH:mm"))).trimmed());
                    g.leftOut = true;
                }
                break;
            }
            try {
                ReadRow r = reader.read(row);
                if (groups.isEmpty() || !(r.groupKey == lastKey)) {
                    if (inOrder && !groups.isEmpty() && !(lastKey < r.groupKey)) {
                        // A workout made already may come back, and is gone from the groups.
                        if (result.workoutsFound > 0)
                            throw MadeTooEarly{};
                        inOrder = false;
                        for (qsizetype i = 0; i < groups.size(); ++i)
                            groupIndex.insert(groups[i].key, i);
                    }
                    auto it = inOrder ? groupIndex.constEnd() : groupIndex.constFind(r.groupKey);
                    if (it == groupIndex.constEnd()) {
                        // In date order, the workout before is whole: it is made, and
                        // its group's memory serves the next one.
                        if (made && inOrder && !groups.isEmpty()) {
                            workouts.add(groups[lastGroup]);
                            groups.clear();
                            made(result.toAdd);
                        }
                        lastGroup = groups.size();
                        groups.append(Group{r.groupKey, r.when, {}, {}, {}, {}, {}});
                        if (!inOrder)
                            groupIndex.insert(r.groupKey, lastGroup);
                    } else {
                        lastGroup = *it;
                    }
                    lastKey = r.groupKey;
                }
                Group &g = groups[lastGroup];
                g.workout.takeMissing(r.workout);
                builder.add(g, r.set);
                previous = &row;
            } catch (const RowError &error) {
                result.problems.append({row.line, error.reason});
            }
        }
        if (previous) {
            previousFields = table.fields(*previous);
            previous = nullptr;
        }
    }

    const bool someMade = result.workoutsFound > 0;
    for (Group &g : groups)
        if (!g.leftOut)
            workouts.add(g);
    const auto earlier = [](const WorkoutRecord &a, const WorkoutRecord &b) {
        return std::floor(a.Date) != std::floor(b.Date) ? a.Date < b.Date : a.StartTime < b.StartTime;
    };
    // Files mostly list their workouts in date order already. Workouts made while
    // reading came in order, or the reading would have stopped; records written must
    // never be sorted after the fact, though.
    if (!std::is_sorted(result.toAdd.cbegin(), result.toAdd.cend(), earlier)) {
        if (someMade)
            throw MadeTooEarly{};
        std::stable_sort(result.toAdd.begin(), result.toAdd.end(), earlier);
    }
    listNewExercises(result, workouts.alreadyPresent, knownExercises);
    result.readAsWindows1252 = table.readAsWindows1252;
    return result;
}

Plan plan(const QByteArray &csv, const Options &options, const QSet<QByteArray> &present, const QStringList &knownExercises)
{
    return readPlan(csv, options, present, knownExercises, {});
}

QStringList Plan::reportLines() const
{
    QStringList lines;
    if (readAsWindows1252)
        lines << QStringLiteral("The file is not UTF-8 text: read as Windows-1252.");
    if (!columnsByPosition.isEmpty())
        lines << QStringLiteral("The header's names are unknown; its columns were taken by position: %1")
                     .arg(columnsByPosition.join(QStringLiteral(", ")));
    for (const QString &column : unreadWeightColumns)
        lines << QStringLiteral("The column \"%1\" is not read as a weight: every weight is stored as 0 (body weight).").arg(column);
    lines << QStringLiteral("Workouts to add: %1").arg(workoutsToAdd);
    if (toAdd.size() != workoutsToAdd)
        lines << QStringLiteral("Records to add: %1").arg(toAdd.size());
    lines << QStringLiteral("Workouts skipped as already present: %1").arg(skippedAsPresent);
    if (workoutsSplit > 0)
        lines << QStringLiteral("Workouts of more than 20 rows, continued in further records: %1").arg(workoutsSplit);
    if (workoutsInFuture > 0)
        lines << QStringLiteral("%1 workouts are dated after today").arg(workoutsInFuture);
    lines << QStringLiteral("New exercises: %1").arg(newExercises.isEmpty() ? QStringLiteral("none") : newExercises.join(QStringLiteral(", ")));
    if (restTimerRows > 0)
        lines << QStringLiteral("Rest timer rows left out: %1").arg(restTimerRows);
    if (setsNotDone > 0)
        lines << QStringLiteral("Sets not done (no completed reps) left out: %1").arg(setsNotDone);
    if (durationsCut > 0)
        lines << QStringLiteral("Durations longer than 99:59, stored as 99:59: %1").arg(durationsCut);
    if (textsCut > 0)
        lines << QStringLiteral("Texts cut to their field's length: %1").arg(textsCut);
    if (textsWithReplacedCharacters > 0)
        lines << QStringLiteral("Texts with characters stored as \"?\": %1").arg(textsWithReplacedCharacters);
    for (const QString &workout : workoutsLeftOut)
        lines << QStringLiteral("The file is cut off: the workout of %1 is left out.").arg(workout);
    lines << QStringLiteral("Rows that could not be read: %1").arg(problems.size());
    for (const RowProblem &problem : problems)
        lines << QStringLiteral("  line %1: %2").arg(problem.line).arg(problem.reason);
    return lines;
}
}
