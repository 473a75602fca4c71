#include "editor/WizardCode.h"

namespace WizardCode {
namespace {
bool isAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}
}

QString prefixStringVariables(const QString &text)
{
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool first = i == 0;
        if ((first && c != u'$') || (!first && isAsciiLetter(c) && (text.at(i - 1) == u' ' || text.at(i - 1) == u',')))
            result.append(u'$');
        result.append(c);
    }
    return result;
}

QString scriptText(const QStringList &includes, const QString &numberVariables, const QString &stringVariables)
{
    QString text;
    for (const QString &file : includes)
        text += QStringLiteral("include ") + file + u'\n';
    text += QStringLiteral("var ") + numberVariables + u'\n';
    text += QStringLiteral("var ") + prefixStringVariables(stringVariables) + u'\n';
    return text;
}
}
