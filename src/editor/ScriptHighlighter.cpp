#include "editor/ScriptHighlighter.h"

#include "editor/ColorLine.h"

namespace {
// Comments are always grey.
const QColor CommentColor(0x80, 0x80, 0x80);
}

ScriptHighlighter::ScriptHighlighter(QTextDocument *document, std::function<Colors()> colors)
    : QSyntaxHighlighter(document), m_colors(std::move(colors))
{
}

void ScriptHighlighter::highlightBlock(const QString &text)
{
    using ScriptColoring::ColorClass;
    const QList<ScriptColoring::ColoredWord> words = ScriptColoring::ColorLine(text);
    if (words.isEmpty())
        return;
    const Colors colors = m_colors();
    for (const ScriptColoring::ColoredWord &word : words) {
        switch (word.colorClass) {
        case ColorClass::Keyword: setFormat(word.column, word.length, colors.keywords); break;
        case ColorClass::Object: setFormat(word.column, word.length, colors.objects); break;
        case ColorClass::String: setFormat(word.column, word.length, colors.strings); break;
        case ColorClass::Comment: setFormat(word.column, word.length, CommentColor); break;
        }
    }
}
