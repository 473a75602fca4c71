#include "exercises/ExerciseAnalysis.h"

#include "common/Errors.h"
#include "common/RegionalSettings.h"
#include "common/ValueConversions.h"
#include "store/RowTexts.h"

#include <algorithm>

float EstimateOneRm(quint8 reps, float weight)
{
    const long double w = weight;
    if (reps > 20)
        return float(w * 2.1L);
    return float(w * 36 / (37 - int(reps)));
}

bool exerciseNameMatches(const QString &rowName, const QString &lowerName)
{
    return rowName.toLower() == lowerName;
}

ExerciseUsage CollectExerciseUsage(TrainingFile &file, const QString &name)
{
    const QString lowerName = name.toLower();
    ExerciseUsage usage;
    file.forEachRaw(0, file.RecordCount(), [&](const char *bytes) {
        const WorkoutRecord record = WorkoutRecord::decode(bytes);
        float best = 0;
        bool newWorkout = true;
        for (const ExerciseEntry &e : record.Exercises) {
            if (!exerciseNameMatches(e.Name, lowerName))
                continue;
            if (usage.firstDate.isEmpty())
                usage.firstDate = RegionalSettings::current().dayCountDateText(record.Date);
            usage.lastDate = RegionalSettings::current().dayCountDateText(record.Date);
            if (newWorkout) {
                ++usage.workouts;
                newWorkout = false;
            }
            usage.sets += e.Sets;
            usage.reps = usage.reps + float(int(e.Sets) * int(e.Reps));
            if (e.Reps >= 1 && e.Reps <= ExerciseUsage::MaxReps && e.Weight > usage.maxWeight[e.Reps - 1])
                usage.maxWeight[e.Reps - 1] = e.Weight;
            best = std::max(best, EstimateOneRm(e.Reps, e.Weight));
        }
        if (best > 0) {
            if (usage.oneRmPoints.size() == ExerciseUsage::MaxPoints) {
                usage.oneRmPoints.removeFirst();
                usage.pointDates.removeFirst();
                usage.pointsDropped = true;
            }
            usage.oneRmPoints.append(best);
            usage.pointDates.append(usage.lastDate);
        }
    });
    return usage;
}

float BestExpectedOneRm(const ExerciseUsage &usage)
{
    float best = 0;
    for (int r = 1; r <= ExerciseUsage::MaxReps; ++r) {
        const float w = usage.maxWeight[r - 1];
        if (w != -1.0f && w != 0.0f)
            best = std::max(best, EstimateOneRm(quint8(r), w));
    }
    return best;
}

QString ExerciseAnalysisText(const ExerciseUsage &usage)
{
    if (usage.sets == 0)
        throw FortavoError(QStringLiteral("The exercise has no sets in the training file."));
    QString text = QStringLiteral("Exercise was used on %1 workouts, %2 sets in total").arg(usage.workouts).arg(usage.sets);
    text += QStringLiteral(".\r\nAverage # of reps per set is %1.\r\n")
                .arg(FixedTwoDecimals(double(static_cast<long double>(usage.reps) / usage.sets)));
    text += QStringLiteral("Maximum used weight for # reps:\r\n\r\n");
    for (int r = 1; r <= ExerciseUsage::MaxReps; ++r) {
        const float w = usage.maxWeight[r - 1];
        if (w == -1.0f)
            continue;
        if (w == 0.0f)
            text += QStringLiteral("     %1 reps - BW\r\n").arg(r);
        else
            text += QStringLiteral("     %1 reps - %2 kg/lbs\r\n").arg(r).arg(FixedTwoDecimals(w));
    }
    const float best = BestExpectedOneRm(usage);
    if (best != 0)
        text += QStringLiteral("\r\nExpected 1 RM = %1 kg/lbs").arg(FixedTwoDecimals(best));
    else
        text += QStringLiteral("\r\n1 RM cannot be determined as the exercise has always been executed with BW.");
    return text;
}

ExerciseAnalysis AnalyseExercise(TrainingFile &file, const QString &name)
{
    const ExerciseUsage usage = CollectExerciseUsage(file, name);
    ExerciseAnalysis analysis;
    analysis.text = ExerciseAnalysisText(usage);
    analysis.firstDate = usage.pointsDropped ? usage.pointDates.first() : usage.firstDate;
    analysis.lastDate = usage.lastDate;
    analysis.oneRmPoints = usage.oneRmPoints;
    return analysis;
}

QList<QStringList> ExerciseUsageRows(TrainingFile &file, const QString &name, int count)
{
    const QString lowerName = name.toLower();
    QList<QStringList> rows;
    const int last = file.RecordCount() - 1;
    const int first = std::max(0, last - std::max(count, 0) + 1);
    for (int n = last; n >= first; --n) {
        const WorkoutRecord record = file.ReadRecord(n);
        for (const ExerciseEntry &e : record.Exercises) {
            if (!exerciseNameMatches(e.Name, lowerName))
                continue;
            rows.append(RowTexts::exerciseCells(e, int(rows.size()) + 1));
        }
    }
    return rows;
}
