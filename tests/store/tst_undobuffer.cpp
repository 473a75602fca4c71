#include "store/UndoBuffer.h"
#include "support/TestEnvironment.h"
#include "support/WorkoutBuilder.h"

#include <QTest>

using namespace WorkoutBuilder;

// One level of undo, without a window: what was deleted last, and where it goes back.
class TestUndoBuffer : public QObject {
    Q_OBJECT

    static QStringList bodyparts(TrainingFile &file)
    {
        QStringList result;
        for (int i = 0; i < file.RecordCount(); ++i)
            result << file.ReadRecord(i).Bodypart;
        return result;
    }

private slots:
    void lastDeletionDecidesTheKind()
    {
        UndoBuffer undo;
        QCOMPARE(undo.kind(), UndoBuffer::Nothing);
        undo.workoutDeleted(0, workout(QDate(2009, 3, 2)));
        QCOMPARE(int(undo.kind()), 1);
        undo.exerciseRowDeleted(1, exercise("Row", 3, 10, 0));
        QCOMPARE(int(undo.kind()), 2);
        undo.cardioRowDeleted(1, cardio("Running", 0.3f, 100));
        QCOMPARE(int(undo.kind()), 3);
        undo.clear();
        QCOMPARE(int(undo.kind()), 0);
    }

    // A file of A, B, C; one record deleted, then others removed before the undo.
    void workoutGoesBackToItsPlace_data()
    {
        QTest::addColumn<int>("deleted");
        QTest::addColumn<int>("removedAfter"); // records removed from the end meanwhile
        QTest::addColumn<int>("place");
        QTest::addColumn<QStringList>("restored");
        QTest::newRow("first") << 0 << 0 << 0 << QStringList{"A", "B", "C"};
        QTest::newRow("middle") << 1 << 0 << 1 << QStringList{"A", "B", "C"};
        QTest::newRow("last") << 2 << 0 << 2 << QStringList{"A", "B", "C"};
        QTest::newRow("last, file shrunk since") << 2 << 1 << 1 << QStringList{"A", "C"};
        QTest::newRow("middle, file emptied since") << 1 << 2 << 0 << QStringList{"B"};
    }
    void workoutGoesBackToItsPlace()
    {
        QFETCH(int, deleted);
        QFETCH(int, removedAfter);
        QFETCH(int, place);
        TestEnvironment env;
        TrainingFile file;
        file.open(env.path("w.dat"));
        for (const char *name : {"A", "B", "C"})
            append(file, workout(QDate(2009, 3, 2), name));
        UndoBuffer undo;
        undo.workoutDeleted(deleted, file.ReadRecord(deleted));
        file.RemoveRecord(deleted);
        for (int i = 0; i < removedAfter; ++i)
            file.RemoveRecord(file.RecordCount() - 1);
        QCOMPARE(undo.restoreWorkout(file), place);
        QTEST(bodyparts(file), "restored");
        QCOMPARE(undo.kind(), UndoBuffer::Nothing);
    }

    void rowGoesBackToItsRowOrLast_data()
    {
        QTest::addColumn<int>("deletedRow");
        QTest::addColumn<int>("entriesNow");
        QTest::addColumn<int>("row");
        QTest::newRow("row 2 of three") << 2 << 2 << 2;
        QTest::newRow("last of three") << 3 << 2 << 3;
        QTest::newRow("grid emptied since") << 3 << 0 << 1;
        QTest::newRow("grid grown since") << 1 << 5 << 1;
    }
    void rowGoesBackToItsRowOrLast()
    {
        QFETCH(int, deletedRow);
        QFETCH(int, entriesNow);
        UndoBuffer undo;
        const ExerciseEntry squat = exercise("Squat", 5, 5, 100);
        undo.exerciseRowDeleted(deletedRow, squat);
        const auto [exerciseRow, exerciseEntry] = undo.takeExerciseRow(entriesNow);
        QTEST(exerciseRow, "row");
        QCOMPARE(exerciseEntry, squat);
        QCOMPARE(undo.kind(), UndoBuffer::Nothing);

        const CardioEntry run = cardio("Running", 0.3f, 200, 5000);
        undo.cardioRowDeleted(deletedRow, run);
        const auto [cardioRow, cardioEntry] = undo.takeCardioRow(entriesNow);
        QTEST(cardioRow, "row");
        QCOMPARE(cardioEntry, run);
    }
};

QTEST_GUILESS_MAIN(TestUndoBuffer)
#include "tst_undobuffer.moc"
