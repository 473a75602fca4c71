#include "editor/ScriptTextEdit.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>

ScriptTextEdit::ScriptTextEdit(QWidget *parent) : LimitedTextEdit(TextLimit, parent)
{
    setObjectName(QStringLiteral("rchKod"));
    QFont font(QStringLiteral("Lucida Console"), 8);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    setFont(font);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

bool ScriptTextEdit::isWindowKey(const QKeyEvent *event) const
{
    // Shift+Tab arrives as Backtab.
    const QKeyCombination combination = event->key() == Qt::Key_Backtab
                                            ? QKeyCombination(event->modifiers() | Qt::ShiftModifier, Qt::Key_Tab)
                                            : event->keyCombination();
    const QKeySequence pressed(combination);
    for (const QKeySequence &key : m_windowKeys)
        if (key.matches(pressed) == QKeySequence::ExactMatch)
            return true;
    return false;
}

bool ScriptTextEdit::event(QEvent *event)
{
    // Ignoring the override lets the window's shortcut run instead of the text
    // control's own binding of the same key.
    if (event->type() == QEvent::ShortcutOverride && isWindowKey(static_cast<QKeyEvent *>(event))) {
        event->ignore();
        return true;
    }
    // Tab and Shift+Tab indent through the window's commands; they never move the focus.
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && isWindowKey(key)) {
            event->accept();
            return true;
        }
    }
    return LimitedTextEdit::event(event);
}

void ScriptTextEdit::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const int before = document()->characterCount();
    LimitedTextEdit::keyPressEvent(event);
    if (enter && document()->characterCount() > before)
        indentNewLine();
}

void ScriptTextEdit::mouseReleaseEvent(QMouseEvent *event)
{
    LimitedTextEdit::mouseReleaseEvent(event);
    emit clicked();
}

void ScriptTextEdit::indentNewLine()
{
    // An empty new line below another takes that line's leading blanks (a tab ends
    // the run). A line broken in its middle keeps its rest and gets nothing.
    QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    if (!block.text().isEmpty() || !block.previous().isValid())
        return;
    const QString above = block.previous().text();
    qsizetype blanks = 0;
    while (blanks < above.size() && above.at(blanks) == u' ')
        ++blanks;
    if (blanks == 0)
        return;
    cursor.joinPreviousEditBlock();
    cursor.insertText(QString(blanks, u' '));
    cursor.endEditBlock();
    setTextCursor(cursor);
}

ScriptTextEdit::CaretPlace ScriptTextEdit::caretPlace() const
{
    // Lines as displayed: with word wrap a paragraph counts as the lines it is shown in.
    auto *layout = qobject_cast<QPlainTextDocumentLayout *>(document()->documentLayout());
    const bool wrapped = lineWrapMode() != QPlainTextEdit::NoWrap;
    const auto linesOf = [&](const QTextBlock &b) {
        if (!wrapped)
            return 1;
        if (layout)
            layout->ensureBlockLayout(b);
        return qMax(1, b.layout()->lineCount());
    };

    const int caret = textCursor().selectionStart();
    CaretPlace place;
    int lines = 0;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        const int count = linesOf(b);
        if (b.contains(caret) || (b == document()->lastBlock() && caret >= b.position())) {
            const int inBlock = caret - b.position();
            int lineInBlock = 0;
            int lineStart = 0;
            if (wrapped && b.layout()->lineCount() > 0) {
                const QTextLine line = b.layout()->lineForTextPosition(inBlock);
                if (line.isValid()) {
                    lineInBlock = line.lineNumber();
                    lineStart = line.textStart();
                }
            }
            place.line = lines + lineInBlock + 1;
            place.column = inBlock - lineStart + 1;
        }
        lines += count;
    }
    // A last line that is empty is not counted.
    if (document()->lastBlock().text().isEmpty())
        --lines;
    place.lineCount = qMax(0, lines);
    return place;
}

QString ScriptTextEdit::caretLineText() const
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(cursor.selectionStart());
    return cursor.block().text();
}

void ScriptTextEdit::replaceCaretLine(const QString &text)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(cursor.selectionStart());
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(text);
    setTextCursor(cursor);
}
