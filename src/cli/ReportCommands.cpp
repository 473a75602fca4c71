// fortavo-cli commands of the analyses and exports: the same texts and files as the
// main window's buttons, with workout N standing for the selected line.
#include "cli/CliCommand.h"

#include "analysis/AnalysisCommands.h"
#include "analysis/Density.h"
#include "analysis/ReportText.h"
#include "analysis/WeekStatistics.h"
#include "analysis/WorkoutExport.h"
#include "common/WholeFile.h"
#include "common/ProgramFolder.h"

#include <QDir>

namespace {
AnalysisTypeLists typeLists(CliContext &context)
{
    return {context.configuration().cardioTypes, context.configuration().trainingTypes};
}

// Standard output takes LF line ends.
void print(CliContext &context, QString text)
{
    context.out << text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

void requireArguments(const QStringList &args, int count, const QString &usage)
{
    if (args.size() != count)
        throw CliUsageError(QStringLiteral("Usage: %1").arg(usage));
}

QString outputPath(const QString &argument)
{
    return QDir::current().absoluteFilePath(argument);
}

int weekCommand(CliContext &context, const QStringList &args)
{
    requireArguments(args, 1, QStringLiteral("week N"));
    const int line = context.lineOfWorkout(args.at(0));
    print(context, WeekStatistics(context.trainingFile(), context.workoutLines(), line, typeLists(context)));
    return 0;
}

int statsCommand(CliContext &context, const QStringList &args)
{
    requireArguments(args, 0, QStringLiteral("stats"));
    const QString text = trainingPeriodAnalysis(context.trainingFile(), context.workoutLines(), typeLists(context));
    print(context, text.isNull() ? AnalysisTexts::NoWorkouts + QLatin1Char('\n') : text);
    return 0;
}

int densityCommand(CliContext &context, const QStringList &args)
{
    requireArguments(args, 1, QStringLiteral("density N"));
    const int line = context.lineOfWorkout(args.at(0));
    print(context, dayDensity(context.trainingFile(), context.workoutLines(), line));
    return 0;
}

int exportTextCommand(CliContext &context, const QStringList &args)
{
    requireArguments(args, 2, QStringLiteral("export-text N FILE"));
    const WorkoutRecord record = context.workout(args.at(0));
    WholeFile::write(outputPath(args.at(1)),
                               ReportText::encode(workoutText(record, context.configuration().trainingTypes)));
    return 0;
}

int exportStatsCommand(CliContext &context, const QStringList &args)
{
    requireArguments(args, 1, QStringLiteral("export-stats FILE"));
    const QString text = allWeekStatistics(context.trainingFile(), context.workoutLines(), typeLists(context));
    WholeFile::write(outputPath(args.at(0)), ReportText::encode(text));
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
            templatePath = outputPath(args.at(++i));
        } else {
            positional << args.at(i);
        }
    }
    requireArguments(positional, 2, usage);
    if (templatePath.isEmpty())
        templatePath = ProgramFolder::resolve(context.configuration().templateFile);

    const int line = context.lineOfWorkout(positional.at(0));
    const QByteArray templateContent = readTemplate(templatePath);
    const WorkoutRecord record = context.workout(positional.at(0));
    WholeFile::write(outputPath(positional.at(1)),
                               htmlPage(templateContent, templatePath, context.workoutLines().at(line), record,
                                        context.configuration().trainingTypes));
    return 0;
}

const CliRegistrar week({QStringLiteral("week"), QStringLiteral("N"),
                         QStringLiteral("the week analysis of the week holding workout N"), weekCommand});
const CliRegistrar stats({QStringLiteral("stats"), QString(), QStringLiteral("the training period analysis"),
                          statsCommand});
const CliRegistrar density({QStringLiteral("density"), QStringLiteral("N"),
                            QStringLiteral("the density of all workouts on workout N's date"), densityCommand});
const CliRegistrar exportText({QStringLiteral("export-text"), QStringLiteral("N FILE"),
                               QStringLiteral("write workout N as a text file"), exportTextCommand});
const CliRegistrar exportStats({QStringLiteral("export-stats"), QStringLiteral("FILE"),
                                QStringLiteral("write the analyses of all weeks to a text file"), exportStatsCommand});
const CliRegistrar exportHtml({QStringLiteral("export-html"), QStringLiteral("N FILE [--template FILE]"),
                               QStringLiteral("write workout N as an HTML page through the template"),
                               exportHtmlCommand});
}
