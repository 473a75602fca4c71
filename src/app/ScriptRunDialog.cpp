#include "app/ScriptRunDialog.h"

#include "common/Errors.h"
#include "common/UserPrompts.h"
#include "script/ScriptInterpreter.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTimer>
#include <QVBoxLayout>

ScriptRunDialog::ScriptRunDialog(const QString &scriptName, QWidget *parent)
    : QDialog(parent), m_showTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("dlgScriptRun"));
    setWindowTitle(QStringLiteral("Fortavo"));
    setWindowModality(Qt::WindowModal);
    auto *busy = new QProgressBar(this);
    busy->setRange(0, 0);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *stop = buttons->addButton(QStringLiteral("Stop"), QDialogButtonBox::RejectRole);
    stop->setObjectName(QStringLiteral("bitStop"));
    connect(buttons, &QDialogButtonBox::rejected, this, &ScriptRunDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Running %1...").arg(scriptName), this));
    layout->addWidget(busy);
    layout->addWidget(buttons);

    m_showTimer->setSingleShot(true);
    m_showTimer->setInterval(ShowDelayMs);
    connect(m_showTimer, &QTimer::timeout, this, &QWidget::show);
    m_showTimer->start();
}

bool ScriptRunDialog::stopRequested()
{
    // Handling events costs far more than the lines run between two checks; the clock
    // is cheap, so the events wait for their moment.
    if (m_sinceEvents.isValid() && m_sinceEvents.elapsed() < EventIntervalMs)
        return m_stopRequested;
    return stopRequestedNow();
}

bool ScriptRunDialog::stopRequestedNow()
{
    QCoreApplication::processEvents(isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    m_sinceEvents.start();
    return m_stopRequested;
}

void ScriptRunDialog::pause()
{
    m_showTimer->stop();
    hide();
}

void ScriptRunDialog::resume()
{
    if (!m_stopRequested)
        m_showTimer->start();
}

void ScriptRunDialog::reject()
{
    // Esc, Stop and the close box end the run; the dialog does not come back.
    m_stopRequested = true;
    m_showTimer->stop();
    hide();
}

template <typename Prompt>
auto ScriptRunHost::atPrompt(Prompt prompt)
{
    // A Stop pressed just before the prompt, or while it waited, ends the run before
    // the script goes on to its next prompt.
    checkStop(true);
    m_dialog.pause();
    auto result = prompt();
    checkStop(true);
    m_dialog.resume();
    return result;
}

void ScriptRunHost::showOutput(const QString &text)
{
    atPrompt([&] {
        m_host.showOutput(text);
        return 0;
    });
}

QString ScriptRunHost::askInput(const QString &caption, const QString &prompt, const QString &defaultText)
{
    return atPrompt([&] { return m_host.askInput(caption, prompt, defaultText); });
}

bool ScriptRunHost::stopRequested()
{
    return checkStop(false);
}

bool ScriptRunHost::checkStop(bool now)
{
    if (m_stopped || (now ? m_dialog.stopRequestedNow() : m_dialog.stopRequested())) {
        m_stopped = true;
        throw ScriptError(StoppedText);
    }
    return false;
}

void runScriptWithStopDialog(ScriptInterpreter &interpreter, ScriptHost &host, UserPrompts &prompts,
                             const QString &path, QWidget *window)
{
    QString stopped;
    {
        ScriptRunDialog running(QFileInfo(path).fileName(), window);
        ScriptRunHost runHost(host, running);
        interpreter.setHost(runHost);
        const auto restoreHost = qScopeGuard([&] { interpreter.setHost(host); });
        try {
            interpreter.RunScript(path);
        } catch (const ScriptError &e) {
            if (!runHost.stopped())
                throw;
            stopped = e.message();
        }
    }
    // Shown once the run dialog is gone: the user asked for it, so it is no error.
    if (!stopped.isEmpty())
        prompts.information(stopped);
}
