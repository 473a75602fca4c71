#include "cli/CliCommands.h"

#include "exercises/ExerciseAnalysis.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

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

// The program that draws the graph: beside fortavo-cli in a build, in its libexec
// folder once installed (FORTAVO_GRAPH_DIR, relative to the folder of fortavo-cli).
QString graphProgram()
{
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString &folder : {QStringLiteral("."), QStringLiteral(FORTAVO_GRAPH_DIR)}) {
        const QString program = QDir::cleanPath(here.filePath(folder + QStringLiteral("/fortavo-graph")));
        if (QFileInfo(program).isExecutable())
            return program;
    }
    throw FortavoError(QStringLiteral("The graph cannot be drawn: the program fortavo-graph is neither beside %1 nor in %2.")
                           .arg(QCoreApplication::applicationFilePath(),
                                QDir::cleanPath(here.filePath(QStringLiteral(FORTAVO_GRAPH_DIR)))));
}

// What fortavo-graph reads: the texts percent-encoded, one a line, then the points'
// bits, so that neither a line break in a file name nor rounding can change them.
QByteArray graphInput(const ExerciseAnalysis &analysis, const QString &path)
{
    QByteArray input;
    for (const QString &text : {analysis.firstDate, analysis.lastDate, path})
        input += text.toUtf8().toPercentEncoding() + '\n';
    for (float point : analysis.oneRmPoints)
        input += QByteArray::number(std::bit_cast<quint32>(point)) + '\n';
    return input;
}

// Draws the graph into a PNG file through fortavo-graph. Its failure, which it names
// on its standard output, becomes ours; what Qt says on its standard error reaches
// the user's as it would from fortavo-cli itself.
void drawGraph(const ExerciseAnalysis &analysis, const QString &path)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(graphProgram(), {});
    if (!process.waitForStarted())
        throw FortavoError(QStringLiteral("The graph cannot be drawn: %1").arg(process.errorString()));
    process.write(graphInput(analysis, path));
    process.closeWriteChannel();
    process.waitForFinished(-1);
    QString message = QString::fromUtf8(process.readAllStandardOutput());
    if (message.endsWith(QLatin1Char('\n')))
        message.chop(1);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw FortavoError(message.isEmpty() ? QStringLiteral("The graph could not be drawn.") : message);
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
