// The script workloads run twice: on the interpreter alone with a quiet host (the
// way fortavo-cli runs them) and through the program's run with its Stop dialog
// (the way the main window and the script editor run them). Prints the ratio per
// workload, and the longest time from a Stop to the end of an endless script.
// Run offscreen: QT_QPA_PLATFORM=offscreen bench_programrun

#include "app/ScriptRunDialog.h"
#include "common/Errors.h"
#include "common/RegionalSettings.h"
#include "common/UserPrompts.h"
#include "script/ScriptInterpreter.h"
#include "support/LeastTimeReporter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>

namespace {
class QuietHost : public ScriptHost {
public:
    void showOutput(const QString &) override {}
    QString askInput(const QString &, const QString &, const QString &defaultText) override { return defaultText; }
};

// Answers nothing: the runs below ask nothing; a stopped run tells "stopped".
class QuietPrompts : public UserPrompts {
public:
    QString lastInformation;
    void error(const QString &) override {}
    void warning(const QString &) override {}
    void information(const QString &text) override { lastInformation = text; }
    void message(const QString &) override {}
    Answer confirm(const QString &, bool) override { return Answer::No; }
    bool input(const QString &, const QString &, QString &) override { return false; }
    QString openFileName(const FileDialog &) override { return {}; }
    QString saveFileName(const FileDialog &) override { return {}; }
    void beep() override {}
    bool openWithDesktop(const QString &) override { return false; }
};

QString workload(const std::string &name)
{
    return QStringLiteral(FORTAVO_WORKLOADS "/") + QString::fromStdString(name) + QStringLiteral(".fvs");
}

void runPlain(benchmark::State &state, const std::string &name)
{
    QuietHost host;
    ScriptInterpreter interpreter(host);
    for (auto _ : state)
        interpreter.RunScript(workload(name));
}

void runInProgram(benchmark::State &state, const std::string &name)
{
    QuietHost host;
    QuietPrompts prompts;
    QWidget window;
    ScriptInterpreter interpreter(host);
    for (auto _ : state)
        runScriptWithStopDialog(interpreter, host, prompts, workload(name), &window);
}

// An endless loop, stopped by a Stop posted from another thread at a known moment
// (as a click reaches the program while the script runs); the time until the run has
// ended is the time the user waits for Stop.
void stopAnswer(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("endless.fvs"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("var i\ni=0\nwhile 1==1\n   i=i+1\nendwhile\n") <= 0) {
        state.SkipWithError("cannot write the script");
        return;
    }
    file.close();
    QuietHost host;
    QuietPrompts prompts;
    QWidget window;
    ScriptInterpreter interpreter(host);
    double longest = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        std::atomic<qint64> stopAt{-1};
        QThread *clicker = QThread::create([&] {
            QThread::msleep(ScriptRunDialog::ShowDelayMs + 300); // the dialog shows by then
            stopAt = clock.nsecsElapsed();
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    for (QWidget *w : QApplication::topLevelWidgets())
                        if (auto *d = qobject_cast<ScriptRunDialog *>(w))
                            d->reject();
                },
                Qt::QueuedConnection);
        });
        clock.start();
        clicker->start();
        runScriptWithStopDialog(interpreter, host, prompts, path, &window);
        const qint64 end = clock.nsecsElapsed();
        clicker->wait();
        delete clicker;
        if (stopAt < 0 || !prompts.lastInformation.startsWith(ScriptRunHost::StoppedText)) {
            state.SkipWithError("the run did not stop");
            return;
        }
        const double waited = double(end - stopAt) / 1e6;
        longest = std::max(longest, waited);
        state.SetIterationTime(waited / 1000);
    }
    state.counters["longest_ms"] = longest;
}

// What one stop check of a running script costs: the interpreter asks every few hundred
// lines, so this cost divided by those lines is what the program adds to each line.
void stopCheck(benchmark::State &state)
{
    QWidget window;
    ScriptRunDialog dialog(QStringLiteral("bench.fvs"), &window);
    for (auto _ : state)
        benchmark::DoNotOptimize(dialog.stopRequested());
}

const char *const Workloads[] = {"loop_if", "calls", "math", "strings", "arrays", "text"};
}

int main(int argc, char **argv)
{
    RegionalSettings::setCurrent(RegionalSettings());
    QApplication app(argc, argv);
    for (const char *name : Workloads) {
        benchmark::RegisterBenchmark((std::string("BM_Cli_") + name).c_str(), runPlain, std::string(name))
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(3);
        benchmark::RegisterBenchmark((std::string("BM_Program_") + name).c_str(), runInProgram, std::string(name))
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->Repetitions(3);
    }
    benchmark::RegisterBenchmark("BM_StopCheck", stopCheck)->Unit(benchmark::kNanosecond);
    benchmark::RegisterBenchmark("BM_StopAnswer", stopAnswer)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

    benchmark::Initialize(&argc, argv);
    LeastTimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // Processor time: the program's run costs what it adds to the script's own work,
    // which a busy machine's waits do not show.
    std::printf("\nprogram run / fortavo-cli run (least processor time of each):\n");
    for (const char *name : Workloads) {
        const auto program = reporter.cpuMilliseconds.find(std::string("BM_Program_") + name);
        const auto cli = reporter.cpuMilliseconds.find(std::string("BM_Cli_") + name);
        if (program != reporter.cpuMilliseconds.end() && cli != reporter.cpuMilliseconds.end() && cli->second > 0)
            std::printf("  %-8s %.3f\n", name, program->second / cli->second);
    }
    benchmark::Shutdown();
    return 0;
}
