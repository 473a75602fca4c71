#include "progress/NewRecord.h"

#include "common/ValueConversions.h"
#include "progress/RawWorkout.h"
#include "progress/RecordTexts.h"

#include <QHash>
#include <QStringList>

#include <algorithm>

namespace {
// One exercise of the saved workout: its best rows there and the best of earlier dates.
struct Candidate {
    QString name;       // the spelling of its first row in the saved workout
    QString lowerName;
    float oneRm = 0;    // the saved workout's best expected 1RM and its row
    float oneRmWeight = 0;
    int oneRmReps = 0;
    float heaviest = 0; // its heaviest weight, with the most reps done with it
    int heaviestReps = 0;
    bool doneBefore = false;
    float earlierOneRm = 0;
    float earlierHeaviest = 0;
};

QString rowText(float weight, int reps)
{
    return QLatin1Char('(') + weightTimesReps(weight, reps) + QLatin1Char(')');
}
}

QString NewRecordText(TrainingFile &file, int recordIndex)
{
    const int count = file.RecordCount();
    if (recordIndex < 0 || recordIndex >= count)
        return {};
    const QByteArray savedBytes = file.readRaw(recordIndex, 1);
    const WorkoutRecord saved = WorkoutRecord::decode(savedBytes.constData());
    const int savedDay = RawWorkout::day(savedBytes.constData());

    QList<Candidate> candidates;
    for (const ExerciseEntry &e : saved.Exercises) {
        if (e.Name.isEmpty())
            continue;
        const QString lower = e.Name.toLower();
        auto it = std::find_if(candidates.begin(), candidates.end(),
                               [&](const Candidate &c) { return c.lowerName == lower; });
        if (it == candidates.end()) {
            candidates.append(Candidate());
            it = candidates.end() - 1;
            it->name = e.Name;
            it->lowerName = lower;
        }
        if (e.Reps == 0 || !RawWorkout::isLoad(e.Weight))
            continue;
        const float oneRm = EstimateOneRm(e.Reps, e.Weight);
        if (oneRm > it->oneRm) {
            it->oneRm = oneRm;
            it->oneRmWeight = e.Weight;
            it->oneRmReps = e.Reps;
        }
        if (e.Weight > it->heaviest || (e.Weight == it->heaviest && e.Reps > it->heaviestReps)) {
            it->heaviest = e.Weight;
            it->heaviestReps = e.Reps;
        }
    }
    if (candidates.isEmpty())
        return {};

    // Only the names of the saved workout matter: each distinct stored name is decoded
    // once and mapped to its candidate or to -1.
    QHash<QByteArray, int> nameCache;
    const auto candidateOf = [&](const QString &name) {
        for (qsizetype i = 0; i < candidates.size(); ++i) {
            if (exerciseNameMatches(name, candidates.at(i).lowerName))
                return int(i);
        }
        return -1;
    };
    int record = 0;
    file.forEachChunk(0, count, [&](const QByteArray &bytes, int n) {
        for (int r = 0; r < n; ++r, ++record) {
            const char *p = bytes.constData() + qsizetype(r) * WorkoutRecord::Size;
            if (record == recordIndex || RawWorkout::day(p) >= savedDay)
                continue;
            const int rows = RawWorkout::exerciseCount(p);
            for (int i = 0; i < rows; ++i) {
                const char *row = RawWorkout::exerciseRow(p, i);
                const int k = RawWorkout::cachedIndex(nameCache, row, ExerciseEntry::NameCapacity, candidateOf);
                if (k < 0)
                    continue;
                Candidate &c = candidates[k];
                c.doneBefore = true;
                const int reps = RawWorkout::reps(row);
                const float weight = RawWorkout::weight(row);
                if (reps == 0 || !RawWorkout::isLoad(weight))
                    continue;
                c.earlierOneRm = std::max(c.earlierOneRm, EstimateOneRm(quint8(reps), weight));
                c.earlierHeaviest = std::max(c.earlierHeaviest, weight);
            }
        }
    });

    QStringList parts;
    for (const Candidate &c : candidates) {
        if (!c.doneBefore)
            continue;
        QStringList beaten;
        if (c.earlierOneRm > 0 && c.oneRm > c.earlierOneRm)
            beaten << QStringLiteral("expected 1RM %1 kg/lbs %2")
                          .arg(FixedTwoDecimals(c.oneRm), rowText(c.oneRmWeight, c.oneRmReps));
        if (c.earlierHeaviest > 0 && c.heaviest > c.earlierHeaviest)
            beaten << QStringLiteral("heaviest weight %1 kg/lbs %2")
                          .arg(FixedTwoDecimals(c.heaviest), rowText(c.heaviest, c.heaviestReps));
        if (!beaten.isEmpty())
            parts << c.name + QStringLiteral(", ") + beaten.join(QStringLiteral(", "));
    }
    if (parts.isEmpty())
        return {};
    return QStringLiteral("New record: ") + parts.join(QStringLiteral("; "));
}
