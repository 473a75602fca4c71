#include "common/LimitedTextEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

namespace {
// A memo holding text with the caret at caret, or the characters [caret, caret+selected)
// selected.
void prepare(LimitedTextEdit &memo, const QString &text, int caret, int selected = 0)
{
    memo.setPlainText(text);
    QTextCursor cursor = memo.textCursor();
    cursor.setPosition(caret);
    cursor.setPosition(caret + selected, QTextCursor::KeepAnchor);
    memo.setTextCursor(cursor);
}
}

class TestLimitedTextEdit : public QObject {
    Q_OBJECT
private slots:
    void editsStopAtTheLimit_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("typed");  // typed key by key
        QTest::addColumn<QString>("pasted"); // then pasted with Ctrl+V, when not empty
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("expectedCaret");
        const QString full = QString(254, QLatin1Char('x')) + QLatin1Char('Z');
        QTest::newRow("key at the start of a full comment") << 255 << full << 0 << 0 << "a" << "" << full << 0;
        QTest::newRow("key in the middle of a full memo") << 5 << "abcde" << 2 << 0 << "X" << "" << "abcde" << 2;
        QTest::newRow("keys fill the room, then stop") << 5 << "abc" << 1 << 0 << "XYZ" << "" << "aXYbc" << 3;
        QTest::newRow("key replaces a selection") << 5 << "abcde" << 1 << 2 << "X" << "" << "aXde" << 2;
        QTest::newRow("paste cut at the caret") << 8 << "abcde" << 2 << 0 << "" << "12345" << "ab123cde" << 5;
        QTest::newRow("paste into a full memo") << 5 << "abcde" << 0 << 0 << "" << "12" << "abcde" << 0;
        QTest::newRow("paste over a selection") << 5 << "abcde" << 1 << 3 << "" << "123456" << "a123e" << 4;
        QTest::newRow("paste that fits") << 10 << "abc" << 3 << 0 << "" << "de" << "abcde" << 5;
    }
    void editsStopAtTheLimit()
    {
        QFETCH(int, limit);
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(int, selected);
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QFETCH(QString, expected);
        QFETCH(int, expectedCaret);
        LimitedTextEdit memo(limit);
        memo.show();
        prepare(memo, text, caret, selected);
        QTest::keyClicks(&memo, typed);
        if (!pasted.isEmpty()) {
            QApplication::clipboard()->setText(pasted);
            QTest::keyClick(&memo, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(memo.toPlainText(), expected);
        QCOMPARE(memo.textCursor().position(), expectedCaret);
    }

    void enterIsAKeyLikeAnyOther()
    {
        LimitedTextEdit memo(4);
        memo.show();
        prepare(memo, QStringLiteral("abc"), 1);
        QTest::keyClick(&memo, Qt::Key_Return);
        QTest::keyClick(&memo, Qt::Key_Return);
        QCOMPARE(memo.toPlainText(), QStringLiteral("a\nbc"));
    }

    void undoKeepsWorking()
    {
        LimitedTextEdit memo(6);
        memo.show();
        memo.setPlainText(QStringLiteral("abc"));
        memo.moveCursor(QTextCursor::End);
        QTest::keyClicks(&memo, QStringLiteral("def"));
        QTest::keyClick(&memo, Qt::Key_Home);
        QTest::keyClicks(&memo, QStringLiteral("g")); // refused: the memo is full
        QApplication::clipboard()->setText(QStringLiteral("12"));
        QTest::keyClick(&memo, Qt::Key_V, Qt::ControlModifier); // nothing fits
        QCOMPARE(memo.toPlainText(), QStringLiteral("abcdef"));
        QTest::keyClick(&memo, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(memo.toPlainText(), QStringLiteral("abc"));

        // A cut paste is one step of the history.
        memo.moveCursor(QTextCursor::Start);
        QApplication::clipboard()->setText(QStringLiteral("123456"));
        QTest::keyClick(&memo, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(memo.toPlainText(), QStringLiteral("123abc"));
        QTest::keyClick(&memo, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(memo.toPlainText(), QStringLiteral("abc"));
        QTest::keyClick(&memo, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(memo.toPlainText(), QStringLiteral("123abc"));
    }

    void textSetByTheProgramIsCutAtTheEnd()
    {
        LimitedTextEdit memo(4);
        memo.setPlainText(QStringLiteral("abcdef"));
        QCOMPARE(memo.toPlainText(), QStringLiteral("abcd"));
    }
};

QTEST_MAIN(TestLimitedTextEdit)
#include "tst_limitedtextedit.moc"
