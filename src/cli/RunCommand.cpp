#include "cli/CliCommands.h"
#include "script/ScriptInterpreter.h"
#include "scriptdata/HeadlessShownWorkout.h"
#include "scriptdata/TrainingObjects.h"

#include <QElapsedTimer>

#include <cmath>
#include <csignal>
#include <unistd.h>

namespace {
volatile std::sig_atomic_t interrupted = 0;

// The first Ctrl+C asks the running script to stop; a second one ends the process.
extern "C" void onInterrupt(int)
{
    interrupted = 1;
    std::signal(SIGINT, SIG_DFL);
}

// Scripts on the standard streams: each output is a line of standard output, each
// input answer a line of standard input (its end counts as cancel).
class StreamScriptHost : public ScriptHost {
public:
    StreamScriptHost(CliContext &context, double timeoutSeconds, TrainingObjects &objects)
        : m_context(context), m_timeout(timeoutSeconds), m_objects(objects)
    {
        m_clock.start();
    }

    ScriptObject *object(const QString &name) override { return m_objects.object(name); }

    void showOutput(const QString &text) override
    {
        m_context.out << text << '\n';
        m_context.out.flush();
    }

    QString askInput(const QString &, const QString &prompt, const QString &defaultText) override
    {
        // Someone at a terminal sees what is asked; piped input gets no prompt.
        if (isatty(STDIN_FILENO)) {
            m_context.err << prompt << " [" << defaultText << "]: ";
            m_context.err.flush();
        }
        QString answer;
        if (!m_context.in.readLineInto(&answer))
            return defaultText;
        return answer;
    }

    bool stopRequested() override
    {
        // Compared in milliseconds as doubles: a huge timeout never turns into a small one.
        return interrupted || (m_timeout > 0 && double(m_clock.elapsed()) >= m_timeout * 1000);
    }

private:
    CliContext &m_context;
    double m_timeout;
    TrainingObjects &m_objects;
    QElapsedTimer m_clock;
};

}

int runCommand(CliContext &context, const QStringList &args)
{
    double timeout = 0;
    QString workout;
    QStringList scripts;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--timeout")) {
            bool ok = false;
            timeout = i + 1 < args.size() ? args.at(i + 1).toDouble(&ok) : 0;
            if (!ok || !std::isfinite(timeout) || timeout <= 0)
                throw CliUsageError(QStringLiteral("--timeout needs a number of seconds above 0."));
            ++i;
        } else if (args.at(i) == QLatin1String("--workout")) {
            if (i + 1 >= args.size() || args.at(i + 1).trimmed().isEmpty())
                throw CliUsageError(QStringLiteral("--workout needs the number of a workout."));
            workout = args.at(++i);
        } else {
            scripts << args.at(i);
        }
    }
    if (scripts.isEmpty())
        throw CliUsageError(QStringLiteral("run needs at least one script file."));

    // The scripts read a headless editor over the training file; it starts empty, or
    // with workout N shown and its line selected as a double click leaves them.
    HeadlessShownWorkout shown([&context]() -> HeadlessSession & { return context.session(); });
    if (!workout.isEmpty()) {
        const int record = context.recordOfWorkout(workout);
        context.selectWorkout(workout);
        shown.loadShownWorkout(record);
    }
    TrainingObjects objects(shown);
    StreamScriptHost host(context, timeout, objects);
    ScriptInterpreter interpreter(host);
    interrupted = 0;
    auto previous = std::signal(SIGINT, onInterrupt);
    try {
        // One interpreter for all: values persist from one script to the next.
        for (const QString &script : scripts)
            interpreter.RunScript(script);
    } catch (...) {
        std::signal(SIGINT, previous);
        throw;
    }
    std::signal(SIGINT, previous);
    return 0;
}
