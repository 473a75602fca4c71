#include "TrainingFixture.h"

#include "exercises/ExerciseAnalysis.h"
#include "exercises/OneRmGraph.h"
#include "support/CliRunner.h"
#include "support/TestEnvironment.h"

#include <QImage>
#include <QTest>

using namespace TrainingFixture;

// The exercise commands of fortavo-cli, run as the user runs them.
class TestExerciseCli : public QObject {
    Q_OBJECT

    TestEnvironment *env = nullptr;

    CliRun cli(const QStringList &args) { return runCliOver(*env, args); }

private slots:
    void init()
    {
        env = new TestEnvironment;
        TrainingFile file;
        file.open(env->path(QStringLiteral("workouts.dat")));
        const QString bench = QStringLiteral("Bench press");
        append(file, QDate(2024, 3, 4), {row(bench, 3, 10, 50), row(bench, 3, 8, 60)});
        append(file, QDate(2024, 3, 6), {row(QStringLiteral("Squat"), 5, 5, 100)});
        append(file, QDate(2024, 3, 8), {row(bench, 2, 8, 65)});
    }
    void cleanup() { delete env; }

    void analysisText()
    {
        const CliRun run = cli({QStringLiteral("exercise-analysis"), QStringLiteral("BENCH press")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QStringLiteral("Exercise was used on 2 workouts, 8 sets in total.\n"
                                         "Average # of reps per set is 8.75.\n"
                                         "Maximum used weight for # reps:\n\n"
                                         "     8 reps - 65.00 kg/lbs\n"
                                         "     10 reps - 50.00 kg/lbs\n\n"
                                         "Expected 1 RM = 80.69 kg/lbs\n"));
    }

    void usageRows_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("out");
        const QString newest = QStringLiteral("1.\tBench press\tWorking set\t2\t8\t65\n");
        const QString older = QStringLiteral("2.\tBench press\tWorking set\t3\t10\t50\n"
                                             "3.\tBench press\tWorking set\t3\t8\t60\n");
        QTest::newRow("default count") << QStringList{QStringLiteral("Bench press")} << newest + older;
        QTest::newRow("count beyond the file") << QStringList{QStringLiteral("Bench press"), QStringLiteral("9999")} << newest + older;
        QTest::newRow("last two workouts") << QStringList{QStringLiteral("Bench press"), QStringLiteral("2")} << newest;
        QTest::newRow("unused exercise") << QStringList{QStringLiteral("Curl")} << QString();
    }
    void usageRows()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, out);
        const CliRun run = cli(QStringList{QStringLiteral("exercise-usage")} + args);
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, out);
    }

    void graphIsTheWindowsImage()
    {
        const QString png = env->path(QStringLiteral("graph.png"));
        const CliRun run = cli({QStringLiteral("exercise-graph"), QStringLiteral("Bench press"), png});
        QCOMPARE(run.status, 0);
        const QImage expected = OneRmGraph::draw(QStringLiteral("4.3.2024"), QStringLiteral("8.3.2024"),
                                                 {EstimateOneRm(8, 60), EstimateOneRm(8, 65)});
        QCOMPARE(QImage(png).convertToFormat(expected.format()), expected);
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("never used") << QStringList{QStringLiteral("exercise-analysis"), QStringLiteral("Curl")} << 1
                                    << UnableToCollectMessage;
        QTest::newRow("graph of an unused exercise")
            << QStringList{QStringLiteral("exercise-graph"), QStringLiteral("Curl"), QStringLiteral("g.png")} << 1
            << UnableToCollectMessage;
        QTest::newRow("no name") << QStringList{QStringLiteral("exercise-analysis")} << 2 << QString();
        QTest::newRow("bad count") << QStringList{QStringLiteral("exercise-usage"), QStringLiteral("Squat"), QStringLiteral("0")}
                                   << 2 << QString();
        QTest::newRow("graph without file") << QStringList{QStringLiteral("exercise-graph"), QStringLiteral("Squat")} << 2
                                            << QString();
    }
    void failures()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        checkFailure(cli(args), status, message);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!QFile::exists(env->path(QStringLiteral("g.png"))));
    }
};

QTEST_MAIN(TestExerciseCli)
#include "tst_exercisecli.moc"
