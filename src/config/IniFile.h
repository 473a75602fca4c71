#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A configuration file in INI form. Section and key names compare without regard to
// case; every read goes to the file and every write rewrites it at once, keeping
// every other line byte for byte, line end included. The file is UTF-8 when it has a
// byte-order mark or reads as UTF-8, otherwise Windows-1250, and is written back so.
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

    // One line of the file: its bytes, its line end ("\r\n", "\n", or none on a last
    // line without one) and its text.
    struct Line {
        QByteArray bytes;
        QByteArray end;
        QString text;
    };

private:
    struct Content {
        QByteArray bom;
        bool utf8 = true; // a new file is UTF-8
        QList<Line> lines;

        QString decode(const QByteArray &bytes) const;
        QByteArray encode(const QString &text) const;
        QByteArray lineEnd() const; // the file's first line end; LF for a file without one
        QByteArray bytes() const;
    };
    Content load() const;

    QString m_path;
};
