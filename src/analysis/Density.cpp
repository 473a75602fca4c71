#include "analysis/Density.h"

#include "analysis/ReportText.h"
#include "analysis/WeekStatistics.h"
#include "common/DayCount.h"
#include "common/Errors.h"
#include "common/RegionalSettings.h"
#include "common/LittleEndian.h"
#include "common/ValueConversions.h"
#include "store/WorkoutList.h"

using ReportText::CRLF;

namespace {
// The exercise lines of a density: sets, reps and weights.
QString exerciseLines(const TrainingTotals &totals)
{
    return QStringLiteral("Number of sets: ") + QString::number(totals.sets) + CRLF + QStringLiteral("Number of reps: ")
        + QString::number(totals.reps) + CRLF + QStringLiteral("Total weight used: ")
        + QString::number(totals.bodyweightReps) + QStringLiteral("×BW+") + FixedTwoDecimals(totals.weight)
        + QStringLiteral(" kg") + CRLF;
}
}

namespace {
// Each product of two 32-bit cells fits 64 bits, but a few of them may not add up
// within it: such a grid is refused rather than shown with a wrapped total.
void requireCountable(const TrainingTotals &totals, qint64 product, const QStringList &cells)
{
    qint64 sum = 0;
    if (__builtin_add_overflow(totals.reps, product, &sum) || __builtin_add_overflow(totals.bodyweightReps, product, &sum))
        throw ConversionError(QStringLiteral("'%1' × '%2' makes too many reps to count").arg(cells.value(3), cells.value(4)));
}
}

QString workoutDensity(const QList<QStringList> &exerciseRows)
{
    // The grid's cells as they stand: 32-bit whole numbers, and only an exact "BW" is
    // body weight; a cell that does not read ends the command.
    TrainingTotals totals;
    for (const QStringList &cells : exerciseRows) {
        const qint64 sets = ParseInt32(cells.value(3));
        const qint64 reps = ParseInt32(cells.value(4));
        const QString weight = cells.value(5);
        const bool bodyweight = weight == QLatin1String("BW");
        const float rowWeight = bodyweight ? 0.0f : float(ParseNumber(weight));
        requireCountable(totals, sets * reps, cells);
        totals.addExercise(sets, reps, rowWeight, bodyweight);
    }
    return QStringLiteral("Density:") + CRLF + QStringLiteral("--------") + CRLF + CRLF + exerciseLines(totals);
}

QString dayDensity(TrainingFile &file, const QStringList &lines, int s, const ProgressCallback &progress)
{
    if (s < 0 || s >= lines.size() || WorkoutList::isSeparator(lines.at(s)))
        throw FortavoError(QStringLiteral("You have not selected a workout!"));
    const QDate day = DayCount::toDate(file.ReadRecord(WorkoutList::RecordNumberOfItem(lines, s)).Date);

    // Only the dates are read for the whole file; matching records are decoded.
    const int workouts = WorkoutList::workoutCount(lines);
    TrainingTotals totals;
    float duration = 0;
    file.forEachRaw(0, workouts, [&](const char *bytes) {
        if (DayCount::toDate(LittleEndian::readDouble(bytes + WorkoutLayout::Date)) != day)
            return;
        const WorkoutRecord record = WorkoutRecord::decode(bytes);
        duration += record.Duration;
        totals.addExercises(record.Exercises);
    }, progress);
    return QStringLiteral("Density for date ") + RegionalSettings::current().dateText(day) + QLatin1Char(':') + CRLF
        + WorkoutList::Separator + CRLF + CRLF + QStringLiteral("Total duration: ") + FixedTwoDecimals(duration)
        + QStringLiteral(" min") + CRLF + exerciseLines(totals);
}
