#include "progress/ProgressData.h"

#include "common/DayCount.h"
#include "progress/RawWorkout.h"

#include <QHash>
#include <QMap>

#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>

float measureValue(const ExercisePoint &point, ProgressMeasure measure)
{
    switch (measure) {
    case ProgressMeasure::OneRm:
        return point.bestOneRm;
    case ProgressMeasure::Weight:
        return point.heaviest;
    case ProgressMeasure::Volume:
        return point.volume;
    }
    return 0;
}

float WeekTotals::volume() const
{
    float sum = 0;
    for (float v : volumeByBodypart)
        sum += v;
    return sum;
}

namespace {
// Takes the value when it beats the mark; of equal values the earlier date stays.
// Records are met in file order, so of one date the lower record stays too.
bool improves(const RecordMark &mark, float value, int day)
{
    return !mark.isSet() || value > mark.value || (value == mark.value && day < mark.day);
}

void offer(RecordMark &mark, float value, int day, int record, float weight, int reps)
{
    if (improves(mark, value, day))
        mark = {value, day, record, weight, reps};
}

// Whole minutes of a duration stored as hours + minutes/100. A damaged value (not a
// number, negative, beyond the mask's 99:99) counts as nothing.
qint64 durationMinutes(float duration)
{
    if (!(duration >= 0) || duration >= 100)
        return 0;
    const float hours = std::floor(duration);
    return qint64(hours) * 60 + qint64(std::lround((duration - hours) * 100));
}

// What one workout holds of one exercise.
struct WorkoutPart {
    int exercise = -1;
    ExercisePoint point;
    float oneRmWeight = 0;
    int oneRmReps = 0;
    int bodyweightReps = 0;
};

struct Collector {
    QList<ExerciseSeries> series;
    QList<ExerciseRecords> records; // parallel to series
    QHash<QString, int> byLowerName;
    QHash<QByteArray, int> nameCache;
    QHash<QByteArray, int> bodypartCache;
    QStringList bodyparts;
    QMap<int, WeekTotals> weeks;

    int exerciseIndex(const QString &name)
    {
        if (name.isEmpty())
            return -1;
        const QString lower = name.toLower();
        const auto it = byLowerName.constFind(lower);
        if (it != byLowerName.constEnd())
            return it.value();
        const int index = int(series.size());
        series.append(ExerciseSeries{name, {}});
        records.append(ExerciseRecords());
        records.last().name = name;
        byLowerName.insert(lower, index);
        return index;
    }

    int bodypartIndex(const QString &text)
    {
        const qsizetype i = bodyparts.indexOf(text);
        if (i >= 0)
            return int(i);
        bodyparts.append(text);
        return int(bodyparts.size() - 1);
    }

    void addRecord(const char *bytes, int record)
    {
        const int day = RawWorkout::day(bytes);
        WorkoutPart parts[WorkoutRecord::MaxRows];
        int partCount = 0;
        float workoutVolume = 0;
        const int rows = RawWorkout::exerciseCount(bytes);
        for (int i = 0; i < rows; ++i) {
            const char *row = RawWorkout::exerciseRow(bytes, i);
            const int exercise = RawWorkout::cachedIndex(nameCache, row, ExerciseEntry::NameCapacity,
                                                         [this](const QString &name) { return exerciseIndex(name); });
            if (exercise < 0) // a row without a name is no exercise
                continue;
            WorkoutPart *part = std::find_if(parts, parts + partCount,
                                             [exercise](const WorkoutPart &p) { return p.exercise == exercise; });
            if (part == parts + partCount) {
                ++partCount;
                part->exercise = exercise;
                part->point.day = day;
                part->point.record = record;
            }
            const int reps = RawWorkout::reps(row);
            const float weight = RawWorkout::weight(row);
            const float volume = RawWorkout::rowVolume(row);
            part->point.volume += volume;
            workoutVolume += volume;
            if (reps == 0)
                continue;
            if (RawWorkout::isLoad(weight)) {
                const float oneRm = EstimateOneRm(quint8(reps), weight);
                if (oneRm > part->point.bestOneRm) {
                    part->point.bestOneRm = oneRm;
                    part->oneRmWeight = weight;
                    part->oneRmReps = reps;
                }
                if (weight > part->point.heaviest || (weight == part->point.heaviest && reps > part->point.heaviestReps)) {
                    part->point.heaviest = weight;
                    part->point.heaviestReps = reps;
                }
            } else if (weight == 0) {
                part->bodyweightReps = std::max(part->bodyweightReps, reps);
            }
        }

        for (int k = 0; k < partCount; ++k) {
            const WorkoutPart &part = parts[k];
            const ExercisePoint &p = part.point;
            series[part.exercise].points.append(p);
            ExerciseRecords &r = records[part.exercise];
            if (p.bestOneRm > 0)
                offer(r.bestOneRm, p.bestOneRm, day, record, part.oneRmWeight, part.oneRmReps);
            if (p.heaviest > 0)
                offer(r.heaviest, p.heaviest, day, record, p.heaviest, p.heaviestReps);
            if (part.bodyweightReps > 0)
                offer(r.bodyweightReps, float(part.bodyweightReps), day, record, 0, part.bodyweightReps);
            if (p.volume > 0)
                offer(r.bestVolume, p.volume, day, record, 0, 0);
        }

        const int bodypart = RawWorkout::cachedIndex(bodypartCache, bytes + WorkoutLayout::Bodypart,
                                                     WorkoutRecord::BodypartCapacity,
                                                     [this](const QString &text) { return bodypartIndex(text); });
        WeekTotals &week = weeks[weekStartDay(day)];
        week.firstDay = weekStartDay(day);
        if (week.volumeByBodypart.size() <= bodypart)
            week.volumeByBodypart.resize(bodypart + 1, 0.0f);
        week.volumeByBodypart[bodypart] += workoutVolume;
        ++week.workouts;
        week.minutes += durationMinutes(LittleEndian::readSingle(bytes + WorkoutLayout::Duration));
    }
};
}

int ProgressData::findExercise(const QString &name) const
{
    for (qsizetype i = 0; i < exercises.size(); ++i) {
        if (exercises.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

int ProgressData::findRecords(const QString &name) const
{
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (records.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

ProgressData CollectProgress(TrainingFile &file, const QStringList &catalogueNames, const ProgressCallback &progress)
{
    Collector c;
    for (const QString &name : catalogueNames)
        c.exerciseIndex(name);
    int record = 0;
    file.forEachChunk(
        0, file.RecordCount(),
        [&](const QByteArray &bytes, int n) {
            for (int i = 0; i < n; ++i)
                c.addRecord(bytes.constData() + qsizetype(i) * WorkoutRecord::Size, record++);
        },
        progress);

    QList<int> order(c.series.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return c.series.at(a).name.compare(c.series.at(b).name, Qt::CaseInsensitive) < 0;
    });

    ProgressData data;
    data.exercises.reserve(order.size());
    for (int i : order) {
        ExerciseSeries &s = c.series[i];
        std::stable_sort(s.points.begin(), s.points.end(),
                         [](const ExercisePoint &a, const ExercisePoint &b) { return a.day < b.day; });
        if (!s.points.isEmpty())
            data.records.append(c.records.at(i));
        data.exercises.append(std::move(s));
    }
    data.bodyparts = c.bodyparts;
    data.weeks.reserve(c.weeks.size());
    for (WeekTotals &week : c.weeks) {
        week.volumeByBodypart.resize(c.bodyparts.size(), 0.0f);
        data.weeks.append(std::move(week));
    }
    return data;
}

int weekStartDay(int day)
{
    // Day 2 (1 January 1900) was a Monday.
    const qint64 sinceMonday = ((qint64(day) - 2) % 7 + 7) % 7;
    return int(std::max<qint64>(qint64(day) - sinceMonday, INT_MIN));
}

int rangeFirstDay(ProgressRange range, const QDate &today)
{
    switch (range) {
    case ProgressRange::LastThreeMonths:
        return int(DayCount::fromDate(today.addMonths(-3)));
    case ProgressRange::LastYear:
        return int(DayCount::fromDate(today.addYears(-1)));
    case ProgressRange::All:
        break;
    }
    return INT_MIN;
}

QList<ExercisePoint> pointsBetween(const QList<ExercisePoint> &points, int fromDay, int toDay)
{
    QList<ExercisePoint> result;
    for (const ExercisePoint &p : points) {
        if (p.day >= fromDay && p.day <= toDay)
            result.append(p);
    }
    return result;
}

QList<WeekTotals> weeksBetween(const QList<WeekTotals> &weeks, int fromDay, int toDay)
{
    QList<WeekTotals> result;
    for (const WeekTotals &w : weeks) {
        if (qint64(w.firstDay) + 6 >= fromDay && w.firstDay <= toDay)
            result.append(w);
    }
    return result;
}
