#include "common/LimitedTextEdit.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

LimitedTextEdit::LimitedTextEdit(int maxLength, QWidget *parent) : QPlainTextEdit(parent), m_maxLength(maxLength)
{
    connect(this, &QPlainTextEdit::textChanged, this, &LimitedTextEdit::enforceLimit);
}

qsizetype LimitedTextEdit::room() const
{
    return m_maxLength - (toPlainText().size() - textCursor().selectedText().size());
}

namespace {
// The number of characters a key press types into a plain text edit.
qsizetype typedLength(const QKeyEvent *event)
{
    if (event->matches(QKeySequence::InsertParagraphSeparator) || event->matches(QKeySequence::InsertLineSeparator))
        return 1;
    // Ctrl or Meta make a command (undo, select all), unless Alt comes with Ctrl (AltGr).
    const Qt::KeyboardModifiers mods = event->modifiers();
    if ((mods & Qt::MetaModifier) || ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier)))
        return 0;
    const QString text = event->text();
    if (text.isEmpty() || !(text.at(0).isPrint() || text.at(0) == QLatin1Char('\t')))
        return 0;
    return text.size();
}
}

void LimitedTextEdit::keyPressEvent(QKeyEvent *event)
{
    const qsizetype typed = isReadOnly() ? 0 : typedLength(event);
    if (typed > 0 && typed > room()) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LimitedTextEdit::inputMethodEvent(QInputMethodEvent *event)
{
    const qsizetype left = room();
    if (event->commitString().size() <= left) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent cut(event->preeditString(), event->attributes());
    cut.setCommitString(event->commitString().left(qMax<qsizetype>(left, 0)), event->replacementStart(),
                        event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&cut);
    event->accept();
}

void LimitedTextEdit::insertFromMimeData(const QMimeData *source)
{
    const qsizetype left = room();
    if (isReadOnly() || !source || !source->hasText() || left <= 0)
        return;
    // One edit, so one undo step takes the whole paste back.
    textCursor().insertText(source->text().left(left));
    ensureCursorVisible();
}

void LimitedTextEdit::enforceLimit()
{
    // Text put in some other way (set by the program, a drop moving text): the excess
    // goes just before the caret, where it came in, or from the end when the caret
    // stands too early for that.
    const qsizetype excess = toPlainText().size() - m_maxLength;
    if (excess <= 0)
        return;
    QTextCursor cursor = textCursor();
    int end = cursor.position();
    if (end < excess)
        end = int(toPlainText().size());
    cursor.joinPreviousEditBlock();
    cursor.setPosition(end);
    cursor.setPosition(int(end - excess), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.endEditBlock();
    setTextCursor(cursor);
}
