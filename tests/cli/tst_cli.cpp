#include "support/CliRunner.h"
#include "support/TestEnvironment.h"
#include "support/WorkoutBuilder.h"

#include <QTest>

namespace {
QByteArray workouts(const QList<QPair<QDate, QString>> &days)
{
    QList<WorkoutRecord> records;
    for (const auto &[day, bodypart] : days)
        records << WorkoutBuilder::workout(day, bodypart);
    return WorkoutBuilder::fileBytes(records);
}
}

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void listsWorkoutsWithSeparators()
    {
        TestEnvironment env;
        env.writeFile("init.ini", "[Lists]\nType_training=,Light,Heavy\n[Program]\nTraining_file=w.dat\n");
        env.writeFile("w.dat", workouts({{{2009, 3, 6}, "Chest"}, {{2009, 3, 9}, "Back"}}));
        const CliRun run = runCli({"--folder", env.folder(), "--date-format", "dd/MM/yyyy", "list"});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QStringLiteral("06/03/2009 - Chest (Heavy)\n-----------------\n09/03/2009 - Back (Heavy)\n"));
    }

    void trainingOptionAndDefaultsWithoutConfiguration()
    {
        TestEnvironment env;
        env.writeFile("other.dat", workouts({{{2009, 3, 12}, "Legs"}}));
        // No init.ini: the default type-of-training list names index 2.
        const CliRun run = runCli({"--folder", env.folder(), "--training", env.path("other.dat"), "--date-format",
                             "d.M.yyyy", "list"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QStringLiteral("12.3.2009 - Legs (Heavy)\n"));
    }

    void errorsAndUsage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing training file") << QStringList{"--training", "/nonexistent/w.dat", "list"} << 1
                                               << "does not exist";
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2 << "Unknown command 'frobnicate'";
        QTest::newRow("no command") << QStringList{} << 2 << "No command given.";
        QTest::newRow("option without value") << QStringList{"--folder"} << 2 << "--folder needs a value.";
        QTest::newRow("decimal separator of two characters")
            << QStringList{"--decimal-separator", ".,", "list"} << 2
            << "The decimal separator must be one character, not '.,'.";
        QTest::newRow("list with arguments") << QStringList{"list", "3"} << 2 << "list takes no arguments.";
    }
    void errorsAndUsage()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, message);
        const CliRun run = runCli(args);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }

    void helpListsTheCommands()
    {
        const CliRun run = runCli({"--help"});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("  list "));
        QVERIFY(run.out.contains("--decimal-separator"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
