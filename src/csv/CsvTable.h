#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// A CSV text read with libcsv (RFC 4180: quoted fields, separators and line breaks
// inside quotes). UTF-8, with or without a byte-order mark; a text that is not UTF-8
// is read as Windows-1252.
struct CsvTable {
    // A row's fields are spans of `data`, from `first` on.
    struct Row {
        int line = 0; // the line of the file the row ends on, from 1
        qsizetype first = 0;
        int count = 0;
    };
    struct Span {
        quint32 offset = 0;
        quint32 size = 0;
    };
    char separator = ',';
    bool readAsWindows1252 = false; // the text was not UTF-8 but Windows-1252
    bool lastLineCut = false;       // the text ends without a line end
    QStringList header;
    QList<Row> rows;
    QByteArray data;   // the fields' UTF-8 bytes, unquoted, one after another
    std::vector<Span> spans; // every field of every row, in file order

    QByteArrayView field(const Row &row, qsizetype i) const
    {
        const Span s = spans[size_t(row.first + i)];
        return QByteArrayView(data.constData() + s.offset, qsizetype(s.size));
    }
    QString text(const Row &row, qsizetype i) const { return QString::fromUtf8(field(row, i)); }
    QStringList fields(const Row &row) const;

    // The whole text at once (see CsvReader).
    static CsvTable parse(const QByteArray &bytes);
};

// A CSV text read a batch of rows at a time into one table whose memory every batch
// reuses: a large file never has all its fields in memory at once.
class CsvReader {
public:
    // Reads the header. The separator is the comma or the semicolon, whichever the
    // header line holds more of. Raises ConversionError when the text is neither UTF-8
    // nor Windows-1252, or not CSV. batchRows 0: every row in one batch. The bytes are
    // read where they are: they must outlive the reader.
    explicit CsvReader(const QByteArray &bytes, int batchRows = 2048);
    ~CsvReader();
    CsvReader(const CsvReader &) = delete;
    CsvReader &operator=(const CsvReader &) = delete;

    // The header and the rows of the current batch.
    const CsvTable &table() const { return m_table; }
    CsvTable takeTable() { return std::move(m_table); }
    // Reads the next batch of rows into the table; false when no rows are left. Raises
    // ConversionError when the text is not CSV.
    bool next();
    // The current batch ends the text.
    bool atEnd() const { return m_finished; }

    struct State;

private:
    void feedLine();

    CsvTable m_table;
    QByteArray m_converted; // the text as UTF-8 when it was not
    QByteArrayView m_text;
    qsizetype m_position = 0;
    int m_batchRows;
    bool m_finished = false; // the parser has reached the text's end
    bool m_started = false;  // a batch was read
    std::unique_ptr<State> m_state;
};

namespace CsvText {
// One field as CSV: quoted (quotes doubled) when it holds the separator, a quote or a
// line break.
QByteArray field(const QString &text, char separator = ',');
// A whole line of fields, ended by CR LF.
QByteArray line(const QStringList &fields, char separator = ',');
}
