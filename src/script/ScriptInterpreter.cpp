// The interpreter's tables and the run of a script; each phase of a run lives in
// its own file: ScriptPreprocessing, ScriptAnalysis, ScriptExecution, ScriptEvaluation
// (with ScriptValues for the conversions between numbers and texts).

#include "script/ScriptInterpreter.h"

#include "common/Errors.h"
#include "script/ScriptCode.h"
#include "script/ScriptLibrary.h"

#include <new>

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

ScriptInterpreter::ScriptInterpreter(ScriptHost &host) : m_host(&host)
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

ScriptObject *ScriptInterpreter::hostObject(const QString &name) const
{
    return m_host->object(name);
}

// ---- running ----

void ScriptInterpreter::RunScript(const QString &fileName)
{
    m_currentLine = -1;
    m_frames.clear();
    m_kept.clear();
    m_depth = 0;
    try {
        m_lines.loadFile(fileName, MaxFileBytes);
        NormalizeLines();
        if (ExpandIncludes())
            NormalizeLines();
        CollectDeclarations();
        m_currentLine = -1;
        m_linesToStopCheck = StopCheckInterval;
        prepareCode();
        ExecuteRange(0, m_lines.count() - 1, false);
    } catch (const FortavoError &e) {
        m_code.clear();
        throw ScriptError(e.message() + where());
    } catch (const std::bad_alloc &) {
        m_code.clear();
        throw ScriptError(QStringLiteral("The script ran out of memory") + where());
    }
    m_code.clear();
}

// " (line 4: x=1/0)": where the run was when an error ended it.
QString ScriptInterpreter::where() const
{
    if (m_currentLine < 0 || m_currentLine >= m_lines.count())
        return QString();
    const QString &text = m_lines.line(m_currentLine);
    return QStringLiteral(" (") + m_lines.describe(m_currentLine)
        + (text.isEmpty() ? QString() : QStringLiteral(": ") + quoted(text)) + QLatin1Char(')');
}
