#include "cli/CliCommands.h"

int listCommand(CliContext &context, const QStringList &args)
{
    if (!args.isEmpty())
        throw CliUsageError(QStringLiteral("list takes no arguments."));
    for (const QString &line : context.workoutLines())
        context.out << line << '\n';
    return 0;
}
