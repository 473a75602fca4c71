#include "chart/Chart.h"
#include "common/DayCount.h"
#include "exercises/ExerciseFile.h"
#include "support/CliRunner.h"
#include "support/TestEnvironment.h"
#include "support/WorkoutBuilder.h"

#include <QImage>
#include <QTest>

using WorkoutBuilder::exercise;

// fortavo-cli records and progress, run as the user runs them.
class TestProgressCli : public QObject {
    Q_OBJECT

    TestEnvironment *env = nullptr;

    CliRun cli(const QStringList &args) { return runCliOver(*env, args); }

private slots:
    // Workout 1 on 4.3.2024, 2 on 6.3.2024 and 3, dated first, on 1.3.2024; the exercise
    // list spells the bench press otherwise and has a deadlift never done.
    void init()
    {
        env = new TestEnvironment;
        env->writeFile("workouts.dat",
                       WorkoutBuilder::fileBytes({
                           WorkoutBuilder::workout(QDate(2024, 3, 4), "Chest", 0,
                                                   {exercise("Bench press", 3, 5, 100), exercise("Pull-up", 3, 10, 0)}),
                           WorkoutBuilder::workout(QDate(2024, 3, 6), "Chest", 0, {exercise("bench press", 1, 21, 40)}),
                           WorkoutBuilder::workout(QDate(2024, 3, 1), "Chest", 0, {exercise("Bench press", 2, 5, 100)}),
                       }));
        env->writeFile("exercises.dat", CatalogExercise{"Bench Press", "Chest", {}}.encode()
                                            + CatalogExercise{"Deadlift", "Back", {}}.encode());
    }
    void cleanup() { delete env; }

    void records_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("out");
        const QString header = "Exercise\tExpected 1RM\tDate\tFrom\tHeaviest weight\tReps\tDate\tReps at BW\tDate\t"
                               "Best volume\tDate\n";
        const QString bench = "Bench Press\t112.50\t1.3.2024\t100 × 5\t100\t5\t1.3.2024\t\t\t1500.00\t4.3.2024\n";
        const QString pullUp = "Pull-up\t\t\t\t\t\t\t10\t4.3.2024\t\t\n";
        QTest::newRow("all") << QStringList{"records"} << header + bench + pullUp;
        QTest::newRow("one, any case") << QStringList{"records", "--exercise", "BENCH press"} << header + bench;
        QTest::newRow("listed, never done") << QStringList{"records", "--exercise", "Deadlift"} << header;
    }
    void records()
    {
        QFETCH(QStringList, args);
        const CliRun run = cli(args);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        QTEST(run.out, "out");
    }

    void series_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("out");
        QTest::newRow("1RM by default, by date")
            << QStringList{"--csv"}
            << "Date,Workout,Expected 1RM\n2024-03-01,3,112.50\n2024-03-04,1,112.50\n2024-03-06,2,84.00\n";
        QTest::newRow("weight") << QStringList{"--measure", "weight", "--csv"}
                                << "Date,Workout,Heaviest weight\n2024-03-01,3,100.00\n2024-03-04,1,100.00\n"
                                   "2024-03-06,2,40.00\n";
        QTest::newRow("volume between two dates")
            << QStringList{"--measure", "volume", "--from", "2.3.2024", "--to", "2024-03-06", "--csv"}
            << "Date,Workout,Volume\n2024-03-04,1,1500.00\n2024-03-06,2,840.00\n";
        QTest::newRow("range without workouts") << QStringList{"--from", "7.3.2024", "--csv"} << "Date,Workout,Expected 1RM\n";
    }
    void series()
    {
        QFETCH(QStringList, args);
        const CliRun run = cli(QStringList{"progress", "--exercise", "Bench press"} + args);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        QTEST(run.out, "out");
    }

    // The chart drawn through fortavo-graph is the chart unit's own image of the points.
    void chartPng()
    {
        const QString png = env->path("chart.png");
        const CliRun run = cli({"progress", "--exercise", "bench press", "--png", png});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        Chart::Spec spec;
        spec.yTitle = "Bench Press: Expected 1RM (kg/lbs)";
        Chart::LineSeries line;
        for (const auto &[date, value] : {std::pair{QDate(2024, 3, 1), 112.5}, {QDate(2024, 3, 4), 112.5},
                                          {QDate(2024, 3, 6), 84.0}})
            line.points << QPointF(DayCount::fromDate(date), value);
        spec.lines << line;
        const QImage expected = Chart::image(spec, QSize(800, 400));
        QCOMPARE(QImage(png).convertToFormat(expected.format()), expected);
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QString unknown = "Unknown exercise \"Curl\": it is neither in the exercise list nor in the training file.";
        QTest::newRow("records of an unknown exercise") << QStringList{"records", "--exercise", "Curl"} << 1 << unknown;
        QTest::newRow("progress of an unknown exercise")
            << QStringList{"progress", "--exercise", "Curl", "--csv"} << 1 << unknown;
        QTest::newRow("bad measure") << QStringList{"progress", "--exercise", "Squat", "--measure", "reps", "--csv"} << 2
                                     << "--measure takes 1rm, weight or volume, not \"reps\".";
        QTest::newRow("bad date") << QStringList{"progress", "--exercise", "Squat", "--from", "31.2.2024", "--csv"} << 2
                                  << "--from takes a date such as 31.1.2026 or 2026-01-31, not \"31.2.2024\".";
        QTest::newRow("both outputs") << QStringList{"progress", "--exercise", "Squat", "--csv", "--png", "g.png"} << 2
                                      << "progress writes either --csv or --png FILE.";
        QTest::newRow("no output") << QStringList{"progress", "--exercise", "Squat"} << 2
                                   << "progress writes either --csv or --png FILE.";
        QTest::newRow("no exercise") << QStringList{"progress", "--csv"} << 2 << "progress needs --exercise NAME.";
        QTest::newRow("option without value") << QStringList{"records", "--exercise"} << 2 << "--exercise needs a value.";
        QTest::newRow("stray argument") << QStringList{"records", "Squat"} << 2 << "Usage: records [--exercise NAME]";
    }
    void failures()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        checkFailure(cli(args), status, message);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!QFile::exists(env->path("g.png")));
    }
};

QTEST_MAIN(TestProgressCli)
#include "tst_progresscli.moc"
