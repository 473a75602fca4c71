// The analyses and exports of fortavo-cli: the main window's own commands, run on the
// headless session with workout N standing for the selected line. An error they show
// makes the exit status 1.
#include "cli/CliCommands.h"

#include "analysis/AnalysisCommands.h"

#include <QDir>

namespace {
QString absolutePath(const QString &argument)
{
    return QDir::current().absoluteFilePath(argument);
}
}

int weekCommand(CliContext &context, const QStringList &args)
{
    requireArguments(args, 1, QStringLiteral("week N"));
    context.selectWorkout(args.at(0));
    ShowWeekAnalysis(context.session());
    return 0;
}

int statsCommand(CliContext &context, const QStringList &args)
{
    requireArguments(args, 0, QStringLiteral("stats"));
    ShowTrainingAnalysis(context.session());
    return 0;
}

int densityCommand(CliContext &context, const QStringList &args)
{
    requireArguments(args, 1, QStringLiteral("density N"));
    context.selectWorkout(args.at(0));
    ShowDayDensity(context.session());
    return 0;
}

int exportTextCommand(CliContext &context, const QStringList &args)
{
    requireArguments(args, 2, QStringLiteral("export-text N FILE"));
    context.selectWorkout(args.at(0));
    context.prompts.fileAnswers.enqueue(absolutePath(args.at(1)));
    ExportWorkoutText(context.session());
    return 0;
}

int exportStatsCommand(CliContext &context, const QStringList &args)
{
    requireArguments(args, 1, QStringLiteral("export-stats FILE"));
    context.prompts.fileAnswers.enqueue(absolutePath(args.at(0)));
    ExportAllWeekAnalyses(context.session());
    return 0;
}

int exportHtmlCommand(CliContext &context, const QStringList &args)
{
    const QString usage = QStringLiteral("export-html N FILE [--template FILE]");
    QStringList positional;
    QString templatePath;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--template")) {
            if (i + 1 >= args.size() || !templatePath.isEmpty())
                throw CliUsageError(QStringLiteral("Usage: %1").arg(usage));
            templatePath = absolutePath(args.at(++i));
        } else {
            positional << args.at(i);
        }
    }
    requireArguments(positional, 2, usage);
    context.selectWorkout(positional.at(0));
    if (!templatePath.isEmpty())
        context.session().templateFile = templatePath;
    context.prompts.fileAnswers.enqueue(absolutePath(positional.at(1)));
    ExportHtml(context.session());
    return 0;
}
