#include "cli/CliCommand.h"

namespace {
int listWorkouts(CliContext &context, const QStringList &args)
{
    if (!args.isEmpty())
        throw CliUsageError(QStringLiteral("list takes no arguments."));
    for (const QString &line : context.workoutLines())
        context.out << line << '\n';
    return 0;
}

const CliRegistrar registrar({QStringLiteral("list"), QString(),
                              QStringLiteral("the lines of the list of past workouts, separators included"),
                              listWorkouts});
}
