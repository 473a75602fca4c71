#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

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

    // The separator is the comma or the semicolon, whichever the header line holds
    // more of. Raises ConversionError when the text is neither UTF-8 nor Windows-1252,
    // or not CSV.
    static CsvTable parse(const QByteArray &bytes);
};

namespace CsvText {
// One field as CSV: quoted (quotes doubled) when it holds the separator, a quote or a
// line break.
QByteArray field(const QString &text, char separator = ',');
// A whole line of fields, ended by CR LF.
QByteArray line(const QStringList &fields, char separator = ',');
}
