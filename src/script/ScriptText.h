#pragma once

#include <QString>

#include <algorithm>

// Character tests and small text cuts shared by the phases of the interpreter.
namespace ScriptText {
inline bool isOperator(QChar c)
{
    switch (c.unicode()) {
    case '*': case '+': case '-': case '/': case '<': case '=': case '>': case '^':
        return true;
    default:
        return false;
    }
}

inline bool isComparison(QChar c)
{
    return c == QLatin1Char('<') || c == QLatin1Char('=') || c == QLatin1Char('>');
}

inline bool startsNumber(QChar c)
{
    return c == QLatin1Char('-') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

// The text before the first c; empty when there is no c.
inline QString textBefore(const QString &s, QChar c)
{
    const qsizetype i = s.indexOf(c);
    return i < 0 ? QString() : s.left(i);
}

// The text after the first c; all of s when there is no c.
inline QString textAfter(const QString &s, QChar c)
{
    return s.mid(s.indexOf(c) + 1);
}

inline QString withoutLast(const QString &s)
{
    return s.isEmpty() ? s : s.left(s.size() - 1);
}

// Compares two texts code unit by code unit; a prefix is the smaller.
inline int compareCodeUnits(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i)
        if (a.at(i) != b.at(i))
            return a.at(i).unicode() < b.at(i).unicode() ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

inline bool isEndWord(const QString &line)
{
    return line == QLatin1String("endif") || line == QLatin1String("endwhile") || line == QLatin1String("endsub");
}

inline const QString &missingOperandText()
{
    static const QString text = QStringLiteral("Missing operand");
    return text;
}

// Latin letters A-Z to lower (or a-z to upper) case; every other character stays,
// as scripts expect of their keywords and of string_lowercase and string_uppercase.
QString asciiLower(QString text);
QString asciiUpper(QString text);
}
