// The interpreter's speed against python3 on a bare loop and against Lua 5.4 on six
// workloads written in both languages (workloads/NAME.fvs and NAME.lua), measured
// in one run, the memory of a long run, and the start-up of fortavo-cli run against
// that of lua5.4. Prints the time ratios; the Lua comparisons are left out when lua5.4
// is not installed. Pinned to one processor (taskset -c 1), both sides run alike.

#include "common/RegionalSettings.h"
#include "script/ScriptInterpreter.h"
#include "support/LeastTimeReporter.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cmath>
#include <cstdio>
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

// ---- six workloads against Lua 5.4 ----

const char *const workloads[] = {"loop_if", "calls", "text", "arrays", "math", "strings"};

QString workloadPath(const char *name, const char *extension)
{
    return QStringLiteral(FORTAVO_WORKLOADS "/%1.%2").arg(QLatin1String(name), QLatin1String(extension));
}

void runFortavoWorkload(benchmark::State &state, const char *name)
{
    const QString script = workloadPath(name, "fvs");
    QuietHost host;
    ScriptInterpreter interpreter(host);
    for (auto _ : state) {
        host.outputs.clear();
        interpreter.RunScript(script);
        if (host.outputs.isEmpty())
            state.SkipWithError("the workload printed nothing");
    }
}

// The Lua twin times its own work with os.clock and prints the seconds last, so its
// start-up is not counted against it.
void runLuaWorkload(benchmark::State &state, const QString &lua, const char *name)
{
    const QString script = workloadPath(name, "lua");
    for (auto _ : state) {
        QProcess process;
        process.start(lua, {script});
        process.waitForFinished(-1);
        const QList<QByteArray> lines = process.readAllStandardOutput().trimmed().split('\n');
        bool ok = false;
        const double seconds = lines.last().trimmed().toDouble(&ok);
        if (!ok || process.exitCode() != 0) {
            state.SkipWithError("lua5.4 gave no timing");
            return;
        }
        state.SetIterationTime(seconds);
    }
}

void registerWorkloads()
{
    const QString lua = QStandardPaths::findExecutable(QStringLiteral("lua5.4"));
    if (lua.isEmpty())
        std::printf("lua5.4 is not installed: the Lua comparisons are left out\n");
    for (const char *name : workloads) {
        // Single runs, repeated: the ratio compares the fastest run of each side,
        // which a busy machine disturbs least.
        benchmark::RegisterBenchmark((std::string("BM_Fortavo_") + name).c_str(), runFortavoWorkload, name)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(7);
        if (!lua.isEmpty())
            benchmark::RegisterBenchmark((std::string("BM_Lua_") + name).c_str(), runLuaWorkload, lua, name)
                ->Unit(benchmark::kMillisecond)
                ->UseManualTime()
                ->Iterations(1)
                ->Repetitions(7);
    }
}

// ---- start-up: fortavo-cli run on a one-line script against lua5.4 -e '' ----

// Wall time of whole processes, started one after the other.
void runProcess(benchmark::State &state, const QString &program, const QStringList &args)
{
    for (auto _ : state) {
        QProcess process;
        process.start(program, args);
        if (!process.waitForFinished(-1) || process.exitCode() != 0) {
            state.SkipWithError("the program did not run");
            return;
        }
    }
}

void registerStartups()
{
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/fortavo-cli");
    const QString script = writeFile(QStringLiteral("one.fvs"), "var a\na=1\n");
    benchmark::RegisterBenchmark("BM_Startup_FortavoCli", runProcess, cli, QStringList{QStringLiteral("run"), script})
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(20)
        ->Repetitions(5);
    const QString lua = QStandardPaths::findExecutable(QStringLiteral("lua5.4"));
    if (!lua.isEmpty())
        benchmark::RegisterBenchmark("BM_Startup_Lua", runProcess, lua, QStringList{QStringLiteral("-e"), QString()})
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(20)
            ->Repetitions(5);
}
}

int main(int argc, char **argv)
{
    RegionalSettings::setCurrent(RegionalSettings());
    QCoreApplication app(argc, argv); // for the folder of fortavo-cli
    benchmark::Initialize(&argc, argv);
    registerWorkloads();
    registerStartups();
    LeastTimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double fortavo = 0;
    double other = 0;
    if (reporter.pair("BM_FortavoLoop", "BM_Python3Loop", fortavo, other))
        std::printf("Loop of 10^6 passes: Fortavo %.1f ms, python3 %.1f ms, ratio %.2f (target <= 1.0)\n", fortavo,
                    other, fortavo / other);
    double logSum = 0;
    int measured = 0;
    for (const char *name : workloads) {
        // Processor time on both sides (Lua reports os.clock), so that a busy machine
        // weighs on neither.
        if (!reporter.pair(std::string("BM_Fortavo_") + name, std::string("BM_Lua_") + name, fortavo, other, true))
            continue;
        const double ratio = fortavo / other;
        std::printf("%-8s Fortavo %8.1f ms, Lua 5.4 %8.1f ms, ratio %.2f (target <= 2.0)\n", name, fortavo, other,
                    ratio);
        logSum += std::log(ratio);
        ++measured;
    }
    if (measured > 0)
        std::printf("Geometric mean of %d ratios to Lua 5.4: %.2f (target <= 1.0)\n", measured,
                    std::exp(logSum / measured));
    if (reporter.pair("BM_Startup_FortavoCli", "BM_Startup_Lua", fortavo, other))
        std::printf("Start-up of fortavo-cli run: %.2f ms, lua5.4 -e '': %.2f ms, ratio %.2f (target <= 3.0)\n",
                    fortavo, other, fortavo / other);
    benchmark::Shutdown();
    return 0;
}
