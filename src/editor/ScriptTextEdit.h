#pragma once

#include "common/LimitedTextEdit.h"

#include <QKeySequence>
#include <QList>

// The script editor's text area: a plain text memo with a length limit that lets the
// window's own keys through (the text control would take Ctrl+E, Tab and others for
// itself) and indents a new line like the line above it.
class ScriptTextEdit : public LimitedTextEdit {
    Q_OBJECT
public:
    static constexpr int TextLimit = 2097120;
    explicit ScriptTextEdit(QWidget *parent = nullptr);

    // Keys that belong to the window's commands, never to the text area.
    void setWindowKeys(const QList<QKeySequence> &keys) { m_windowKeys = keys; }

    // The caret (the start of the selection) as displayed lines: line and column from
    // 1, and the number of lines, not counting an empty last line.
    struct CaretPlace {
        int line = 1;
        int column = 1;
        int lineCount = 0;
    };
    CaretPlace caretPlace() const;

    // The text of the caret's line, and replacing it (the caret then stands at its end).
    QString caretLineText() const;
    void replaceCaretLine(const QString &text);

signals:
    void clicked();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool isWindowKey(const QKeyEvent *event) const;
    void indentNewLine();
    QList<QKeySequence> m_windowKeys;
};
