#include "cli/CliCommands.h"

#include "cli/GraphProgram.h"
#include "exercises/ExerciseAnalysis.h"

#include <QDir>

#include <bit>

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


// Draws the graph into a PNG file through fortavo-graph; its failure becomes ours.
void drawGraph(const ExerciseAnalysis &analysis, const QString &path)
{
    QByteArray input = analysis.firstDate.toUtf8() + '\n' + analysis.lastDate.toUtf8() + '\n' + path.toUtf8() + '\n';
    for (float point : analysis.oneRmPoints)
        input += QByteArray::number(std::bit_cast<quint32>(point)) + '\n';
    runGraphProgram({}, input);
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
    drawGraph(analysis, QDir::current().absoluteFilePath(args.at(1)));
    return 0;
}
