// Preprocessing: the passes that turn the file's lines into the program that runs.

#include "script/ScriptInterpreter.h"

#include "common/Errors.h"
#include "script/ScriptCode.h"
#include "script/ScriptText.h"

#include <QHash>

#include <vector>

using namespace ScriptText;

QString ScriptInterpreter::normalizeLine(const QString &line)
{
    const QString lower = ScriptText::asciiLower(line);
    const qsizetype n = lower.size();
    QString out;
    out.reserve(n);
    qsizetype lastVisible = -1; // the last character of "!" or above before i
    qsizetype runEnd = -1;      // the first visible character after the current blanks
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = lower.at(i);
        if (c == QLatin1Char(';'))
            break;
        if (c == QLatin1Char(' ')) {
            const QChar before = i > 0 ? lower.at(i - 1) : QChar();
            const QChar after = i + 1 < n ? lower.at(i + 1) : QChar();
            if (out.isEmpty() || before == QLatin1Char(' '))
                continue;
            // A run of blanks next to an operator (or after a comma) vanishes whole.
            if (runEnd <= i) {
                runEnd = i + 1;
                while (runEnd < n && lower.at(runEnd).unicode() < 33)
                    ++runEnd;
            }
            const QChar next = runEnd < n ? lower.at(runEnd) : QChar();
            const QChar previous = lastVisible >= 0 ? lower.at(lastVisible) : QChar();
            if (isOperator(next) || isOperator(previous) || previous == QLatin1Char(','))
                continue;
            if (after == QLatin1Char(';'))
                break;
            out += c;
            continue;
        }
        if (c.unicode() >= 33) {
            out += c;
            lastVisible = i;
        }
    }
    return out;
}

void ScriptInterpreter::checkStopWhilePreparing(qint64 &work)
{
    if (++work % 4096 == 0 && m_host->stopRequested())
        throw ScriptError(QStringLiteral("The script was stopped"));
}

void ScriptInterpreter::NormalizeLines()
{
    qint64 work = 0;
    for (int k = 0; k < m_lines.count(); ++k) {
        checkStopWhilePreparing(work);
        m_lines.replace(k, normalizeLine(m_lines.line(k)));
    }
}

QStringList ScriptInterpreter::includedLines(const QString &name)
{
    try {
        return ProgramLines::readSingleByteLines(name, MaxFileBytes);
    } catch (const IoError &e) {
        if (name.size() <= MaxQuotedLength)
            throw;
        throw IoError(QString(e.message()).replace(name, quoted(name)));
    }
}

// One pass over the lines. An include line is replaced by an empty line and the
// included file's lines follow it; the pass goes on with the first of them. Every
// line of the list the pass began with is examined, wherever the inserted lines
// have pushed it; an inserted line is examined while its position is below the
// count the pass began with. The list is built anew from front to back, so the pass
// costs time in proportion to what it produces, and a program that grows beyond its
// bounds ends the run.
bool ScriptInterpreter::ExpandIncludes()
{
    struct Included {
        QStringList lines;
        int source = 0;
        int next = 0;
    };
    const ProgramLines input = m_lines;
    const int n = input.count();
    m_lines.clearLines();
    m_lines.reserve(n);
    std::vector<Included> pending; // the innermost file last
    QHash<QString, QStringList> files;
    std::vector<int> includeLines;
    int nextInput = 0;
    bool found = false;
    qint64 characters = 0;
    qint64 work = 0;
    for (;;) {
        while (!pending.empty() && pending.back().next >= pending.back().lines.size())
            pending.pop_back();
        QString line;
        ProgramLines::Origin origin;
        bool fromInput = false;
        if (!pending.empty()) {
            Included &file = pending.back();
            line = file.lines.at(file.next);
            origin = {file.source, ++file.next};
        } else if (nextInput < n) {
            line = input.line(nextInput);
            origin = input.origin(nextInput);
            fromInput = true;
            ++nextInput;
        } else {
            break;
        }
        const int position = m_lines.count();
        characters += line.size();
        if (position >= MaxProgramLines || characters > MaxProgramCharacters)
            throw ScriptError(QStringLiteral("The program grows beyond %1 lines or %2 characters with its includes")
                                  .arg(MaxProgramLines)
                                  .arg(MaxProgramCharacters));
        m_lines.append(line, origin);
        checkStopWhilePreparing(work);
        if ((!fromInput && position >= n) || line.size() <= 7 || !line.startsWith(QLatin1String("include")))
            continue;
        found = true;
        m_currentLine = position;
        const qsizetype space = line.indexOf(QLatin1Char(' '));
        const QString name = space < 0 ? line : line.mid(space + 1);
        auto known = files.constFind(name);
        if (known == files.constEnd())
            known = files.insert(name, includedLines(name));
        includeLines.push_back(position);
        if (!known->isEmpty())
            pending.push_back({*known, m_lines.addSource(name), 0});
    }
    // Emptied only now, so that an error on the way names the include line's text.
    for (int position : includeLines)
        m_lines.replace(position, QString());
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
                throw ScriptError(QStringLiteral("The subroutine %1 has no endsub line").arg(quoted(sub.name)));
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
