#include "editing/CopyBuffer.h"
#include "support/TestPrompts.h"
#include "support/WorkoutBuilder.h"

#include <QTest>

using namespace WorkoutBuilder;

// The copy buffer without a window: empty until the first copy, then it pastes the
// last copied workout as often as asked.
class TestCopyBuffer : public QObject {
    Q_OBJECT
private slots:
    void pasteBeforeAnyCopyIsRefused()
    {
        TestPrompts prompts;
        const CopyBuffer buffer;
        QVERIFY(!buffer.isFull());
        QVERIFY(!buffer.paste(prompts));
        QCOMPARE(prompts.take(), (QList<TestPrompts::Shown>{{"error", "Clipboard is empty."}}));
    }

    void pastesTheLastCopyAgainAndAgain()
    {
        TestPrompts prompts;
        CopyBuffer buffer;
        const WorkoutRecord first = workout(QDate(2009, 3, 2), "Chest", 1, {exercise("Row", 3, 10, 50)});
        const WorkoutRecord second = workout(QDate(2009, 3, 3), "Back", 2, {}, {cardio("Running", 0.3f, 100)});
        buffer.copy(first);
        buffer.copy(second);
        for (int paste = 0; paste < 2; ++paste)
            QCOMPARE(buffer.paste(prompts).value(), second);
        QVERIFY(buffer.isFull());
        QCOMPARE(prompts.take(), QList<TestPrompts::Shown>());
    }

    void anEmptyWorkoutIsACopyToo()
    {
        TestPrompts prompts;
        CopyBuffer buffer;
        buffer.copy(WorkoutRecord());
        QCOMPARE(buffer.paste(prompts).value(), WorkoutRecord());
        QCOMPARE(prompts.take(), QList<TestPrompts::Shown>());
    }
};

QTEST_GUILESS_MAIN(TestCopyBuffer)
#include "tst_copybuffer.moc"
