#pragma once

#include "common/UserPrompts.h"
#include "script/ScriptHost.h"

#include <QHash>

#include <functional>

// A script host that shows output and asks for input through the user prompts
// (message box, input box). The training-data objects and a way to stop are added
// by whoever owns the data: the main window registers its objects and its Esc check.
class PromptsScriptHost : public ScriptHost {
public:
    explicit PromptsScriptHost(UserPrompts &prompts) : m_prompts(prompts) {}

    void addObject(const QString &name, ScriptObject *object) { m_objects.insert(name, object); }
    void setStopCheck(std::function<bool()> check) { m_stopCheck = std::move(check); }

    void showOutput(const QString &text) override;
    QString askInput(const QString &caption, const QString &prompt, const QString &defaultText) override;
    bool stopRequested() override { return m_stopCheck && m_stopCheck(); }
    ScriptObject *object(const QString &name) override { return m_objects.value(name, nullptr); }

private:
    UserPrompts &m_prompts;
    QHash<QString, ScriptObject *> m_objects;
    std::function<bool()> m_stopCheck;
};
