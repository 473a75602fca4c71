#include "common/LimitedTextEdit.h"

LimitedTextEdit::LimitedTextEdit(int maxLength, QWidget *parent) : QPlainTextEdit(parent), m_maxLength(maxLength)
{
    connect(this, &QPlainTextEdit::textChanged, this, &LimitedTextEdit::enforceLimit);
}

void LimitedTextEdit::enforceLimit()
{
    const QString text = toPlainText();
    if (text.size() <= m_maxLength)
        return;
    const int position = qMin(textCursor().position(), m_maxLength);
    setPlainText(text.left(m_maxLength));
    QTextCursor cursor = textCursor();
    cursor.setPosition(position);
    setTextCursor(cursor);
}
