#include "app/ScriptRunner.h"

#include "app/ScriptRunDialog.h"
#include "common/ProgramFolder.h"
#include "script/PromptsScriptHost.h"
#include "script/ScriptInterpreter.h"

#include <QFileInfo>

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
    runScriptWithStopDialog(*m_interpreter, *m_host, m_prompts, path, m_window);
}
