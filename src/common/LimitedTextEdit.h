#pragma once

#include <QPlainTextEdit>

// A memo that holds at most a given number of characters. A keystroke that would
// pass the limit is refused and pasted or dropped text is cut to the room left, both
// at the insertion point: the text after the caret is never lost, and undo keeps
// working.
class LimitedTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    LimitedTextEdit(int maxLength, QWidget *parent = nullptr);
    int maxLength() const { return m_maxLength; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    // Characters that may still go in at the caret, the selection being replaced.
    qsizetype room() const;
    void enforceLimit();
    int m_maxLength;
};
