#include "cli/CliCommands.h"

#include "goals/GoalLists.h"

// The three goal lists as the goals window shows them, read from the configured goals
// file opened read-only: no deadline question is asked and nothing is written.
int goalsCommand(CliContext &context, const QStringList &args)
{
    if (!args.isEmpty())
        throw CliUsageError(QStringLiteral("goals takes no arguments."));
    QString note;
    context.out << ListGoalsFile(GoalsFile::resolveName(context.configuration().goalsFile), &note);
    if (!note.isEmpty())
        context.err << note << '\n';
    return 0;
}
