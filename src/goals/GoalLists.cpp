#include "goals/GoalLists.h"

#include "common/DayCount.h"
#include "common/RegionalSettings.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace {
constexpr int ShownDescription = 50;

QString oneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}
}

QString GoalLine(const GoalRecord &goal)
{
    const RegionalSettings &regional = RegionalSettings::current();
    QString description = goal.Description.left(ShownDescription);
    if (goal.Description.size() > ShownDescription)
        description += QStringLiteral("...");
    return oneLine(QStringLiteral("%1: %2-%3. %4")
                       .arg(goal.Name, regional.dayCountDateText(goal.StartDate),
                            regional.dayCountDateText(goal.Deadline), description));
}

QString GoalKey(const GoalRecord &goal)
{
    return GoalLine(goal) + QString::number(goal.Status);
}

bool DeadlineHasCome(const GoalRecord &goal, const QDate &today)
{
    // The deadline is a day: a time of day stored with it does not put the question
    // off to the next day.
    return goal.Status == GoalStatus::Pending && DayCount::fromDate(today) >= std::floor(goal.Deadline);
}

QString DeadlineQuestion(const GoalRecord &goal)
{
    return QStringLiteral("Deadline of the goal \"%1\" has been met.\r\nHas the goal been completed successfully?")
        .arg(goal.Name);
}

GoalLists GoalLists::read(GoalsFile &file)
{
    GoalLists lists;
    const QByteArray bytes = file.readAllRaw();
    const int count = int(bytes.size() / GoalRecord::Size);
    for (int n = 0; n < count; ++n) {
        const GoalRecord goal = GoalRecord::decode(bytes.constData() + qsizetype(n) * GoalRecord::Size);
        lists.keys << GoalKey(goal);
        const Entry entry{GoalLine(goal), n};
        if (goal.Status == GoalStatus::Unsuccessful)
            lists.unsuccessful << entry;
        else if (goal.Status == GoalStatus::Pending)
            lists.pending << entry;
        else if (goal.Status == GoalStatus::Completed)
            lists.completed << entry;
    }
    return lists;
}

const QList<GoalLists::Entry> &GoalLists::of(quint8 status) const
{
    if (status == GoalStatus::Pending)
        return pending;
    if (status == GoalStatus::Completed)
        return completed;
    return unsuccessful;
}

QString GoalListingText(const GoalLists &lists)
{
    QString text;
    for (const GoalLists::Kind &kind : GoalLists::Kinds) {
        text += QLatin1String(kind.caption) + QLatin1Char('\n');
        for (const GoalLists::Entry &entry : lists.of(kind.status))
            text += entry.line + QLatin1Char('\n');
        text += QLatin1Char('\n');
    }
    return text;
}

QString PartialGoalNote(const QString &path, int tailSize)
{
    return QStringLiteral("The goals file \"%1\" ends with %2 bytes that do not make a whole goal. "
                          "They are not shown and are kept as they are.")
        .arg(QDir::toNativeSeparators(path))
        .arg(tailSize);
}

QString ListGoalsFile(const QString &path, QString *note)
{
    if (note)
        note->clear();
    if (!QFileInfo::exists(path))
        return GoalListingText(GoalLists());
    GoalsFile file;
    file.openReadOnly(path);
    if (note && file.partialTailSize() > 0)
        *note = PartialGoalNote(path, file.partialTailSize());
    return GoalListingText(GoalLists::read(file));
}
