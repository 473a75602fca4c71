#include "config/IniFile.h"

#include "common/Errors.h"
#include "common/ValueConversions.h"
#include "common/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

QStringList IniFile::readLines(bool *crlf) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll());
    if (crlf)
        *crlf = text.contains(QStringLiteral("\r\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast(); // the final line break
    return lines;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    bool inSection = false;
    for (const QString &line : readLines()) {
        if (const auto name = sectionName(line)) {
            if (inSection)
                break;
            inSection = name->compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        QString value;
        if (inSection && isKeyLine(line, key, &value))
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

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    bool crlf = false;
    QStringList lines = readLines(&crlf);
    const QString entry = key + QLatin1Char('=') + value;

    int sectionStart = -1;
    int lastEntry = -1; // last non-blank line of the section
    for (int i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionName(lines.at(i))) {
            if (sectionStart >= 0)
                break;
            if (name->compare(section, Qt::CaseInsensitive) == 0)
                sectionStart = lastEntry = i;
            continue;
        }
        if (sectionStart < 0)
            continue;
        if (isKeyLine(lines.at(i), key)) {
            lastEntry = -2;
            lines[i] = entry;
            break;
        }
        if (!lines.at(i).trimmed().isEmpty())
            lastEntry = i;
    }
    if (sectionStart < 0)
        lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
    else if (lastEntry >= 0)
        lines.insert(lastEntry + 1, entry);

    const QString eol = crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    const QByteArray content = (lines.join(eol) + eol).toUtf8();
    const QFileInfo info(m_path);
    const auto unableToWrite = [&] {
        return IoError(QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(info.absoluteFilePath())));
    };
    if (info.exists() && !info.isWritable())
        throw unableToWrite();
    try {
        WholeFile::write(m_path, content);
    } catch (const IoError &) {
        throw unableToWrite();
    }
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}
