#pragma once

#include <QList>
#include <QString>

// The syntax colouring of one line of script text, free of widgets so that the
// highlighter and the tests share it.
namespace ScriptColoring {

enum class ColorClass { Keyword, Object, String, Comment };

struct ColoredWord {
    int column; // from 0
    int length;
    ColorClass colorClass;
    bool operator==(const ColoredWord &o) const
    {
        return column == o.column && length == o.length && colorClass == o.colorClass;
    }
};

// The coloured words of a line, left to right. A word is a run of word characters
// (the quotation mark, '#', '$', digits, ';' and ASCII letters); quotation marks and
// semicolons inside a word set the string and comment state, which never crosses lines.
QList<ColoredWord> ColorLine(QStringView line);

bool isKeyword(QStringView word);
bool isObjectName(QStringView word);
}
