#include "common/DayCount.h"
#include "store/TrainingFile.h"
#include "support/CliRunner.h"
#include "support/TestEnvironment.h"

#include <QTest>

class TestCsvCli : public QObject {
    Q_OBJECT
    const QByteArray csv = "Date,Exercise,Category,Weight (kgs),Reps\n"
                           "2021-09-09,Squat,Legs,100,5\n"
                           "2021-09-09,Squat,Legs,100,5\n"
                           "2021-09-08,Bench press,Chest,60,8\n"
                           "soon,Squat,Legs,100,5\n";

private slots:
    void importDryRunThenImportThenAgain()
    {
        TestEnvironment env;
        env.writeFile(QStringLiteral("in.csv"), csv);
        const QStringList base{"--folder", env.folder()};

        CliRun run = runCli(base + QStringList{"import-csv", env.path("in.csv"), "--dry-run"});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains("Workouts to add: 2\n"), qPrintable(run.out));
        QVERIFY(run.out.contains("New exercises: Bench press, Squat\n"));
        QVERIFY(run.out.contains("  line 5: date \"soon\" is not a date\n"));
        QVERIFY2(!QFileInfo::exists(env.path("workouts.dat")), "a dry run writes nothing");

        run = runCli(base + QStringList{"import-csv", env.path("in.csv")});
        QCOMPARE(run.status, 0);
        TrainingFile training;
        training.open(env.path("workouts.dat"), TrainingFile::Access::ReadOnly);
        QCOMPARE(training.RecordCount(), 2);
        const WorkoutRecord squat = training.ReadRecord(1);
        QCOMPARE(DayCount::toDate(squat.Date), QDate(2021, 9, 9));
        QCOMPARE(squat.Exercises.size(), 1);
        QCOMPARE(int(squat.Exercises[0].Sets), 2);
        training.close();

        run = runCli(base + QStringList{"import-csv", env.path("in.csv")}); // safe to repeat
        QVERIFY(run.out.contains("Workouts to add: 0\n"));
        QVERIFY(run.out.contains("Workouts skipped as already present: 2\n"));
        QCOMPARE(env.readFile("workouts.dat").size(), 2 * WorkoutRecord::Size);

        run = runCli(base + QStringList{"export-csv", env.path("out.csv")});
        QCOMPARE(run.status, 0);
        QVERIFY(env.readFile("out.csv").contains("2021-09-09,00:00:00,0:00,,,,exercise,Squat,,2,5,100,,,,\r\n"));
    }

    // The count is of workouts; a workout of more than 20 rows is one workout in two records.
    void importCountsWorkouts()
    {
        TestEnvironment env;
        QByteArray big = "Date,Exercise,Weight,Reps\n";
        for (int i = 1; i <= 21; ++i)
            big += "2021-09-09 08:00:00,Exercise " + QByteArray::number(i) + ",10,5\n";
        env.writeFile(QStringLiteral("in.csv"), big);
        const CliRun run = runCli({"--folder", env.folder(), "import-csv", env.path("in.csv")});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains(QStringLiteral("Imported 1 workouts into \"%1\". (2 records)\n").arg(env.path("workouts.dat"))),
                 qPrintable(run.out));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("status");
        QTest::newRow("not csv") << QStringList{"import-csv", "in.csv"} << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10) << 1;
        QTest::newRow("no header") << QStringList{"import-csv", "in.csv"} << QByteArray("a;b\n1;2\n") << 1;
        QTest::newRow("bad unit") << QStringList{"import-csv", "in.csv", "--unit", "st"} << csv << 2;
        QTest::newRow("no file named") << QStringList{"import-csv"} << csv << 2;
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, content);
        QFETCH(int, status);
        TestEnvironment env;
        env.writeFile(QStringLiteral("in.csv"), content);
        const CliRun run = runCli(QStringList{"--folder", env.folder()} + args, env.folder());
        QCOMPARE(run.status, status);
        QVERIFY(!run.err.isEmpty());
        QVERIFY2(!QFileInfo::exists(env.path("workouts.dat")), "nothing is written");
    }
};

QTEST_GUILESS_MAIN(TestCsvCli)
#include "tst_csvcli.moc"
