#include "cli/CliCommands.h"

#include "exercises/ExerciseAnalysis.h"
#include "exercises/OneRmGraph.h"

#include <QDir>

namespace {
// The analysis, or a failure that says, as the window does, that not all data could be
// collected, followed by the cause.
ExerciseAnalysis analyse(CliContext &context, const QString &name)
{
    TrainingFile &file = context.trainingFile();
    try {
        return AnalyseExercise(file, name);
    } catch (const FortavoError &e) {
        throw FortavoError(UnableToCollectMessage + QLatin1Char('\n') + e.message());
    }
}

}

int exerciseAnalysisCommand(CliContext &context, const QStringList &args)
{
    if (args.size() != 1)
        throw CliUsageError(QStringLiteral("exercise-analysis takes one exercise name."));
    QString text = analyse(context, args.at(0)).text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    context.out << text << '\n';
    return 0;
}

int exerciseUsageCommand(CliContext &context, const QStringList &args)
{
    if (args.isEmpty() || args.size() > 2)
        throw CliUsageError(QStringLiteral("exercise-usage takes an exercise name and an optional count."));
    const int count = args.size() == 2 ? cliNumberArgument(args.at(1), QStringLiteral("count")) : 5;
    for (const QStringList &row : ExerciseUsageRows(context.trainingFile(), args.at(0), count))
        context.out << row.join(QLatin1Char('\t')) << '\n';
    return 0;
}

int exerciseGraphCommand(CliContext &context, const QStringList &args)
{
    if (args.size() != 2)
        throw CliUsageError(QStringLiteral("exercise-graph takes an exercise name and a PNG file name."));
    const ExerciseAnalysis analysis = analyse(context, args.at(0));
    const QImage image = OneRmGraph::draw(analysis.firstDate, analysis.lastDate, analysis.oneRmPoints);
    const QString path = QDir::current().absoluteFilePath(args.at(1));
    OneRmGraph::savePng(image, path);
    return 0;
}
