#include "app/ScriptRunner.h"

#include "common/ProgramFolder.h"
#include "script/PromptsScriptHost.h"
#include "script/ScriptInterpreter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProgressDialog>
#include <QScopeGuard>

ScriptRunner::ScriptRunner(UserPrompts &prompts, QWidget *window)
    : m_prompts(prompts), m_window(window), m_host(std::make_unique<PromptsScriptHost>(prompts)),
      m_interpreter(std::make_unique<ScriptInterpreter>(*m_host))
{
}

ScriptRunner::~ScriptRunner() = default;

void ScriptRunner::chooseAndRun()
{
    UserPrompts::FileDialog dialog{QStringLiteral("Open script file"), QStringLiteral("Fortavo scripts (*.fvs)|*.fvs"),
                                   QStringLiteral("fvs"), ProgramFolder::path(), true, false};
    const QString chosen = m_prompts.openFileName(dialog);
    if (!chosen.isEmpty())
        runFile(QFileInfo(chosen).absoluteFilePath());
}

void ScriptRunner::runFile(const QString &path)
{
    QProgressDialog running(QStringLiteral("Running %1...").arg(QFileInfo(path).fileName()), QStringLiteral("Stop"), 0, 0,
                            m_window);
    running.setWindowModality(Qt::WindowModal);
    running.setMinimumDuration(700);
    running.setValue(0);
    m_host->setStopCheck([&running] {
        // User input waits until the modal dialog is up, so no other command can run
        // in the middle of the script.
        QCoreApplication::processEvents(running.isVisible() ? QEventLoop::AllEvents
                                                            : QEventLoop::ExcludeUserInputEvents);
        return running.wasCanceled();
    });
    const auto clearStopCheck = qScopeGuard([this] { m_host->setStopCheck({}); });
    m_interpreter->RunScript(path);
}
