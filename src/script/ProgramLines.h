#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The lines a script run works on, addressed by position from 0. Besides its text,
// every line remembers where it came from (the script or an included file, and the
// line number there), so that an error can name the line the user wrote.
class ProgramLines {
public:
    int count() const { return int(m_lines.size()); }
    const QString &line(int k) const { return m_lines.at(k); }
    void replace(int k, const QString &text) { m_lines[k] = text; }
    // Inserts a line before position k; source and sourceLine say where it came from
    // (addSource gives the source number, lines are counted from 1).
    void insert(int k, const QString &text, int source = 0, int sourceLine = 0);
    // Replaces the whole list by the lines of a script file. A byte-order mark selects
    // UTF-8 or UTF-16; without one the file is read in the single-byte code page.
    // Raises IoError when the file cannot be read or holds more than maxBytes.
    void loadFile(const QString &fileName, qint64 maxBytes);
    void clear();

    // Where a line came from: the source number (0 for the script) and its line there.
    struct Origin {
        int source = 0;
        int line = 0;
    };
    Origin origin(int k) const { return m_origins.at(k); }
    void append(const QString &text, Origin origin);
    // Empties the list of lines but keeps the sources, so that lines can be appended.
    void clearLines();
    void reserve(qsizetype lines);

    // A file whose lines are inserted later; returns its source number.
    int addSource(const QString &name);
    // "line 4" for a line of the script, "line 2 of lib.fvs" for an included one;
    // empty for a position outside the list.
    QString describe(int k) const;

    // The lines of a file read as single-byte text (included files: no byte-order
    // mark detection). Raises IoError when the file cannot be read, is not a regular
    // file, or holds more than maxBytes.
    static QStringList readSingleByteLines(const QString &fileName, qint64 maxBytes);
    // Splits a text at CR LF, LF and CR; a final line break ends the last line.
    static QStringList splitLines(const QString &text);

private:
    QStringList m_lines;
    QList<Origin> m_origins;
    QStringList m_sources;
};
