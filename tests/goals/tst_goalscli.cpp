#include "common/DayCount.h"
#include "goals/GoalsFile.h"
#include "support/CliRunner.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QTest>

namespace {
GoalRecord goal(const QString &name, quint8 status, const QDate &deadline, const QString &description = QString())
{
    GoalRecord g;
    g.StartDate = DayCount::fromDate(QDate(2026, 1, 5));
    g.Deadline = DayCount::fromDate(deadline);
    g.Name = name;
    g.Description = description;
    g.Status = status;
    return g;
}

const QString Empty = QStringLiteral("Pending goals\n\nGoals completed succesfully!\n\nGoals not completed succesfully\n\n");
}

// fortavo-cli goals, run as the user runs it.
class TestGoalsCli : public QObject {
    Q_OBJECT

    TestEnvironment *env = nullptr;

    CliRun cli(const QStringList &args, const QString &dateFormat = QStringLiteral("d.M.yyyy"))
    {
        return runCli(QStringList{QStringLiteral("--folder"), env->folder(), QStringLiteral("--date-format"), dateFormat}
                          + args,
                      env->folder());
    }
    void writeGoals(const QString &name, const QList<GoalRecord> &goals, const QByteArray &tail = {})
    {
        QByteArray bytes;
        for (const GoalRecord &g : goals)
            bytes += g.encode();
        env->writeFile(name, bytes + tail);
    }

private slots:
    void init() { env = new TestEnvironment; }
    void cleanup() { delete env; }

    void listsAsTheWindowShowsThem()
    {
        // A deadline long past: the listing asks nothing and changes nothing.
        const QString long51 = QStringLiteral("abcdefghij").repeated(5) + QStringLiteral("k");
        writeGoals(QStringLiteral("goals.dat"),
                   {goal(QStringLiteral("Squat"), GoalStatus::Pending, QDate(2026, 2, 1), QStringLiteral("5 x 5")),
                    goal(QStringLiteral("Lost"), GoalStatus::Unsuccessful, QDate(2026, 3, 1)),
                    goal(QStringLiteral("Run"), GoalStatus::Completed, QDate(2026, 4, 1), long51),
                    goal(QStringLiteral("Odd"), 7, QDate(2026, 4, 1)),
                    goal(QStringLiteral("Bench"), GoalStatus::Pending, QDate(2026, 5, 1))});
        const QByteArray before = env->readFile(QStringLiteral("goals.dat"));
        const CliRun run = cli({QStringLiteral("goals")});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QStringLiteral("Pending goals\n"
                                         "Squat: 5.1.2026-1.2.2026. 5 x 5\n"
                                         "Bench: 5.1.2026-1.5.2026. \n"
                                         "\n"
                                         "Goals completed succesfully!\n"
                                         "Run: 5.1.2026-1.4.2026. abcdefghijabcdefghijabcdefghijabcdefghijabcdefghij...\n"
                                         "\n"
                                         "Goals not completed succesfully\n"
                                         "Lost: 5.1.2026-1.3.2026. \n"
                                         "\n"));
        QCOMPARE(env->readFile(QStringLiteral("goals.dat")), before);

        const CliRun us = cli({QStringLiteral("goals")}, QStringLiteral("MM/dd/yyyy"));
        QVERIFY2(us.out.contains(QStringLiteral("Squat: 01/05/2026-02/01/2026. 5 x 5\n")), qPrintable(us.out));
    }

    void configuredGoalsFile_data()
    {
        QTest::addColumn<QByteArray>("ini"); // empty: no init.ini
        QTest::addColumn<QString>("file");
        QTest::newRow("no configuration") << QByteArray() << QStringLiteral("goals.dat");
        QTest::newRow("bare name") << QByteArray("[Program]\nGoals_file=mine.dat\n") << QStringLiteral("mine.dat");
        QTest::newRow("empty value") << QByteArray("[Program]\nGoals_file=\n") << QStringLiteral("goals.dat");
    }
    void configuredGoalsFile()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, file);
        if (!ini.isEmpty())
            env->writeFile(QStringLiteral("init.ini"), ini);
        writeGoals(file, {goal(QStringLiteral("Mine"), GoalStatus::Completed, QDate(2026, 2, 1))});
        const CliRun run = cli({QStringLiteral("goals")});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains(QStringLiteral("Goals completed succesfully!\nMine: 5.1.2026-1.2.2026. \n")),
                 qPrintable(run.out));
    }

    void missingFileListsNothingAndStaysMissing()
    {
        const CliRun run = cli({QStringLiteral("goals")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, Empty);
        QVERIFY(!QFile::exists(env->path(QStringLiteral("goals.dat"))));
    }

    void damagedOrUnreadableFile()
    {
        writeGoals(QStringLiteral("goals.dat"), {goal(QStringLiteral("A"), GoalStatus::Pending, QDate(2026, 2, 1))},
                   QByteArray(20, 'x'));
        CliRun run = cli({QStringLiteral("goals")});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.startsWith(QStringLiteral("Pending goals\nA: 5.1.2026-1.2.2026. \n\n")), qPrintable(run.out));
        QVERIFY2(run.err.contains(QStringLiteral("20 bytes")), qPrintable(run.err));

        QVERIFY(QFile::remove(env->path(QStringLiteral("goals.dat"))));
        QVERIFY(QDir(env->folder()).mkdir(QStringLiteral("goals.dat")));
        run = cli({QStringLiteral("goals")});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(env->path(QStringLiteral("goals.dat"))), qPrintable(run.err));

        run = cli({QStringLiteral("goals"), QStringLiteral("extra")});
        QCOMPARE(run.status, 2);
    }

    void helpNamesTheCommand()
    {
        const CliRun run = cli({QStringLiteral("--help")});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains(QStringLiteral("\n  goals ")), qPrintable(run.out));
    }
};

QTEST_GUILESS_MAIN(TestGoalsCli)
#include "tst_goalscli.moc"
