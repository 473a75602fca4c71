#include "editor/ColorLine.h"

#include <algorithm>
#include <array>

namespace ScriptColoring {
namespace {
// Both tables stay alphabetical: they are searched by binary search without regard
// to case.
constexpr std::array<QStringView, 12> HighlightKeywords = {
    u"call", u"else", u"endif", u"endsub", u"endwhile", u"if",
    u"include", u"input", u"output", u"sub", u"var", u"while"};
constexpr std::array<QStringView, 6> HighlightObjects = {
    u"array", u"cardio", u"exercises", u"math", u"string", u"workouts"};

template <std::size_t N>
bool contains(const std::array<QStringView, N> &table, QStringView word)
{
    const auto less = [](QStringView a, QStringView b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    };
    return std::binary_search(table.begin(), table.end(), word, less);
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool isWordCharacter(QChar c)
{
    return c == u'"' || c == u'#' || c == u'$' || c == u';' || (c >= u'0' && c <= u'9') || isAsciiLetter(c);
}
}

bool isKeyword(QStringView word) { return contains(HighlightKeywords, word); }
bool isObjectName(QStringView word) { return contains(HighlightObjects, word); }

QList<ColoredWord> ColorLine(QStringView line)
{
    QList<ColoredWord> words;
    bool inString = false;
    bool inComment = false;
    qsizetype i = 0;
    while (i < line.size()) {
        if (!isWordCharacter(line[i])) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        for (; i < line.size() && isWordCharacter(line[i]); ++i) {
            if (line[i] == u'"')
                inString = !inString;
            else if (line[i] == u';')
                inComment = true;
        }
        const QStringView word = line.mid(start, i - start);
        ColorClass colorClass;
        if (isKeyword(word))
            colorClass = ColorClass::Keyword;
        else if (isObjectName(word))
            colorClass = ColorClass::Object;
        else if (inString)
            colorClass = ColorClass::String;
        else if (inComment)
            colorClass = ColorClass::Comment;
        else
            continue;
        words.append({int(start), int(word.size()), colorClass});
    }
    return words;
}
}
