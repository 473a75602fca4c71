#pragma once

#include <QColor>
#include <QSyntaxHighlighter>

#include <functional>

// Colours keywords, object names, words in strings and comments of a script, line
// by line; the colours come from the editor's options each time a line is coloured.
class ScriptHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    struct Colors {
        QColor keywords, objects, strings;
    };
    ScriptHighlighter(QTextDocument *document, std::function<Colors()> colors);

protected:
    void highlightBlock(const QString &text) override;

private:
    std::function<Colors()> m_colors;
};
