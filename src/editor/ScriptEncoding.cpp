#include "editor/ScriptEncoding.h"

#include "common/CodePage.h"
#include "common/PlainText.h"

#include <QStringList>

namespace ScriptEncoding {
QList<Unstorable> unstorable(const QString &text, int limit, int *total)
{
    QList<Unstorable> found;
    int count = 0;
    int line = 1;
    int column = 1;
    const QList<uint> codePoints = text.toUcs4();
    for (const uint cp : codePoints) {
        if (cp == u'\n') {
            ++line;
            column = 1;
            continue;
        }
        const QString character = QString::fromUcs4(reinterpret_cast<const char32_t *>(&cp), 1);
        if (!CodePage::holds(character)) {
            ++count;
            if (found.size() < limit)
                found.append({character, line, column});
        }
        ++column;
    }
    if (total)
        *total = count;
    return found;
}

QString question(const QList<Unstorable> &first, int total)
{
    QStringList places;
    for (const Unstorable &u : first)
        places.append(QStringLiteral("\"%1\" (U+%2) at line %3, column %4")
                          .arg(u.character)
                          .arg(u.character.toUcs4().value(0), 4, 16, QLatin1Char('0'))
                          .arg(u.line)
                          .arg(u.column));
    if (total > first.size())
        places.append(QStringLiteral("and %1 more").arg(total - first.size()));
    return QStringLiteral("The script holds characters that the Windows-1250 code page of script files cannot store:\n%1\n\n"
                          "Save it in UTF-8 with a byte-order mark instead? No leaves the file as it was.")
        .arg(places.join(u'\n'));
}

QByteArray utf8WithCrLf(const QString &text)
{
    return QByteArray("\xEF\xBB\xBF") + PlainText::withCrLf(text).toUtf8();
}
}
