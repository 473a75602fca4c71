// Preprocessing: the passes that turn the file's lines into the program that runs.

#include "script/ScriptInterpreter.h"

#include "common/Errors.h"
#include "script/ScriptCode.h"
#include "script/ScriptText.h"

using namespace ScriptText;

QString ScriptInterpreter::normalizeLine(const QString &line)
{
    const QString lower = ScriptText::asciiLower(line);
    const qsizetype n = lower.size();
    QString out;
    out.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = lower.at(i);
        if (c == QLatin1Char(';'))
            break;
        if (c == QLatin1Char(' ')) {
            const QChar before = i > 0 ? lower.at(i - 1) : QChar();
            const QChar after = i + 1 < n ? lower.at(i + 1) : QChar();
            if (out.isEmpty() || before == QLatin1Char(' ') || isOperator(after) || isOperator(before)
                || before == QLatin1Char(','))
                continue;
            if (after == QLatin1Char(';'))
                break;
            out += c;
            continue;
        }
        if (c.unicode() >= 33)
            out += c;
    }
    return out;
}

void ScriptInterpreter::NormalizeLines()
{
    for (int k = 0; k < m_lines.count(); ++k)
        m_lines.replace(k, normalizeLine(m_lines.line(k)));
}

bool ScriptInterpreter::ExpandIncludes()
{
    bool found = false;
    const int n = m_lines.count();
    for (int position = 0; position < n; ++position) {
        const QString line = m_lines.line(position);
        if (line.size() <= 7 || !line.startsWith(QLatin1String("include")))
            continue;
        found = true;
        m_currentLine = position;
        const qsizetype space = line.indexOf(QLatin1Char(' '));
        const QString name = space < 0 ? line : line.mid(space + 1);
        const QStringList included = ProgramLines::readSingleByteLines(name);
        const int source = m_lines.addSource(name);
        for (int j = 0; j < included.size(); ++j)
            m_lines.insert(position + 1 + j, included.at(j), source, j + 1);
        m_lines.replace(position, QString());
    }
    return found;
}

void ScriptInterpreter::declare(const QString &name)
{
    if (name.isEmpty())
        throw ScriptError(QStringLiteral("Empty name in a declaration list"));
    if (name.startsWith(QLatin1Char('$'))) {
        if (m_textCount >= TableSlots)
            throw ScriptError(QStringLiteral("Too many text variables: at most %1 can be declared").arg(TableSlots));
        m_texts[m_textCount++].name = name;
    } else {
        if (m_numericCount >= TableSlots)
            throw ScriptError(
                QStringLiteral("Too many numeric variables: at most %1 can be declared").arg(TableSlots));
        m_numbers[m_numericCount++].name = name;
    }
}

void ScriptInterpreter::CollectDeclarations()
{
    m_numericCount = 0;
    m_textCount = 0;
    m_subroutineCount = 0;
    const int count = m_lines.count();
    m_subroutineLines.fill(false, count);
    m_cache->lines.clear();

    for (int p = 0; p < count; ++p) {
        const QString line = m_lines.line(p);
        if (line.isEmpty())
            continue;
        m_currentLine = p;
        if (line.startsWith(QLatin1String("sub"))) {
            if (m_subroutineCount >= TableSlots)
                throw ScriptError(QStringLiteral("Too many subroutines: at most %1 can be declared").arg(TableSlots));
            Subroutine &sub = m_subroutines[m_subroutineCount];
            sub.name = line.mid(4);
            sub.firstLine = p + 1;
            m_subroutineLines[p] = true;
            int q = p + 1;
            for (; q < count; ++q) {
                if (m_lines.line(q) == QLatin1String("endsub"))
                    break;
                m_subroutineLines[q] = true;
            }
            if (q >= count)
                throw ScriptError(QStringLiteral("The subroutine %1 has no endsub line").arg(sub.name));
            sub.lastLine = q - 1;
            ++m_subroutineCount;
        } else if (!line.startsWith(QLatin1String("var"))) {
            continue;
        }
        QString name;
        for (qsizetype i = 4; i < line.size(); ++i) {
            if (line.at(i) == QLatin1Char(',')) {
                declare(name);
                name.clear();
            } else {
                name += line.at(i);
            }
        }
        if (!name.isEmpty())
            declare(name);
        m_lines.replace(p, QString());
    }
    m_currentLine = -1;
}
