#include "store/WorkoutList.h"

#include "common/DayCount.h"
#include "common/LittleEndian.h"
#include "common/RegionalSettings.h"

QString WorkoutList::workoutLine(double date, const QString &bodypart, int trainingType,
                                 const QStringList &trainingTypes)
{
    const QString type = trainingType < trainingTypes.size() ? trainingTypes.at(trainingType) : QString();
    return RegionalSettings::current().dayCountDateText(date) + QStringLiteral(" - ") + bodypart
        + QStringLiteral(" (") + type + QStringLiteral(")");
}

QString WorkoutList::workoutLine(const WorkoutRecord &record, const QStringList &trainingTypes)
{
    return workoutLine(record.Date, record.Bodypart, record.TrainingType, trainingTypes);
}

QStringList WorkoutList::build(TrainingFile &file, const QStringList &trainingTypes, const ProgressCallback &progress,
                               int *damaged)
{
    QStringList lines;
    const int count = file.RecordCount();
    lines.reserve(count + count / 3);
    int previousWeekday = -1;
    if (damaged)
        *damaged = 0;
    file.forEachRaw(0, count, [&](const char *record) {
        const double date = LittleEndian::readDouble(record + WorkoutLayout::Date);
        const QDate day = DayCount::toDate(date);
        const int weekday = day.isValid() ? day.dayOfWeek() : 0;
        if (previousWeekday > weekday)
            lines << Separator;
        lines << workoutLine(date, readStoredString(record + WorkoutLayout::Bodypart, WorkoutRecord::BodypartCapacity),
                             LittleEndian::readU8(record + WorkoutLayout::TrainingType), trainingTypes);
        previousWeekday = weekday;
        if (damaged && (LittleEndian::readU8(record + WorkoutLayout::CardioCount) > WorkoutRecord::MaxRows
                        || LittleEndian::readU8(record + WorkoutLayout::ExerciseCount) > WorkoutRecord::MaxRows))
            ++*damaged;
    }, progress);
    return lines;
}

int WorkoutList::workoutCount(const QStringList &lines)
{
    return RecordNumberOfItem(lines, int(lines.size()) - 1) + 1;
}

int WorkoutList::RecordNumberOfItem(const QStringList &lines, int i)
{
    int workouts = 0;
    for (int k = 0; k <= i && k < lines.size(); ++k)
        if (!isSeparator(lines.at(k)))
            ++workouts;
    return workouts - 1;
}

int WorkoutList::lineOfRecord(const QStringList &lines, int record)
{
    int workouts = -1;
    for (int k = 0; k < lines.size(); ++k) {
        if (!isSeparator(lines.at(k)) && ++workouts == record)
            return k;
    }
    return -1;
}
