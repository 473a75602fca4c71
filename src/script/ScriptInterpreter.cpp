// The interpreter's tables and the run of a script; each phase of a run lives in
// its own file: ScriptPreprocessing, ScriptAnalysis, ScriptExecution, ScriptEvaluation.

#include "script/ScriptInterpreter.h"

#include "common/Errors.h"
#include "script/ScriptCode.h"
#include "script/ScriptLibrary.h"

void ScriptFault::divisionByZero()
{
    throw ScriptError(QStringLiteral("Floating point division by zero"));
}

void ScriptFault::invalidOperation()
{
    throw ScriptError(QStringLiteral("Invalid floating point operation"));
}

void ScriptFault::overflow()
{
    throw ScriptError(QStringLiteral("Floating point overflow"));
}

// ---- construction and tables ----

ScriptInterpreter::ScriptInterpreter(ScriptHost &host)
    : m_host(&host), m_math(std::make_unique<LibraryObject>(QStringLiteral("math"))), m_string(std::make_unique<LibraryObject>(QStringLiteral("string"))),
      m_array(std::make_unique<LibraryObject>(QStringLiteral("array"))), m_cache(std::make_unique<CodeCache>())
{
}

ScriptInterpreter::~ScriptInterpreter() = default;

int ScriptInterpreter::numericSlot(const QString &name) const
{
    for (int i = 0; i < m_numericCount; ++i)
        if (m_numbers[i].name == name)
            return i;
    return -1;
}

int ScriptInterpreter::textSlot(const QString &name) const
{
    for (int i = 0; i < m_textCount; ++i)
        if (m_texts[i].name == name)
            return i;
    return -1;
}

int ScriptInterpreter::subroutineSlot(const QString &name) const
{
    for (int i = 0; i < m_subroutineCount; ++i)
        if (m_subroutines[i].name == name)
            return i;
    return -1;
}

float ScriptInterpreter::GetNumber(const QString &name) const
{
    const int slot = numericSlot(name);
    return slot < 0 ? 0.0f : m_numbers[slot].value;
}

void ScriptInterpreter::SetNumber(const QString &name, float value)
{
    const int slot = numericSlot(name);
    if (slot >= 0)
        m_numbers[slot].value = value;
}

QString ScriptInterpreter::GetText(const QString &name) const
{
    const int slot = textSlot(name);
    return slot < 0 ? QString() : m_texts[slot].value;
}

void ScriptInterpreter::SetText(const QString &name, const QString &value)
{
    const int slot = textSlot(name);
    if (slot >= 0)
        m_texts[slot].value = value;
}

ScriptObject *ScriptInterpreter::findObject(const QString &name)
{
    if (name == QLatin1String("math"))
        return m_math.get();
    if (name == QLatin1String("string"))
        return m_string.get();
    if (name == QLatin1String("array"))
        return m_array.get();
    return m_host->object(name);
}

// ---- running ----

void ScriptInterpreter::RunScript(const QString &fileName)
{
    m_currentLine = -1;
    try {
        m_lines.loadFile(fileName);
        NormalizeLines();
        if (ExpandIncludes())
            NormalizeLines();
        CollectDeclarations();
        m_currentLine = -1;
        m_linesToStopCheck = StopCheckInterval;
        ExecuteRange(0, m_lines.count() - 1, false);
    } catch (const FortavoError &e) {
        QString where;
        if (m_currentLine >= 0 && m_currentLine < m_lines.count()) {
            const QString &text = m_lines.line(m_currentLine);
            where = QStringLiteral(" (") + m_lines.describe(m_currentLine)
                + (text.isEmpty() ? QString() : QStringLiteral(": ") + text) + QLatin1Char(')');
        }
        throw ScriptError(e.message() + where);
    }
}
