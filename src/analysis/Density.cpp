#include "analysis/Density.h"

#include "analysis/ReportText.h"
#include "common/DayCount.h"
#include "common/Errors.h"
#include "common/RegionalSettings.h"
#include "common/LittleEndian.h"
#include "common/ValueConversions.h"
#include "store/WorkoutList.h"

using ReportText::CRLF;

namespace {
struct DensityTotals {
    qint64 sets = 0;
    qint64 reps = 0;
    qint64 bodyweightReps = 0;
    float weight = 0;

    void add(const QList<ExerciseEntry> &rows)
    {
        for (const ExerciseEntry &row : rows) {
            const qint64 p = qint64(row.Sets) * row.Reps;
            sets += row.Sets;
            reps += p;
            if (row.Weight == 0)
                bodyweightReps += p;
            else
                weight = float(double(weight) + double(p) * double(row.Weight));
        }
    }

    QString text() const
    {
        return QStringLiteral("Number of sets: ") + QString::number(sets) + CRLF + QStringLiteral("Number of reps: ")
            + QString::number(reps) + CRLF + QStringLiteral("Total weight used: ") + QString::number(bodyweightReps)
            + QStringLiteral("×BW+") + FixedTwoDecimals(weight) + QStringLiteral(" kg") + CRLF;
    }
};
}

QString workoutDensity(const QList<ExerciseEntry> &exercises)
{
    DensityTotals totals;
    totals.add(exercises);
    return QStringLiteral("Density:") + CRLF + QStringLiteral("--------") + CRLF + CRLF + totals.text();
}

QString dayDensity(TrainingFile &file, const QStringList &lines, int s, const ProgressCallback &progress)
{
    if (s < 0 || s >= lines.size() || WorkoutList::isSeparator(lines.at(s)))
        throw FortavoError(QStringLiteral("You have not selected a workout!"));
    const QDate day = DayCount::toDate(file.ReadRecord(WorkoutList::RecordNumberOfItem(lines, s)).Date);

    // Only the dates are read for the whole file; matching records are decoded.
    const int workouts = WorkoutList::RecordNumberOfItem(lines, int(lines.size()) - 1) + 1;
    DensityTotals totals;
    float duration = 0;
    constexpr int chunk = 1024;
    for (int start = 0; start < workouts; start += chunk) {
        const int n = qMin(chunk, workouts - start);
        const QByteArray data = file.readRaw(start, n);
        for (int i = 0; i < n; ++i) {
            const char *bytes = data.constData() + qsizetype(i) * WorkoutRecord::Size;
            if (DayCount::toDate(LittleEndian::readDouble(bytes + WorkoutLayout::Date)) != day)
                continue;
            const WorkoutRecord record = WorkoutRecord::decode(bytes);
            duration += record.Duration;
            totals.add(record.Exercises);
        }
        if (progress)
            progress(start + n, workouts);
    }
    return QStringLiteral("Density for date ") + RegionalSettings::current().dateText(day) + QLatin1Char(':') + CRLF
        + WorkoutList::Separator + CRLF + CRLF + QStringLiteral("Total duration: ") + FixedTwoDecimals(duration)
        + QStringLiteral(" min") + CRLF + totals.text();
}
