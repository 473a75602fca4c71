#pragma once

#include <memory>

class PromptsScriptHost;
class QString;
class QWidget;
class ScriptInterpreter;
class UserPrompts;

// "Run a script" of the main window: one interpreter for the whole run, so values of a
// script's variables stay for the next script. A running script holds the window;
// after a moment a small dialog offers Esc (or its button) to stop it.
class ScriptRunner {
public:
    ScriptRunner(UserPrompts &prompts, QWidget *window);
    ~ScriptRunner();

    // The host of the scripts, where the training-data objects are registered.
    PromptsScriptHost &host() { return *m_host; }
    // Asks for a script file with the open dialog and runs it.
    void chooseAndRun();
    void runFile(const QString &path);

private:
    UserPrompts &m_prompts;
    QWidget *m_window;
    std::unique_ptr<PromptsScriptHost> m_host;
    std::unique_ptr<ScriptInterpreter> m_interpreter;
};
