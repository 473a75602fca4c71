#include "common/PlainText.h"

#include "common/CodePage.h"

#include <QStringDecoder>

namespace PlainText {
QString decode(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QStringDecoder(QStringConverter::Utf8).decode(QByteArrayView(bytes).sliced(3));
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringConverter::Utf16LE).decode(QByteArrayView(bytes).sliced(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringConverter::Utf16BE).decode(QByteArrayView(bytes).sliced(2));
    return CodePage::decode(bytes.constData(), int(bytes.size()));
}

QString withCrLf(const QString &text)
{
    QString crlf = text;
    crlf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    crlf.replace(u'\r', u'\n');
    if (!crlf.isEmpty() && !crlf.endsWith(u'\n'))
        crlf.append(u'\n');
    crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return crlf;
}

QByteArray encodeWithCrLf(const QString &text)
{
    const QString crlf = withCrLf(text);
    return CodePage::encode(crlf, int(crlf.size()));
}
}
