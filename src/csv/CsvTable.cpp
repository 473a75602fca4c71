#include "csv/CsvTable.h"

#include "common/Errors.h"

#include <QStringDecoder>

#include <csv.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>

namespace {
struct Reader {
    CsvTable *table = nullptr;
    int line = 1;
    qsizetype rowFirst = 0;
    bool headerDone = false;
    qsizetype used = 0;  // bytes of table->data written
    qsizetype lines = 0; // line ends in the text, to reserve the fields
};

void onField(void *data, size_t length, void *context)
{
    auto *reader = static_cast<Reader *>(context);
    CsvTable &t = *reader->table;
    // The data is as long as the text, which no field's bytes outgrow.
    t.spans.push_back({quint32(reader->used), quint32(length)});
    if (length > 0)
        std::memcpy(t.data.data() + reader->used, data, length);
    reader->used += qsizetype(length);
}

void onRowEnd(int, void *context)
{
    auto *reader = static_cast<Reader *>(context);
    CsvTable &t = *reader->table;
    const CsvTable::Row row{reader->line, reader->rowFirst, int(qsizetype(t.spans.size()) - reader->rowFirst)};
    if (!reader->headerDone) {
        t.header = t.fields(row);
        reader->headerDone = true;
        // The header's own bytes are no row: the rows' fields start after them.
        t.spans.clear();
        t.spans.reserve(size_t(std::max<qsizetype>(1, t.header.size()) * (reader->lines + 1)));
        t.rows.reserve(reader->lines + 1);
        reader->used = 0;
    } else {
        t.rows.append(row);
    }
    reader->rowFirst = qsizetype(t.spans.size());
}

char detectSeparator(QByteArrayView text)
{
    const qsizetype end = text.indexOf('\n');
    const QByteArrayView header = end < 0 ? text : text.first(end);
    return header.count(';') > header.count(',') ? ';' : ',';
}

// Text of the Western Windows code page, which spreadsheets write when told to save
// CSV without naming an encoding, as UTF-8. Empty when a byte is none of its
// characters.
std::optional<QByteArray> windows1252AsUtf8(QByteArrayView text)
{
    QStringDecoder decoder("windows-1252", QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return std::nullopt;
    const QString decoded = decoder.decode(text);
    if (decoder.hasError() || decoded.contains(QChar::ReplacementCharacter))
        return std::nullopt;
    return decoded.toUtf8();
}
}

CsvTable CsvTable::parse(const QByteArray &bytes)
{
    QByteArrayView text(bytes);
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    if (text.contains('\0'))
        throw ConversionError(QStringLiteral("The file holds binary data, not CSV text."));
    CsvTable table;
    QByteArray converted;
    if (!text.isValidUtf8()) {
        const std::optional<QByteArray> utf8 = windows1252AsUtf8(text);
        if (!utf8)
            throw ConversionError(QStringLiteral("The file is not UTF-8 text."));
        converted = *utf8;
        text = converted;
        table.readAsWindows1252 = true;
    }

    // Field offsets are 32-bit: far beyond any export of a workout log.
    if (text.size() > qsizetype(std::numeric_limits<qint32>::max()))
        throw ConversionError(QStringLiteral("The file is too large to read as CSV."));
    table.separator = detectSeparator(text);
    table.data = QByteArray(text.size(), Qt::Uninitialized);
    csv_parser parser;
    if (csv_init(&parser, CSV_APPEND_NULL) != 0)
        throw ConversionError(QStringLiteral("The CSV reader could not start."));
    csv_set_delim(&parser, static_cast<unsigned char>(table.separator));
    Reader reader{&table, 1, 0, false, 0, 0};
    for (qsizetype at = text.indexOf('\n'); at >= 0; at = text.indexOf('\n', at + 1))
        ++reader.lines;
    // Fed a line at a time, so every row knows the line it ends on.
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end + 1;
        const QByteArrayView piece = text.sliced(start, end - start);
        if (csv_parse(&parser, piece.data(), size_t(piece.size()), onField, onRowEnd, &reader) != size_t(piece.size())) {
            const QString reason = QString::fromLatin1(csv_strerror(csv_error(&parser)));
            csv_free(&parser);
            throw ConversionError(QStringLiteral("Line %1 is not CSV: %2.").arg(reader.line).arg(reason));
        }
        if (piece.endsWith('\n'))
            ++reader.line;
        start = end;
    }
    table.lastLineCut = !text.isEmpty() && !text.endsWith('\n');
    // A row that only the end of the text ends (an unclosed quote) ends on the last line.
    if (text.endsWith('\n'))
        --reader.line;
    csv_fini(&parser, onField, onRowEnd, &reader);
    csv_free(&parser);
    table.data.truncate(reader.headerDone ? reader.used : 0);
    return table;
}

QStringList CsvTable::fields(const Row &row) const
{
    QStringList list;
    list.reserve(row.count);
    for (int i = 0; i < row.count; ++i)
        list.append(text(row, i));
    return list;
}

namespace CsvText {
QByteArray field(const QString &text, char separator)
{
    const QByteArray utf8 = text.toUtf8();
    const bool quote = utf8.contains(separator) || utf8.contains('"') || utf8.contains('\n') || utf8.contains('\r');
    if (!quote)
        return utf8;
    QByteArray out(utf8.size() * 2 + 2, Qt::Uninitialized);
    out.resize(qsizetype(csv_write(out.data(), size_t(out.size()), utf8.constData(), size_t(utf8.size()))));
    return out;
}

QByteArray line(const QStringList &fields, char separator)
{
    QByteArray out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out.append(separator);
        out.append(field(fields.at(i), separator));
    }
    out.append("\r\n");
    return out;
}
}
