#include "config/IniFile.h"

#include "common/CodePage.h"
#include "common/Errors.h"
#include "common/ValueConversions.h"
#include "common/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <optional>

namespace {
std::optional<QString> sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const int close = int(t.indexOf(QLatin1Char(']')));
    if (close < 0)
        return std::nullopt;
    return t.mid(1, close - 1).trimmed();
}

bool isKeyLine(const QString &line, const QString &key, QString *value = nullptr)
{
    const int eq = int(line.indexOf(QLatin1Char('=')));
    if (eq < 0 || line.trimmed().startsWith(QLatin1Char(';')))
        return false;
    if (line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0)
        return false;
    if (value)
        *value = line.mid(eq + 1);
    return true;
}

QString cleanValue(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            value = value.mid(1, value.size() - 2);
    }
    return value.left(IniFile::MaxValueLength);
}
}

bool IniFile::exists() const
{
    return QFileInfo(m_path).isFile();
}

IniFile::Content IniFile::load() const
{
    Content c;
    // A pipe or device would block the read; a folder reads as no content, as before.
    if (!QFileInfo(m_path).isDir())
        WholeFile::refuseNonRegular(m_path, QStringLiteral("configuration file"));
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return c;
    QByteArray bytes = file.readAll();
    static const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom)) {
        c.bom = bom;
        bytes.remove(0, bom.size());
    } else {
        // A file written by the earlier program is in the single-byte code page; one
        // that reads as UTF-8 is taken as UTF-8.
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        (void)QString(utf8.decode(bytes));
        c.utf8 = !utf8.hasError();
    }
    qsizetype from = 0;
    while (from < bytes.size()) {
        Line line;
        const qsizetype lf = bytes.indexOf('\n', from);
        qsizetype stop = lf < 0 ? bytes.size() : lf;
        if (lf >= 0) {
            const bool cr = stop > from && bytes.at(stop - 1) == '\r';
            line.end = cr ? QByteArray("\r\n") : QByteArray("\n");
            stop -= cr ? 1 : 0;
        }
        line.bytes = bytes.mid(from, stop - from);
        line.text = c.decode(line.bytes);
        c.lines << line;
        from = lf < 0 ? bytes.size() : lf + 1;
    }
    return c;
}

QString IniFile::Content::decode(const QByteArray &bytes) const
{
    return utf8 ? QString::fromUtf8(bytes) : CodePage::decode(bytes.constData(), int(bytes.size()));
}

QByteArray IniFile::Content::encode(const QString &text) const
{
    return utf8 ? text.toUtf8() : CodePage::encode(text, int(text.size()));
}

QByteArray IniFile::Content::lineEnd() const
{
    for (const Line &line : lines)
        if (!line.end.isEmpty())
            return line.end;
    return QByteArrayLiteral("\n");
}

QByteArray IniFile::Content::bytes() const
{
    QByteArray out = bom;
    for (const Line &line : lines)
        out += line.bytes + line.end;
    return out;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    bool inSection = false;
    for (const Line &line : load().lines) {
        if (const auto name = sectionName(line.text)) {
            if (inSection)
                break;
            inSection = name->compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        QString value;
        if (inSection && isKeyLine(line.text, key, &value))
            return cleanValue(value);
    }
    return defaultValue;
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    const QString text = readString(section, key, QString());
    qint64 value = 0;
    if (text.isEmpty() || !TryParseInteger(text, value) || value < INT_MIN || value > INT_MAX)
        return defaultValue;
    return int(value);
}

namespace {
// The index of the key's line in its section (replace), or -(i + 2) where the key
// goes in after line i (insert), or -1 when the section is missing.
int placeOfKey(const QList<IniFile::Line> &lines, const QString &section, const QString &key)
{
    int sectionStart = -1;
    int lastEntry = -1; // last non-blank line of the section
    for (int i = 0; i < lines.size(); ++i) {
        const QString &text = lines.at(i).text;
        if (const auto name = sectionName(text)) {
            if (sectionStart >= 0)
                break;
            if (name->compare(section, Qt::CaseInsensitive) == 0)
                sectionStart = lastEntry = i;
            continue;
        }
        if (sectionStart < 0)
            continue;
        if (isKeyLine(text, key))
            return i;
        if (!text.trimmed().isEmpty())
            lastEntry = i;
    }
    return sectionStart < 0 ? -1 : -(lastEntry + 2);
}
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const QFileInfo info(m_path);
    const auto unableToWrite = [&] {
        return IoError(QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(info.absoluteFilePath())));
    };
    // A file that cannot be read back would be replaced by the one key.
    if (info.exists() && (!info.isWritable() || !info.isReadable()))
        throw unableToWrite();
    Content c = load();
    const QString entry = key + QLatin1Char('=') + value;
    // A value the code page cannot hold (a path in another script) would be stored as
    // "?": the file then becomes UTF-8, which holds every line's text.
    if (!c.utf8 && !CodePage::holds(entry + section)) {
        c.utf8 = true;
        for (Line &line : c.lines)
            line.bytes = c.encode(line.text);
    }
    const QByteArray eol = c.lineEnd();
    const auto newLine = [&](const QString &text) { return Line{c.encode(text), eol, text}; };
    const auto insertAt = [&](int i, const QString &text) {
        if (i > 0 && c.lines.at(i - 1).end.isEmpty())
            c.lines[i - 1].end = eol;
        c.lines.insert(i, newLine(text));
    };

    const int place = placeOfKey(c.lines, section, key);
    if (place >= 0) {
        c.lines[place].text = entry;
        c.lines[place].bytes = c.encode(entry);
    } else if (place == -1) {
        insertAt(int(c.lines.size()), QLatin1Char('[') + section + QLatin1Char(']'));
        insertAt(int(c.lines.size()), entry);
    } else {
        insertAt(-place - 1, entry);
    }

    try {
        WholeFile::write(m_path, c.bytes());
    } catch (const IoError &) {
        throw unableToWrite();
    }
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}
