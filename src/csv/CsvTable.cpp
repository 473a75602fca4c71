#include "csv/CsvTable.h"

#include "common/Errors.h"

#include <QStringDecoder>

#include <csv.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {
struct Reader {
    CsvTable *table = nullptr;
    QStringList fields;
    int line = 1;
    bool headerDone = false;
    // The previous row's fields, as bytes and as text: a value that repeats the one
    // above it (a date, a name) shares its text instead of being decoded again.
    std::vector<std::string> lastBytes;
    QStringList lastTexts;
};

void onField(void *data, size_t length, void *context)
{
    auto *reader = static_cast<Reader *>(context);
    const auto column = size_t(reader->fields.size());
    const std::string_view bytes(static_cast<const char *>(data), length);
    if (column < reader->lastBytes.size() && reader->lastBytes[column] == bytes) {
        reader->fields.append(reader->lastTexts.at(qsizetype(column)));
        return;
    }
    const QString text = QString::fromUtf8(bytes.data(), qsizetype(length));
    reader->fields.append(text);
    if (column >= reader->lastBytes.size()) {
        reader->lastBytes.resize(column + 1);
        reader->lastTexts.resize(qsizetype(column) + 1);
    }
    reader->lastBytes[column].assign(bytes);
    reader->lastTexts[qsizetype(column)] = text;
}

void onRowEnd(int, void *context)
{
    auto *reader = static_cast<Reader *>(context);
    if (!reader->headerDone) {
        reader->table->header = reader->fields;
        reader->headerDone = true;
    } else {
        reader->table->rows.append({reader->line, reader->fields});
    }
    reader->fields = QStringList();
    reader->fields.reserve(reader->table->header.size());
}

char detectSeparator(QByteArrayView text)
{
    const qsizetype end = text.indexOf('\n');
    const QByteArrayView header = end < 0 ? text : text.first(end);
    return header.count(';') > header.count(',') ? ';' : ',';
}

bool isUtf8(QByteArrayView text)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    // The decoder works only when its result is taken.
    const QString decoded = decoder.decode(text);
    return !decoder.hasError();
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
    if (!isUtf8(text)) {
        const std::optional<QByteArray> utf8 = windows1252AsUtf8(text);
        if (!utf8)
            throw ConversionError(QStringLiteral("The file is not UTF-8 text."));
        converted = *utf8;
        text = converted;
        table.readAsWindows1252 = true;
    }

    table.separator = detectSeparator(text);
    csv_parser parser;
    if (csv_init(&parser, CSV_APPEND_NULL) != 0)
        throw ConversionError(QStringLiteral("The CSV reader could not start."));
    csv_set_delim(&parser, static_cast<unsigned char>(table.separator));
    Reader reader{&table, {}, 1, false, {}, {}};
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
    return table;
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
