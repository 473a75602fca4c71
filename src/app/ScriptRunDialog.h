#pragma once

#include "script/ScriptHost.h"

#include <QDialog>
#include <QElapsedTimer>

class QTimer;
class ScriptInterpreter;
class UserPrompts;

// The "Running … / Stop" dialog of a script run from a window. It shows once the
// script has run on its own for a moment, and never while the script waits for the
// user at one of its own prompts. Stop, Esc or the close box ask the run to stop.
class ScriptRunDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int ShowDelayMs = 700;
    // How often a running script lets the program handle its events: often enough
    // for a Stop to be answered at once, seldom enough to cost the script nothing.
    static constexpr int EventIntervalMs = 20;

    ScriptRunDialog(const QString &scriptName, QWidget *parent);

    // Handles the events waiting, at most every EventIntervalMs (the user's only while
    // the dialog shows, so no other command runs in the middle of the script), and
    // tells whether Stop was asked for.
    bool stopRequested();
    // The same, handling the events now whatever the time since the last.
    bool stopRequestedNow();
    // The script waits for the user: the dialog hides and its delay stops.
    void pause();
    // The script runs again: the dialog shows after the whole delay.
    void resume();

public slots:
    void reject() override;

private:
    QTimer *m_showTimer;
    QElapsedTimer m_sinceEvents;
    bool m_stopRequested = false;
};

// The host a script talks to while it runs from a window: the window's own host, with
// the run dialog kept out of the way of every output message and input box, and a
// stop looked at before and right after each of them as well as while lines run.
// A stop ends the run with ScriptError(StoppedText).
class ScriptRunHost : public ScriptHost {
public:
    static inline const QString StoppedText = QStringLiteral("The script was stopped.");

    ScriptRunHost(ScriptHost &host, ScriptRunDialog &dialog) : m_host(host), m_dialog(dialog) {}

    void showOutput(const QString &text) override;
    QString askInput(const QString &caption, const QString &prompt, const QString &defaultText) override;
    bool stopRequested() override;
    ScriptObject *object(const QString &name) override { return m_host.object(name); }

    // Whether the run ended because the user asked it to.
    bool stopped() const { return m_stopped; }

private:
    template <typename Prompt>
    auto atPrompt(Prompt prompt);
    bool checkStop(bool now);

    ScriptHost &m_host;
    ScriptRunDialog &m_dialog;
    bool m_stopped = false;
};

// Runs a script file with the run dialog between the interpreter and the window's
// host. A stop the user asked for ends the run with the information "The script was
// stopped." and the line it stopped at; any other failure is raised as ScriptError.
void runScriptWithStopDialog(ScriptInterpreter &interpreter, ScriptHost &host, UserPrompts &prompts,
                             const QString &path, QWidget *window);
