#include "common/CodePage.h"

#include <QHash>
#include <QList>
#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace {
// The Windows-1250 table, taken once from the system's converter: byte to character
// and back. Texts are decoded and encoded by table, which is fast for whole files.
struct Table {
    std::array<char16_t, 256> toUnicode{};
    QHash<char32_t, char> fromUnicode;

    Table()
    {
        QStringDecoder decoder("windows-1250");
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString text = decoder.decode(QByteArrayView(&byte, 1));
            decoder.resetState();
            toUnicode[b] = text.size() == 1 ? text.at(0).unicode() : u'?';
            // Bytes the code page leaves undefined decode to a replacement character.
            if (b >= 0x80 && text.size() == 1 && text.at(0) != QChar::ReplacementCharacter)
                fromUnicode.insert(char32_t(text.at(0).unicode()), byte);
        }
        for (int b = 0; b < 0x80; ++b)
            toUnicode[b] = char16_t(b);
    }
};

const Table &table()
{
    static const Table t;
    return t;
}
}

// The table is built from the system's converter the first time a character outside
// ASCII is met: plain ASCII, the usual case, costs no converter at start-up.
int CodePage::encodeInto(const QString &text, int capacity, char *out)
{
    const char16_t *units = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype size = text.size();
    int written = 0;
    for (qsizetype i = 0; i < size && written < capacity; ++i) {
        const char16_t unit = units[i];
        if (unit < 0x80) {
            out[written++] = char(unit);
            continue;
        }
        // A pair of surrogates is one character, beyond the code page; a lone surrogate
        // is no character at all. Both become one "?".
        if (QChar::isHighSurrogate(unit) && i + 1 < size && QChar::isLowSurrogate(units[i + 1]))
            ++i;
        out[written++] = table().fromUnicode.value(char32_t(unit), '?');
    }
    return written;
}

QByteArray CodePage::encode(const QString &text, int capacity)
{
    QByteArray out(qBound(qsizetype(0), text.size(), qsizetype(capacity)), Qt::Uninitialized);
    out.truncate(encodeInto(text, capacity, out.data()));
    return out;
}

QString CodePage::decode(const char *bytes, int length)
{
    if (std::all_of(bytes, bytes + length, [](char c) { return quint8(c) < 0x80; }))
        return QString::fromLatin1(bytes, length);
    const Table &t = table();
    QString text(length, Qt::Uninitialized);
    QChar *out = text.data();
    for (int i = 0; i < length; ++i)
        out[i] = QChar(t.toUnicode[quint8(bytes[i])]);
    return text;
}

QString CodePage::fit(const QString &text, int capacity)
{
    const QByteArray bytes = encode(text, capacity);
    return decode(bytes.constData(), int(bytes.size()));
}

bool CodePage::holds(const QString &text)
{
    const QList<uint> codePoints = text.toUcs4();
    return std::all_of(codePoints.begin(), codePoints.end(),
                       [](uint cp) { return cp < 0x80 || table().fromUnicode.contains(char32_t(cp)); });
}
