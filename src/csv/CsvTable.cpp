#include "csv/CsvTable.h"

#include "common/Errors.h"

#include <QStringDecoder>

#include <csv.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>

struct CsvReader::State {
    State()
    {
        if (csv_init(&parser, CSV_APPEND_NULL) != 0)
            throw ConversionError(QStringLiteral("The CSV reader could not start."));
    }
    ~State() { csv_free(&parser); }
    State(const State &) = delete;
    State &operator=(const State &) = delete;

    csv_parser parser{};
    CsvTable *table = nullptr;
    char *out = nullptr;        // table->data's bytes
    int line = 1;
    qsizetype rowFirst = 0;
    bool headerDone = false;
    qsizetype used = 0;         // bytes of table->data written
    qsizetype fieldsPerRow = 1; // as the header line reads
};

namespace {
using State = CsvReader::State;

void onField(void *data, size_t length, void *context)
{
    auto *state = static_cast<State *>(context);
    CsvTable &t = *state->table;
    // The data was made as long as the text fed, which no field's bytes outgrow.
    t.spans.push_back({quint32(state->used), quint32(length)});
    if (length > 0)
        std::memcpy(state->out + state->used, data, length);
    state->used += qsizetype(length);
}

void onRowEnd(int, void *context)
{
    auto *state = static_cast<State *>(context);
    CsvTable &t = *state->table;
    const CsvTable::Row row{state->line, state->rowFirst, int(qsizetype(t.spans.size()) - state->rowFirst)};
    if (!state->headerDone) {
        t.header = t.fields(row);
        state->headerDone = true;
        // The header's own bytes are no row: the rows' fields start after them.
        t.spans.clear();
        state->used = 0;
    } else {
        t.rows.append(row);
    }
    state->rowFirst = qsizetype(t.spans.size());
}

// The header line: the separator is the comma or the semicolon, whichever it holds
// more of.
char detectSeparator(QByteArrayView header)
{
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

CsvReader::CsvReader(const QByteArray &bytes, int batchRows) : m_batchRows(batchRows), m_state(std::make_unique<State>())
{
    QByteArrayView text(bytes);
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    if (text.contains('\0'))
        throw ConversionError(QStringLiteral("The file holds binary data, not CSV text."));
    if (!text.isValidUtf8()) {
        const std::optional<QByteArray> utf8 = windows1252AsUtf8(text);
        if (!utf8)
            throw ConversionError(QStringLiteral("The file is not UTF-8 text."));
        m_converted = *utf8;
        text = m_converted;
        m_table.readAsWindows1252 = true;
    }
    // Field offsets are 32-bit: far beyond any export of a workout log.
    if (text.size() > qsizetype(std::numeric_limits<qint32>::max()))
        throw ConversionError(QStringLiteral("The file is too large to read as CSV."));
    m_text = text;
    const qsizetype headerEnd = text.indexOf('\n');
    const QByteArrayView headerLine = headerEnd < 0 ? text : text.first(headerEnd);
    m_table.separator = detectSeparator(headerLine);
    m_table.lastLineCut = !text.isEmpty() && !text.endsWith('\n');
    csv_set_delim(&m_state->parser, static_cast<unsigned char>(m_table.separator));
    m_state->table = &m_table;
    m_state->fieldsPerRow = headerLine.count(m_table.separator) + 1;
    while (!m_state->headerDone && !m_finished)
        feedLine();
}

CsvReader::~CsvReader() = default;

bool CsvReader::next()
{
    State &s = *m_state;
    // The last batch ended between rows: its fields are no longer needed. The first
    // batch keeps the rows that followed the header on its line (lone CR line ends).
    if (m_started) {
        m_table.rows.clear();
        m_table.spans.clear();
        s.used = 0;
        s.rowFirst = 0;
    }
    m_started = true;
    if (m_batchRows == 0 && !m_finished) {
        // One batch of every row: room for them all at once.
        const qsizetype lines = qsizetype(std::count(m_text.begin() + m_position, m_text.end(), '\n')) + 1;
        m_table.rows.reserve(lines);
        m_table.spans.reserve(size_t(lines * s.fieldsPerRow));
    } else {
        m_table.rows.reserve(m_batchRows + 1);
        m_table.spans.reserve(size_t((m_batchRows + 1) * s.fieldsPerRow));
    }
    // A batch ends between rows (libcsv's state 0, "row not begun"), never inside a
    // quoted field that runs over several lines.
    while (!m_finished && (m_batchRows == 0 || m_table.rows.size() < m_batchRows || s.parser.pstate != 0))
        feedLine();
    return !m_table.rows.isEmpty();
}

// Feeds one line, so every row knows the line it ends on; the text's end ends the row
// it leaves open.
void CsvReader::feedLine()
{
    State &s = *m_state;
    if (m_position < m_text.size()) {
        qsizetype end = m_text.indexOf('\n', m_position);
        end = end < 0 ? m_text.size() : end + 1;
        const QByteArrayView piece = m_text.sliced(m_position, end - m_position);
        QByteArray &data = m_table.data;
        if (data.size() < s.used + piece.size()) {
            data.resize(std::max(s.used + piece.size(), m_batchRows == 0 ? m_text.size() : 2 * data.size()));
            s.out = data.data();
        }
        if (csv_parse(&s.parser, piece.data(), size_t(piece.size()), onField, onRowEnd, &s) != size_t(piece.size()))
            throw ConversionError(QStringLiteral("Line %1 is not CSV: %2.")
                                      .arg(s.line)
                                      .arg(QString::fromLatin1(csv_strerror(csv_error(&s.parser)))));
        if (piece.endsWith('\n'))
            ++s.line;
        m_position = end;
    }
    if (m_position < m_text.size())
        return;
    // A row that only the end of the text ends (an unclosed quote) ends on the last line.
    if (m_text.endsWith('\n'))
        --s.line;
    csv_fini(&s.parser, onField, onRowEnd, &s);
    m_finished = true;
}

CsvTable CsvTable::parse(const QByteArray &bytes)
{
    CsvReader reader(bytes, 0);
    reader.next();
    return reader.takeTable();
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
