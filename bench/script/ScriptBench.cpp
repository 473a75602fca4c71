// The interpreter's loop speed against python3 running the same loop, measured in
// one run, and the memory of a long run. Prints the time ratio Fortavo / python3.

#include "common/RegionalSettings.h"
#include "script/ScriptInterpreter.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <map>
#include <string>

namespace {
class QuietHost : public ScriptHost {
public:
    QStringList outputs;
    void showOutput(const QString &text) override { outputs << text; }
    QString askInput(const QString &, const QString &, const QString &defaultText) override { return defaultText; }
};

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

QString writeFile(const QString &name, const QByteArray &content)
{
    const QString path = folder().filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return path;
}

QString loopScript(int passes)
{
    return writeFile(QStringLiteral("loop%1.fvs").arg(passes), QStringLiteral("var i,t\n"
                                                                             "i=1\n"
                                                                             "t=0\n"
                                                                             "while i<=%1\n"
                                                                             "t=t+i\n"
                                                                             "i=i+1\n"
                                                                             "endwhile\n")
                                                                  .arg(passes)
                                                                  .toLatin1());
}

long peakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_FortavoLoop(benchmark::State &state)
{
    const QString script = loopScript(1000000);
    QuietHost host;
    ScriptInterpreter interpreter(host);
    for (auto _ : state) {
        interpreter.RunScript(script);
        if (interpreter.GetNumber(QStringLiteral("i")) != 1000001.0f)
            state.SkipWithError("the loop did not run to its end");
    }
}
BENCHMARK(BM_FortavoLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same loop in python3, at module level as written; python times the loop
// itself, so its start-up is not counted against it.
void BM_Python3Loop(benchmark::State &state)
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty()) {
        state.SkipWithError("python3 not found");
        return;
    }
    const QString script = writeFile(QStringLiteral("loop.py"), "import time\n"
                                                                "s = time.perf_counter()\n"
                                                                "i = 1\n"
                                                                "t = 0\n"
                                                                "while i <= 1000000:\n"
                                                                "    t = t + i\n"
                                                                "    i = i + 1\n"
                                                                "print(time.perf_counter() - s)\n");
    double processSeconds = 0;
    for (auto _ : state) {
        QProcess process;
        QElapsedTimer clock;
        clock.start();
        process.start(python, {script});
        process.waitForFinished(-1);
        processSeconds += clock.nsecsElapsed() / 1e9;
        bool ok = false;
        const double loopSeconds = process.readAllStandardOutput().trimmed().toDouble(&ok);
        if (!ok) {
            state.SkipWithError("python3 gave no timing");
            return;
        }
        state.SetIterationTime(loopSeconds);
    }
    state.counters["process_wall_ms"] =
        benchmark::Counter(processSeconds * 1000, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Python3Loop)->Unit(benchmark::kMillisecond)->UseManualTime();

// Peak memory after a run of 10^6 passes and after one of 10^7: a flat run keeps
// the second peak where the first one was.
void BM_FortavoMemory(benchmark::State &state)
{
    const QString shortRun = loopScript(1000000);
    const QString longRun = loopScript(10000000);
    QuietHost host;
    ScriptInterpreter interpreter(host);
    for (auto _ : state) {
        interpreter.RunScript(shortRun);
        const long before = peakRssKb();
        interpreter.RunScript(longRun);
        const long after = peakRssKb();
        state.counters["peak_rss_kb"] = double(after);
        state.counters["peak_growth_kb"] = double(after - before);
    }
}
BENCHMARK(BM_FortavoMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

// Keeps the real time per iteration of each benchmark, for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> milliseconds;
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (!run.error_occurred && run.run_type == Run::RT_Iteration)
                milliseconds[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};
}

int main(int argc, char **argv)
{
    RegionalSettings::setCurrent(RegionalSettings());
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto fortavo = reporter.milliseconds.find("BM_FortavoLoop");
    const auto python = reporter.milliseconds.find("BM_Python3Loop");
    if (fortavo != reporter.milliseconds.end() && python != reporter.milliseconds.end() && python->second > 0)
        std::printf("Loop of 10^6 passes: Fortavo %.1f ms, python3 %.1f ms, ratio %.2f (target <= 1.0)\n",
                    fortavo->second, python->second, fortavo->second / python->second);
    benchmark::Shutdown();
    return 0;
}
