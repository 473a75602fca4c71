#include "progress/RecordTexts.h"

#include "common/RegionalSettings.h"
#include "common/ValueConversions.h"

QStringList recordsTableTitles()
{
    return {QStringLiteral("Exercise"),   QStringLiteral("Expected 1RM"), QStringLiteral("Date"),
            QStringLiteral("From"),       QStringLiteral("Heaviest weight"), QStringLiteral("Reps"),
            QStringLiteral("Date"),       QStringLiteral("Reps at BW"),   QStringLiteral("Date"),
            QStringLiteral("Best volume"), QStringLiteral("Date")};
}

QString weightTimesReps(float weight, int reps)
{
    return QStringLiteral("%1 × %2").arg(NumberText(weight)).arg(reps);
}

namespace {
QString dateOf(const RecordMark &mark)
{
    return mark.isSet() ? RegionalSettings::current().dayCountDateText(mark.day) : QString();
}
}

QStringList recordsTableRow(const ExerciseRecords &r)
{
    const auto ifSet = [](const RecordMark &mark, const QString &text) { return mark.isSet() ? text : QString(); };
    return {r.name,
            ifSet(r.bestOneRm, FixedTwoDecimals(r.bestOneRm.value)),
            dateOf(r.bestOneRm),
            ifSet(r.bestOneRm, weightTimesReps(r.bestOneRm.weight, r.bestOneRm.reps)),
            ifSet(r.heaviest, NumberText(r.heaviest.value)),
            ifSet(r.heaviest, QString::number(r.heaviest.reps)),
            dateOf(r.heaviest),
            ifSet(r.bodyweightReps, QString::number(r.bodyweightReps.reps)),
            dateOf(r.bodyweightReps),
            ifSet(r.bestVolume, FixedTwoDecimals(r.bestVolume.value)),
            dateOf(r.bestVolume)};
}
