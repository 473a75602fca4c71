#include "support/CliRunner.h"
#include "support/TestEnvironment.h"
#include "support/WorkoutBuilder.h"

#include <QTest>

using namespace WorkoutBuilder;

// fortavo-cli run with scripts that read the training data through the headless editor.
class TestRunWorkouts : public QObject {
    Q_OBJECT

private slots:
    void readsWorkouts_data();
    void readsWorkouts();
};

void TestRunWorkouts::readsWorkouts_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");

    const QString walk = "var i,n,w,r\nn=workouts_count\ni=1\nwhile i<=n\n  workouts_load(i)\n"
                         "  w=w+exercises_totalweight\n  r=r+exercises_totalreps\n  i=i+1\nendwhile\noutput(\"$n $w $r\")\n";
    QTest::newRow("walk the file") << QStringList() << walk << 0 << "3 1800 96\n";
    QTest::newRow("empty form") << QStringList() << "var c,$b\nc=exercises_count\n$b=workouts_info_bodypart\noutput(\"$c\")\noutput($b)\n"
                                << 0 << "0\n\n";
    QTest::newRow("--workout shows and selects")
        << QStringList{"--workout", "3"}
        << "var n,$b\nn=workouts_selected\n$b=workouts_info_bodypart\noutput(\"$n\")\noutput($b)\n" << 0 << "3\nLegs\n";
    QTest::newRow("nothing selected") << QStringList() << "var n\nn=workouts_selected\n" << 1 << "";
    QTest::newRow("--workout beyond the file") << QStringList{"--workout", "4"} << "output(\"x\")\n" << 2 << "";
}

void TestRunWorkouts::readsWorkouts()
{
    QFETCH(QStringList, options);
    QFETCH(QString, script);
    QFETCH(int, status);
    QFETCH(QString, out);
    TestEnvironment env;
    env.writeFile("workouts.dat",
                  fileBytes({workout(QDate(2009, 3, 11), "Chest", 1,
                                     {exercise("Bench press", 3, 10, 50), exercise("Dips", 3, 12, 0)}),
                             workout(QDate(2009, 3, 12), "Back", 0, {exercise("Row", 2, 15, 10)}),
                             workout(QDate(2009, 3, 16), "Legs", 0)}));
    env.writeFile("s.fvs", script.toUtf8());
    const CliRun run = runCli(QStringList{"--folder", env.folder(), "--training", env.path("workouts.dat"), "run"}
                                  + options + QStringList{env.path("s.fvs")},
                              env.folder());
    QCOMPARE(run.out, out);
    QVERIFY2(run.status == status, qPrintable(run.err));
    if (status == 1)
        QVERIFY2(run.err.contains("No workout is selected"), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(TestRunWorkouts)
#include "tst_runworkouts.moc"
