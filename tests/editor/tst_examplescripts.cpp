#include "support/CliRunner.h"
#include "support/TestEnvironment.h"
#include "support/WorkoutBuilder.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

using namespace WorkoutBuilder;

namespace {
const QString Examples = QStringLiteral(FORTAVO_EXAMPLES_DIR);
const QString NoWorkouts =
    QStringLiteral("your training file has no workouts yet. save a workout and run this script again.\n");

// Four workouts of one and a half weeks: two of them chest, with cardio in two.
QByteArray trainingFile()
{
    return fileBytes({
        workout(QDate(2009, 3, 9), "Chest", 1, {exercise("Bench press", 3, 10, 80), exercise("Dips", 3, 12, 0)}),
        workout(QDate(2009, 3, 11), "Back", 1, {exercise("Row", 4, 8, 60)}, {cardio("Running", 0.30f, 250, 5)}),
        workout(QDate(2009, 3, 13), "Chest", 2,
                {exercise("Bench press", 5, 5, 90), exercise("Bench press", 2, 12, 60)}),
        workout(QDate(2009, 3, 16), "Legs", 2, {exercise("Squat", 5, 5, 100)},
                {cardio("Cycling", 0.20f, 150, 8), cardio("Running", 0.10f, 100, 2)}),
    });
}
}

// Every shipped example script, run headlessly on a small training file with the
// answers a user would type.
class TestExampleScripts : public QObject {
    Q_OBJECT
private slots:
    void examples_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("withWorkouts");
        QTest::addColumn<QByteArray>("answers");
        QTest::addColumn<QString>("out");
        const QString week = QStringLiteral("week-volume.fvs");
        QTest::newRow("week volume, the default 3 workouts")
            << week << true << QByteArray()
            << "your latest 3 workouts:\r\nweight lifted: 8110 kg\r\nsets: 16\r\nrepetitions: 106\r\ncardio: 500 kcal\r\n\n";
        QTest::newRow("week volume, more workouts than the file has")
            << week << true << QByteArray("10\n")
            << "your latest 4 workouts:\r\nweight lifted: 10510 kg\r\nsets: 22\r\nrepetitions: 172\r\ncardio: 500 kcal\r\n\n";
        QTest::newRow("week volume, one workout") << week << true << QByteArray("1\n")
            << "your latest 1 workouts:\r\nweight lifted: 2500 kg\r\nsets: 5\r\nrepetitions: 25\r\ncardio: 250 kcal\r\n\n";
        QTest::newRow("week volume, a new user's empty file") << week << false << QByteArray() << NoWorkouts;

        const QString best = QStringLiteral("best-1rm.fvs");
        // 10 at 80 gives 80 x 36 / 27 = 106.67, cut to 106.66; 5 at 90 only 101.25.
        QTest::newRow("best 1RM, name in any case")
            << best << true << QByteArray("Bench Press\n")
            << "best expected 1rm of bench press : 106.66 kg on 9.3.2009 in workout 1 of 4\n";
        QTest::newRow("best 1RM, the default exercise") << best << true << QByteArray()
            << "best expected 1rm of bench press : 106.66 kg on 9.3.2009 in workout 1 of 4\n";
        QTest::newRow("best 1RM, the squat of the last workout")
            << best << true << QByteArray("squat\n")
            << "best expected 1rm of squat : 112.5 kg on 16.3.2009 in workout 4 of 4\n";
        QTest::newRow("best 1RM, an exercise never done")
            << best << true << QByteArray("Deadlift\n") << "no sets of deadlift with a weight were found.\n";
        QTest::newRow("best 1RM, a new user's empty file") << best << false << QByteArray() << NoWorkouts;

        const QString parts = QStringLiteral("bodypart-count.fvs");
        QTest::newRow("workouts by body part") << parts << true << QByteArray()
                                               << "Chest : 2\r\nBack : 1\r\nLegs : 1\r\n\n";
        QTest::newRow("workouts by body part, a new user's empty file")
            << parts << false << QByteArray() << "your training file has no workouts yet.\n";

        const QString plates = QStringLiteral("plates.fvs");
        QTest::newRow("plates, the defaults") << plates << false << QByteArray()
                                              << "put 40 kg on each side of the bar.\n";
        QTest::newRow("plates, answered") << plates << false << QByteArray("60.5\n20\n")
                                          << "put 20.25 kg on each side of the bar.\n";
        QTest::newRow("plates, a bar heavier than the weight")
            << plates << false << QByteArray("10\n20\n") << "the bar alone weighs more than 10 kg.\n";
    }
    void examples()
    {
        QFETCH(QString, script);
        QFETCH(bool, withWorkouts);
        QFETCH(QByteArray, answers);
        QFETCH(QString, out);
        TestEnvironment env;
        env.writeFile(QStringLiteral("workouts.dat"), withWorkouts ? trainingFile() : QByteArray());
        const CliRun run = runCliOver(env, {"run", QDir(Examples).filePath(script)}, answers);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(run.out, out);
    }

    // Each example is tested above, and the build places them beside the program,
    // where Help, Sample Code opens them.
    void everyExampleIsTestedAndPlaced()
    {
        const QStringList shipped = QDir(Examples).entryList({QStringLiteral("*.fvs")}, QDir::Files, QDir::Name);
        QCOMPARE(shipped, (QStringList{"best-1rm.fvs", "bodypart-count.fvs", "plates.fvs", "week-volume.fvs"}));
        const QString placed = QFileInfo(cliProgram()).absolutePath() + QStringLiteral("/Example scripts/");
        for (const QString &name : shipped)
            QVERIFY2(QFileInfo::exists(placed + name), qPrintable(placed + name));
    }
};

QTEST_GUILESS_MAIN(TestExampleScripts)
#include "tst_examplescripts.moc"
