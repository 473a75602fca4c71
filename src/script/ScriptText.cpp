#include "script/ScriptText.h"

QString ScriptText::asciiLower(QString text)
{
    for (QChar &c : text)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return text;
}

QString ScriptText::asciiUpper(QString text)
{
    for (QChar &c : text)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return text;
}
