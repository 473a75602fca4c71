#include "common/CodePage.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

QByteArray CodePage::encode(const QString &text, int capacity)
{
    QByteArray out;
    out.reserve(qMin<qsizetype>(text.size(), capacity));
    QStringEncoder encoder("windows-1250");
    // One code point at a time, so an unmappable one is known and becomes "?".
    const QList<uint> codePoints = text.toUcs4();
    for (uint cp : codePoints) {
        if (out.size() >= capacity)
            break;
        if (cp < 0x80) {
            out.append(char(cp));
            continue;
        }
        const QString one = QString::fromUcs4(reinterpret_cast<const char32_t *>(&cp), 1);
        const QByteArray encoded = encoder.encode(one);
        if (encoded.size() != 1 || encoded.at(0) == '\x1a' || encoder.hasError()) {
            encoder.resetState();
            out.append('?');
        } else {
            out.append(encoded.at(0));
        }
    }
    return out;
}

QString CodePage::decode(const char *bytes, int length)
{
    QStringDecoder decoder("windows-1250");
    return decoder.decode(QByteArrayView(bytes, length));
}

QString CodePage::fit(const QString &text, int capacity)
{
    const QByteArray bytes = encode(text, capacity);
    return decode(bytes.constData(), int(bytes.size()));
}
