#include "script/PromptsScriptHost.h"

void PromptsScriptHost::showOutput(const QString &text)
{
    m_prompts.message(text);
}

QString PromptsScriptHost::askInput(const QString &caption, const QString &prompt, const QString &defaultText)
{
    QString value = defaultText;
    if (!m_prompts.input(caption, prompt, value))
        return defaultText;
    return value;
}
