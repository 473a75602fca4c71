#include "script/ProgramLines.h"

#include "common/CodePage.h"
#include "common/Errors.h"
#include "common/PlainText.h"
#include "common/WholeFile.h"

#include <QFile>
#include <QFileInfo>

namespace {
// A script file's bytes. A file that is not a regular one (a pipe, a terminal, a
// device) is read as far as the bound allows; refuseDevices refuses it instead.
QByteArray readBounded(const QString &fileName, qint64 maxBytes, bool refuseDevices)
{
    const QFileInfo info(fileName);
    const auto tooLarge = [&] {
        return IoError(QStringLiteral("Cannot read file \"%1\": it is larger than %2 bytes").arg(fileName).arg(maxBytes));
    };
    if (!info.exists() || info.isFile()) {
        if (info.size() > maxBytes)
            throw tooLarge();
        return WholeFile::read(fileName);
    }
    if (refuseDevices || info.isDir())
        throw IoError(QStringLiteral("Cannot read file \"%1\": it is not a regular file").arg(fileName));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return WholeFile::read(fileName); // raises the error with the system's reason
    QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes)
        throw tooLarge();
    return bytes;
}
}

void ProgramLines::insert(int k, const QString &text, int source, int sourceLine)
{
    m_lines.insert(k, text);
    m_origins.insert(k, Origin{source, sourceLine});
}

void ProgramLines::loadFile(const QString &fileName, qint64 maxBytes)
{
    const QStringList lines = splitLines(PlainText::decode(readBounded(fileName, maxBytes, false)));
    clear();
    m_sources << fileName;
    m_lines = lines;
    m_origins.reserve(lines.size());
    for (int i = 0; i < lines.size(); ++i)
        m_origins.append(Origin{0, i + 1});
}

void ProgramLines::append(const QString &text, Origin origin)
{
    m_lines.append(text);
    m_origins.append(origin);
}

void ProgramLines::clearLines()
{
    m_lines.clear();
    m_origins.clear();
}

void ProgramLines::reserve(qsizetype lines)
{
    m_lines.reserve(lines);
    m_origins.reserve(lines);
}

void ProgramLines::clear()
{
    m_lines.clear();
    m_origins.clear();
    m_sources.clear();
}

int ProgramLines::addSource(const QString &name)
{
    if (m_sources.isEmpty())
        m_sources << QString();
    m_sources << name;
    return int(m_sources.size()) - 1;
}

QString ProgramLines::describe(int k) const
{
    if (k < 0 || k >= m_origins.size())
        return QString();
    const Origin &o = m_origins.at(k);
    if (o.source == 0)
        return QStringLiteral("line %1").arg(o.line);
    return QStringLiteral("line %1 of %2").arg(o.line).arg(m_sources.value(o.source));
}

QStringList ProgramLines::readSingleByteLines(const QString &fileName, qint64 maxBytes)
{
    const QByteArray bytes = readBounded(fileName, maxBytes, true);
    return splitLines(CodePage::decode(bytes.constData(), int(bytes.size())));
}

QStringList ProgramLines::splitLines(const QString &text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}
