#include "csv/CsvExport.h"

#include "common/DayCount.h"
#include "common/WholeFile.h"
#include "csv/CsvTable.h"
#include "store/TrainingFile.h"

#include <cmath>

namespace CsvExport {
namespace {
QString num(double x)
{
    QString t = QString::number(x, 'f', 2);
    // 52.50 reads as 52.5 in every spreadsheet; keep it short.
    while (t.contains(u'.') && (t.endsWith(u'0') || t.endsWith(u'.')))
        t.chop(1);
    return t;
}

// hours + minutes/100 as "h:mm".
QString hoursMinutes(float duration)
{
    const int hours = int(std::floor(duration + 1e-4f));
    const int minutes = int(std::lround((duration - float(hours)) * 100));
    return QStringLiteral("%1:%2").arg(hours).arg(minutes, 2, 10, QLatin1Char('0'));
}

int durationSeconds(float duration)
{
    const int hours = int(std::floor(duration + 1e-4f));
    return (hours * 60 + int(std::lround((duration - float(hours)) * 100))) * 60;
}

QString date(double dayCount) { return DayCount::toDate(dayCount).toString(QStringLiteral("yyyy-MM-dd")); }
QString time(double dayCount) { return DayCount::toTime(dayCount).toString(QStringLiteral("HH:mm:ss")); }

const QStringList RowsHeader = {"Date", "Start time", "Duration", "Body part", "Type of training", "Comment", "Kind",
                                "Name", "Execution", "Sets", "Reps", "Weight", "Distance", "Calories",
                                "Cardio start time", "Cardio duration"};
// The layout other workout apps import, then the fields of the record those columns
// lack, so that Fortavo reads the file back into the same records.
const QStringList SetsHeader = {"Date", "Workout Name", "Duration", "Exercise Name", "Set Order", "Weight", "Reps",
                                "Distance", "Seconds", "Notes", "Workout Notes", "RPE", "Body part", "Type of training",
                                "Execution", "Calories", "Cardio start time"};

// Whole metres as kilometres, exact and without trailing zeros: 5500 -> "5.5", 12000 -> "12".
QString kilometres(int metres)
{
    QString text = QString::number(metres / 1000);
    if (metres % 1000 == 0)
        return text;
    QString fraction = QStringLiteral("%1").arg(metres % 1000, 3, 10, QLatin1Char('0'));
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    return text + u'.' + fraction;
}

void rows(QByteArray &out, const WorkoutRecord &w, const QStringList &types)
{
    const QString type = w.TrainingType < types.size() ? types.at(w.TrainingType) : QString();
    const QStringList workout = {date(w.Date), time(w.StartTime), hoursMinutes(w.Duration), w.Bodypart, type, w.Comment};
    for (const ExerciseEntry &e : w.Exercises)
        out += CsvText::line(workout + QStringList{"exercise", e.Name, e.ExecutionType, QString::number(e.Sets),
                                                   QString::number(e.Reps), num(e.Weight), {}, {}, {}, {}});
    for (const CardioEntry &c : w.Cardio)
        out += CsvText::line(workout + QStringList{"cardio", c.CardioType, {}, {}, {}, {}, QString::number(c.Distance),
                                                   QString::number(c.Calories), time(c.StartTime), hoursMinutes(c.Duration)});
    if (w.Exercises.isEmpty() && w.Cardio.isEmpty())
        out += CsvText::line(workout + QStringList(10));
}

void sets(QByteArray &out, const WorkoutRecord &w, const QStringList &types)
{
    const QString when = date(w.Date) + u' ' + time(w.StartTime);
    const QString name = w.Bodypart.isEmpty() ? QStringLiteral("Workout") : w.Bodypart;
    const QString duration = QString::number(durationSeconds(w.Duration));
    const QString type = w.TrainingType < types.size() ? types.at(w.TrainingType) : QString();
    // A row of no sets is one line numbered 0.
    for (const ExerciseEntry &e : w.Exercises)
        for (int s = e.Sets == 0 ? 0 : 1; s <= e.Sets; ++s)
            out += CsvText::line({when, name, duration, e.Name, QString::number(s), num(e.Weight), QString::number(e.Reps),
                                  {}, {}, e.ExecutionType, w.Comment, {}, w.Bodypart, type, e.ExecutionType, {}, {}});
    int order = 0;
    for (const CardioEntry &c : w.Cardio)
        out += CsvText::line({when, name, duration, c.CardioType, QString::number(++order), {}, {}, kilometres(c.Distance),
                              QString::number(durationSeconds(c.Duration)), {}, w.Comment, {}, w.Bodypart, type, {},
                              QString::number(c.Calories), time(c.StartTime)});
    if (w.Exercises.isEmpty() && w.Cardio.isEmpty())
        out += CsvText::line({when, name, duration, {}, {}, {}, {}, {}, {}, {}, w.Comment, {}, w.Bodypart, type, {}, {}, {}});
}
}

QByteArray text(TrainingFile &training, Layout layout, const QStringList &trainingTypes,
                const std::function<void(qint64, qint64)> &progress)
{
    QByteArray out = CsvText::line(layout == Layout::Rows ? RowsHeader : SetsHeader);
    training.forEachRaw(
        0, training.RecordCount(),
        [&](const char *bytes) {
            const WorkoutRecord w = WorkoutRecord::decode(bytes);
            if (layout == Layout::Rows)
                rows(out, w, trainingTypes);
            else
                sets(out, w, trainingTypes);
        },
        progress);
    return out;
}

void write(const QString &path, TrainingFile &training, Layout layout, const QStringList &trainingTypes,
           const std::function<void(qint64, qint64)> &progress)
{
    WholeFile::checkTarget(path);
    WholeFile::write(path, text(training, layout, trainingTypes, progress));
}
}
