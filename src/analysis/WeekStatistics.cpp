#include "analysis/WeekStatistics.h"

#include "analysis/ReportText.h"
#include "common/Errors.h"
#include "common/RegionalSettings.h"
#include "common/ValueConversions.h"
#include "store/WorkoutList.h"

using ReportText::CRLF;

namespace {
void countIndex(QList<qint64> &counts, int index)
{
    if (index <= 0)
        return;
    if (counts.size() <= index)
        counts.resize(index + 1);
    ++counts[index];
}

// Sum of a single and a product done in double, rounded to single once.
float addProduct(float sum, qint64 factor, float value)
{
    return float(double(sum) + double(factor) * double(value));
}

// A division whose divisor may be zero: no sets at all reads as an average of 0.
QString average(qint64 total, qint64 divisor)
{
    return FixedTwoDecimals(divisor == 0 ? 0.0 : double(total) / double(divisor));
}

QString title(const QString &caption, const QString &firstDate, const QString &lastDate)
{
    return caption + firstDate + QStringLiteral(" - ") + lastDate + QLatin1Char(':') + CRLF + WorkoutList::Separator
        + CRLF + CRLF;
}

// The week text of lines first..last, whose records start at firstRecord.
QString weekText(TrainingFile &file, const WeekRange &week, int firstRecord, const AnalysisTypeLists &lists)
{
    TrainingTotals totals;
    QString firstDate, lastDate;
    int seen = 0;
    ReportText::forEachRecord(file, firstRecord, week.workouts(), [&](const WorkoutRecord &record) {
        if (seen++ == 0)
            firstDate = RegionalSettings::current().dayCountDateText(record.Date);
        lastDate = RegionalSettings::current().dayCountDateText(record.Date);
        totals.add(record, lists.cardioTypes);
    });
    return title(QStringLiteral("Week analysis: "), firstDate, lastDate) + totals.text(week.workouts(), lists);
}
}

int cardioTypeIndex(const QStringList &cardioTypes, const QString &type)
{
    const qsizetype i = cardioTypes.indexOf(type);
    return i < 0 ? int(cardioTypes.size()) : int(i);
}

void TrainingTotals::add(const WorkoutRecord &record, const QStringList &cardioTypes)
{
    duration += record.Duration;
    for (const CardioEntry &row : record.Cardio) {
        countIndex(cardioTypeCounts, cardioTypeIndex(cardioTypes, row.CardioType));
        cardioDuration += row.Duration;
        calories += row.Calories;
    }
    countIndex(trainingTypeCounts, record.TrainingType);
    addExercises(record.Exercises);
}

void TrainingTotals::addExercises(const QList<ExerciseEntry> &rows)
{
    for (const ExerciseEntry &row : rows)
        addExercise(row.Sets, row.Reps, row.Weight, row.Weight == 0);
}

void TrainingTotals::addExercise(qint64 rowSets, qint64 rowReps, float rowWeight, bool bodyweight)
{
    const qint64 p = rowSets * rowReps;
    sets += rowSets;
    reps += p;
    if (bodyweight)
        bodyweightReps += p;
    else
        weight = addProduct(weight, p, rowWeight);
}

QString TrainingTotals::text(qint64 workouts, const AnalysisTypeLists &lists) const
{
    QString t;
    t += QStringLiteral("Total duration: ") + FixedTwoDecimals(duration) + QStringLiteral(" min") + CRLF;
    t += QStringLiteral("Total # of sets: ") + QString::number(sets) + CRLF;
    t += QStringLiteral("Average # of sets per day: ") + average(sets, workouts) + CRLF;
    t += QStringLiteral("Total # of reps: ") + QString::number(reps) + CRLF;
    t += QStringLiteral("Average # of reps per set: ") + average(reps, sets) + CRLF;
    t += QStringLiteral("Total weight used: ") + QString::number(bodyweightReps) + QStringLiteral("×BW+")
        + FixedTwoDecimals(weight) + QStringLiteral(" kg") + CRLF + CRLF;
    t += QStringLiteral("Total duration of cardio: ") + FixedTwoDecimals(cardioDuration) + QStringLiteral(" min") + CRLF;
    t += QStringLiteral("Total number of calories burned: ") + QString::number(calories) + CRLF;

    // Strictly greater, so among equal counts the lowest index wins; no cardio leaves index 0.
    qint64 best = 0;
    int mostCommon = 0;
    for (int j = 1; j < cardioTypeCounts.size(); ++j) {
        if (cardioTypeCounts.at(j) > best) {
            best = cardioTypeCounts.at(j);
            mostCommon = j;
        }
    }
    t += QStringLiteral("Most common type of cardio: ") + ReportText::typeName(lists.cardioTypes, mostCommon) + CRLF
        + CRLF;

    t += QStringLiteral("Types of traning:") + CRLF;
    for (int j = 1; j < trainingTypeCounts.size(); ++j) {
        const qint64 n = trainingTypeCounts.at(j);
        if (n > 0)
            t += QLatin1Char('\t') + ReportText::typeName(lists.trainingTypes, j) + QStringLiteral(": ")
                + QString::number(n) + QLatin1Char('x') + CRLF;
    }
    return t;
}

WeekRange WeekBounds(const QStringList &lines, int s)
{
    WeekRange week;
    if (s >= 0 && s < lines.size() && WorkoutList::isSeparator(lines.at(s))) {
        week.first = s + 1;
    } else {
        int k = qMin(s, int(lines.size()) - 1);
        while (k >= 0 && !WorkoutList::isSeparator(lines.at(k)))
            --k;
        week.first = k + 1;
    }
    int k = week.first;
    while (k < lines.size() && !WorkoutList::isSeparator(lines.at(k)))
        ++k;
    week.last = k - 1;
    return week;
}

QString WeekStatistics(TrainingFile &file, const QStringList &lines, int s, const AnalysisTypeLists &lists)
{
    const WeekRange week = WeekBounds(lines, s);
    if (week.workouts() <= 0)
        throw FortavoError(QStringLiteral("The selected week holds no workouts."));
    return weekText(file, week, WorkoutList::RecordNumberOfItem(lines, week.first), lists);
}

QString trainingPeriodAnalysis(TrainingFile &file, const QStringList &lines, const AnalysisTypeLists &lists,
                               const ProgressCallback &progress)
{
    // The workout lines stand for records 0.. in order.
    const int workouts = WorkoutList::workoutCount(lines);
    if (workouts <= 0)
        return QString();

    TrainingTotals totals;
    QString firstDate, lastDate;
    int seen = 0;
    ReportText::forEachRecord(file, 0, workouts, [&](const WorkoutRecord &record) {
        if (seen++ == 0)
            firstDate = RegionalSettings::current().dayCountDateText(record.Date);
        lastDate = RegionalSettings::current().dayCountDateText(record.Date);
        totals.add(record, lists.cardioTypes);
    }, progress);

    QString t = title(QStringLiteral("Analysis of training period: "), firstDate, lastDate);
    const QString count = QString::number(workouts);
    if (count.endsWith(QLatin1Char('1')))
        t += QStringLiteral("Trained: ") + count + QStringLiteral(" day") + CRLF;
    else
        t += QStringLiteral("Number of workouts: ") + count + CRLF;
    return t + totals.text(workouts, lists);
}

QString allWeekStatistics(TrainingFile &file, const QStringList &lines, const AnalysisTypeLists &lists,
                          const ProgressCallback &progress)
{
    QString out;
    int record = 0; // record number of the next workout line
    bool weekStart = true;
    const int total = WorkoutList::workoutCount(lines);
    // Progress in steps of about one percent: a window repaints on each report.
    const int step = qMax(1, total / 100);
    int reported = 0;
    for (int i = 0; i < lines.size(); ++i) {
        if (WorkoutList::isSeparator(lines.at(i))) {
            weekStart = true;
            continue;
        }
        if (weekStart) {
            const WeekRange week = WeekBounds(lines, i);
            out += weekText(file, week, record, lists) + CRLF + CRLF;
            weekStart = false;
            const int done = record + week.workouts();
            if (progress && (done - reported >= step || done == total)) {
                progress(done, total);
                reported = done;
            }
        }
        ++record;
    }
    if (progress && total == 0)
        progress(0, 0);
    return out;
}
