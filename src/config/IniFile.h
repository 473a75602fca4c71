#pragma once

#include <QString>
#include <QStringList>

// A configuration file in INI form. Section and key names compare without regard to
// case; every read goes to the file and every write rewrites it at once, keeping
// every other line as it was.
class IniFile {
public:
    explicit IniFile(QString path) : m_path(std::move(path)) {}
    const QString &path() const { return m_path; }
    bool exists() const;

    // A missing file, section or key gives the default; a present key with an empty
    // value gives the empty text. Blanks around the value and a pair of enclosing
    // quotation marks are dropped; at most 2047 characters are read.
    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    // Decimal, or hexadecimal after "$" or "0x"; an empty or invalid text gives the default.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;

    // Replaces the key's line in place, or adds the key at the end of its section, or
    // the section at the end of the file. Raises IoError "Unable to write to <path>".
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);

    static constexpr int MaxValueLength = 2047;

private:
    QStringList readLines(bool *crlf = nullptr) const;

    QString m_path;
};
