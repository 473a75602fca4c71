#include "ProgressFixture.h"

#include "progress/NewRecord.h"
#include "support/TestEnvironment.h"

#include <QTest>

using namespace ProgressFixture;

using Workouts = QList<WorkoutRecord>;
Q_DECLARE_METATYPE(Workouts)

class TestNewRecord : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { pinRegionalSettings(); }

    // The training file, the saved workout's record and the word after the save.
    void newRecord_data()
    {
        QTest::addColumn<Workouts>("workouts");
        QTest::addColumn<int>("saved");
        QTest::addColumn<QString>("text");
        const QDate d1(2024, 3, 1), d2(2024, 3, 5), d3(2024, 3, 10);

        // 104 × 36 ÷ 32 = 117
        QTest::newRow("both beaten") << Workouts{workout(d1, {row("Bench press", 3, 5, 100)}),
                                                 workout(d2, {row("Bench press", 3, 5, 104)})}
                                     << 1
                                     << "New record: Bench press, expected 1RM 117.00 kg/lbs (104 × 5), heaviest "
                                        "weight 104.00 kg/lbs (104 × 5)";
        // 95 × 36 ÷ 29 = 117.93 beats 112.5; 95 stays below 100
        QTest::newRow("expected 1RM only") << Workouts{workout(d1, {row("Bench press", 3, 5, 100)}),
                                                       workout(d2, {row("Bench press", 3, 8, 95)})}
                                           << 1 << "New record: Bench press, expected 1RM 117.93 kg/lbs (95 × 8)";
        // 102 × 1 gives 102, below 100 × 36 ÷ 29
        QTest::newRow("heaviest weight only")
            << Workouts{workout(d1, {row("Bench press", 3, 8, 100)}), workout(d2, {row("Bench press", 1, 1, 102)})} << 1
            << "New record: Bench press, heaviest weight 102.00 kg/lbs (102 × 1)";
        QTest::newRow("only equalled") << Workouts{workout(d1, {row("Bench press", 3, 5, 100)}),
                                                   workout(d2, {row("Bench press", 2, 5, 100)})}
                                       << 1 << QString();
        QTest::newRow("first workout") << Workouts{workout(d1, {row("Squat", 5, 5, 140)}),
                                                   workout(d2, {row("Bench press", 3, 5, 100)})}
                                       << 1 << QString();
        // The heavier workouts of the same and of a later date do not count; the saved
        // workout need not be the last record.
        QTest::newRow("later dates left out")
            << Workouts{workout(d3, {row("Bench press", 3, 5, 120)}), workout(d2, {row("Bench press", 3, 5, 100)}),
                        workout(d2, {row("Bench press", 1, 5, 110)}), workout(d1, {row("Bench press", 3, 5, 90)})}
            << 1
            << "New record: Bench press, expected 1RM 112.50 kg/lbs (100 × 5), heaviest weight 100.00 kg/lbs (100 × 5)";
        // 40 × 2.1 = 84 beats 60 × 36 ÷ 32 = 67.5 of the same exercise spelt otherwise.
        QTest::newRow("21 reps, other case") << Workouts{workout(d1, {row("BENCH PRESS", 3, 5, 60)}),
                                                         workout(d2, {row("Bench press", 1, 21, 40)})}
                                             << 1 << "New record: Bench press, expected 1RM 84.00 kg/lbs (40 × 21)";
        QTest::newRow("two exercises")
            << Workouts{workout(d1, {row("Squat", 5, 5, 100), row("Bench press", 3, 5, 80)}),
                        workout(d2, {row("Squat", 1, 1, 110), row("Bench press", 1, 1, 80), row("Bench press", 1, 3, 82)})}
            << 1
            << "New record: Squat, heaviest weight 110.00 kg/lbs (110 × 1); Bench press, heaviest weight 82.00 kg/lbs "
               "(82 × 3)";
        QTest::newRow("only body weight before") << Workouts{workout(d1, {row("Pull-up", 3, 10, 0)}),
                                                             workout(d2, {row("Pull-up", 3, 5, 10)})}
                                                 << 1 << QString();
    }
    void newRecord()
    {
        QFETCH(Workouts, workouts);
        QFETCH(int, saved);
        TestEnvironment env;
        env.writeFile(QStringLiteral("workouts.dat"), WorkoutBuilder::fileBytes(workouts));
        TrainingFile file;
        file.open(env.path(QStringLiteral("workouts.dat")), TrainingFile::Access::ReadOnly);
        QTEST(NewRecordText(file, saved), "text");
    }
};

QTEST_GUILESS_MAIN(TestNewRecord)
#include "tst_newrecord.moc"
