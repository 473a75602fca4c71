// A script run by fortavo-cli that loads every workout of a 20,000-workout training
// file in turn and adds up exercises_totalweight, cardio_totaldistance and
// exercises_count, against fortavo-cli stats, the period analysis of the same file.
// Both are timed as whole processes; prints the ratio.

#include "support/BenchTrainingFile.h"
#include "support/LeastTimeReporter.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {
constexpr int Workouts = 20000;

const char *const WalkScript = "var i,n,w,d,c\n"
                               "n=workouts_count\n"
                               "i=0\n"
                               "while i<n\n"
                               "   i=i+1\n"
                               "   workouts_load(i)\n"
                               "   w=w+exercises_totalweight\n"
                               "   d=d+cardio_totaldistance\n"
                               "   c=c+exercises_count\n"
                               "endwhile\n"
                               "output(\"$w $d $c\")\n";

struct Fixture {
    QTemporaryDir dir;
    QString training = dir.filePath(QStringLiteral("workouts.dat"));
    QString script = dir.filePath(QStringLiteral("walk.fvs"));

    Fixture()
    {
        writeBenchTrainingFile(training, Workouts);
        QFile out(script);
        if (!out.open(QIODevice::WriteOnly) || out.write(WalkScript) < 0)
            qFatal("cannot write %s", qPrintable(script));
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// Runs fortavo-cli on the benchmark file with the given command; its standard output.
QByteArray runCli(const QStringList &command)
{
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/fortavo-cli"),
                  QStringList{QStringLiteral("--folder"), fixture().dir.path(), QStringLiteral("--training"),
                              fixture().training} + command);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        qFatal("fortavo-cli %s failed: %s", qPrintable(command.join(' ')), process.readAllStandardError().constData());
    return process.readAllStandardOutput();
}

void BM_PeriodAnalysis(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(runCli({QStringLiteral("stats")}));
}
BENCHMARK(BM_PeriodAnalysis)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5);

void BM_ScriptWalkingTheFile(benchmark::State &state)
{
    QByteArray output;
    for (auto _ : state)
        output = runCli({QStringLiteral("run"), fixture().script});
    // 8 exercise rows a workout.
    if (!output.trimmed().endsWith(QByteArray::number(8 * Workouts)))
        state.SkipWithError("the script did not count every exercise row");
    state.SetLabel(output.trimmed().toStdString()); // the three sums
}
BENCHMARK(BM_ScriptWalkingTheFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    LeastTimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double walk = 0;
    double stats = 0;
    if (reporter.pair("BM_ScriptWalkingTheFile", "BM_PeriodAnalysis", walk, stats))
        std::printf("20,000 workouts: stats %.1f ms, script walking the file %.1f ms, ratio %.2f (target <= 5.0)\n",
                    stats, walk, walk / stats);
    benchmark::Shutdown();
    return 0;
}
