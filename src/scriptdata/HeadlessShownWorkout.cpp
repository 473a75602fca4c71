#include "scriptdata/HeadlessShownWorkout.h"

#include "common/RegionalSettings.h"
#include "common/ValueConversions.h"
#include "store/HeadlessSession.h"
#include "store/RowTexts.h"

void HeadlessShownWorkout::show(const WorkoutRecord &record)
{
    const RegionalSettings &regional = RegionalSettings::current();
    dateText = regional.dayCountDateText(record.Date);
    timeText = regional.dayCountTimeText(record.StartTime);
    durationText = DurationToMaskText(record.Duration);
    bodypart = record.Bodypart;
    trainingType = record.TrainingType < m_session().types.size() ? m_session().types.at(record.TrainingType) : QString();
    // The form's comment control shows line ends as CR LF.
    QString text = record.Comment;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    comment = text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    cardioRows.clear();
    for (const CardioEntry &entry : record.Cardio)
        cardioRows << RowTexts::cardioCells(entry, int(cardioRows.size()) + 1);
    exerciseRows.clear();
    for (const ExerciseEntry &entry : record.Exercises)
        exerciseRows << RowTexts::exerciseCells(entry, int(exerciseRows.size()) + 1);
}

TrainingFile &HeadlessShownWorkout::trainingFile() { return m_session().trainingFile(); }

QStringList HeadlessShownWorkout::workoutLines() const { return m_session().workoutLines(); }

int HeadlessShownWorkout::selectedLine() const { return m_session().selectedLine(); }

void HeadlessShownWorkout::loadShownWorkout(int n)
{
    const WorkoutRecord record = m_session().trainingFile().ReadRecord(n);
    show(record);
    m_session().form = record;
    m_session().gridRows.clear();
    m_session().current = n;
}

QString HeadlessShownWorkout::cell(const QList<QStringList> &rows, int row, int column)
{
    if (row < 1 || row > rows.size())
        return QString();
    const QStringList &cells = rows.at(row - 1);
    return column >= 0 && column < cells.size() ? cells.at(column) : QString();
}
