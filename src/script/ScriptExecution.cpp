// Execution: the lines of a range, blocks, calls and the simple statements.

#include "script/ScriptInterpreter.h"

#include "common/Errors.h"
#include "script/ScriptCode.h"
#include "script/ScriptText.h"

using namespace ScriptText;


void ScriptInterpreter::countLine(int position)
{
    m_currentLine = position;
    if (--m_linesToStopCheck > 0)
        return;
    m_linesToStopCheck = StopCheckInterval;
    if (m_host->stopRequested())
        throw ScriptError(QStringLiteral("The script was stopped"));
}

void ScriptInterpreter::ExecuteRange(int first, int last, bool inSubroutine)
{
    if (m_depth >= MaxNesting)
        throw ScriptError(QStringLiteral("Calls and blocks are nested more than %1 levels deep").arg(MaxNesting));
    DepthGuard guard(m_depth);
    last = std::min(last, m_lines.count() - 1);
    if (m_subroutineLines.size() != m_lines.count())
        m_subroutineLines.resize(m_lines.count(), false);
    for (int a = std::max(first, 0); a <= last; ++a) {
        const QString &line = m_lines.line(a);
        if (line.isEmpty() || (!inSubroutine && m_subroutineLines.at(a)))
            continue;
        LineCode &code = lineCode(a);
        if (code.kind == LineCode::Skip)
            continue;
        countLine(a);
        if (code.kind == LineCode::Simple) {
            execute(*code.statement);
        } else if (code.kind == LineCode::Dynamic) {
            // Literals insert current values: expand and analyse the line anew.
            LineCode now;
            buildLine(now, a, ExpandLiterals(line));
            if (now.kind == LineCode::Simple)
                execute(*now.statement);
            else
                a = executeBlock(a, now, inSubroutine);
        } else {
            a = executeBlock(a, code, inSubroutine);
        }
    }
}

int ScriptInterpreter::executeBlock(int position, const LineCode &code, bool inSubroutine)
{
    switch (code.kind) {
    case LineCode::If:
        if (code.endLine < 0)
            return position; // no endif: the lines run as ordinary lines
        if (code.elseLine < 0) {
            if (evaluate(*code.condition))
                ExecuteRange(position + 1, code.endLine - 1, inSubroutine);
        } else if (evaluate(*code.condition)) {
            ExecuteRange(position + 1, code.elseLine - 1, inSubroutine);
        } else {
            ExecuteRange(code.elseLine + 1, code.endLine - 1, inSubroutine);
        }
        return code.endLine;
    case LineCode::While:
        if (code.endLine < 0)
            return position;
        while (evaluate(*code.condition)) {
            ExecuteRange(position + 1, code.endLine - 1, inSubroutine);
            countLine(position);
        }
        return code.endLine;
    case LineCode::Call:
        if (code.subroutine >= 0) {
            const Subroutine &sub = m_subroutines[code.subroutine];
            ExecuteRange(sub.firstLine, sub.lastLine, true);
        }
        return position;
    default:
        return position;
    }
}

QString ScriptInterpreter::ExpandLiterals(const QString &line) const
{
    QString out;
    out.reserve(line.size());
    bool inLiteral = false;
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('"')) {
            out += c;
            inLiteral = !inLiteral;
        } else if (!inLiteral) {
            out += c;
        } else if (c == QLatin1Char('(')) {
            out += QLatin1Char('{');
        } else if (c == QLatin1Char('$')) {
            qsizetype end = i + 1;
            while (end < n && line.at(end) != QLatin1Char(' ') && line.at(end) != QLatin1Char('"'))
                ++end;
            const QString name = line.mid(i + 1, end - i - 1);
            if (name.isEmpty())
                out += c; // a "$" that names nothing stays
            else if (name.startsWith(QLatin1Char('$')))
                out += GetText(name);
            else
                out += FormatNumber(GetNumber(name));
            i = end - 1;
        } else {
            out += c;
        }
    }
    return out;
}

void ScriptInterpreter::ExecuteStatement(const QString &statement)
{
    execute(analyzeStatement(statement));
}

void ScriptInterpreter::execute(const Statement &s)
{
    switch (s.kind) {
    case Statement::Output:
        m_host->showOutput(evaluate(s.value));
        break;
    case Statement::Input: {
        const QString prompt = evaluate(s.value);
        const QString defaultText = evaluate(s.second);
        const QString answer = m_host->askInput(QStringLiteral("Input"), prompt, defaultText);
        if (s.textTarget) {
            if (s.slot >= 0)
                m_texts[s.slot].value = answer;
        } else {
            const float value = parseSingle(answer);
            if (s.slot >= 0)
                m_numbers[s.slot].value = value;
        }
        break;
    }
    case Statement::TextAssignment: {
        QString value = evaluate(s.side);
        if (s.slot >= 0)
            m_texts[s.slot].value = std::move(value);
        break;
    }
    case Statement::NumberAssignment: {
        const float value = evaluate(s.number);
        if (s.slot >= 0)
            m_numbers[s.slot].value = value;
        break;
    }
    case Statement::ObjectStatement:
        if (ScriptObject *object = findObject(s.object))
            object->statement(*this, s.member);
        break;
    case Statement::Nothing:
        break;
    }
}
