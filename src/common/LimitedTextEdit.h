#pragma once

#include <QPlainTextEdit>

// A memo that holds at most a given number of characters; typing or pasting beyond
// the limit cuts the text there.
class LimitedTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    LimitedTextEdit(int maxLength, QWidget *parent = nullptr);

private:
    void enforceLimit();
    int m_maxLength;
};
