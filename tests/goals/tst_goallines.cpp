#include "common/DayCount.h"
#include "common/Errors.h"
#include "goals/GoalLists.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <limits>

namespace {
// 9 December 2025 and 8 January 2026 as day counts.
constexpr double Dec9 = 46000;
constexpr double Jan8 = 46030;

GoalRecord goal(const QString &name, const QString &description, quint8 status = GoalStatus::Pending,
                double start = Dec9, double deadline = Jan8)
{
    GoalRecord g;
    g.Name = name;
    g.Description = description;
    g.Status = status;
    g.StartDate = start;
    g.Deadline = deadline;
    return g;
}
}

class TestGoalLines : public QObject {
    Q_OBJECT

    TestEnvironment *env = nullptr;

private slots:
    void init() { env = new TestEnvironment; }
    void cleanup() { delete env; }

    void goalLine_data()
    {
        const QString fifty = QStringLiteral("0123456789").repeated(5);
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("line");
        QTest::newRow("short") << QStringLiteral("Squat 100") << QStringLiteral("Three sets")
                               << QStringLiteral("Squat 100: 9.12.2025-8.1.2026. Three sets");
        QTest::newRow("49 characters") << QStringLiteral("G") << fifty.left(49)
                                       << QStringLiteral("G: 9.12.2025-8.1.2026. ") + fifty.left(49);
        QTest::newRow("exactly 50 characters: no dots") << QStringLiteral("G") << fifty
                                                        << QStringLiteral("G: 9.12.2025-8.1.2026. ") + fifty;
        QTest::newRow("51 characters: cut, with dots") << QStringLiteral("G") << fifty + QStringLiteral("X")
                                                       << QStringLiteral("G: 9.12.2025-8.1.2026. ") + fifty + QStringLiteral("...");
        QTest::newRow("empty name and description") << QString() << QString() << QStringLiteral(": 9.12.2025-8.1.2026. ");
        QTest::newRow("line breaks show as blanks") << QStringLiteral("Run") << QStringLiteral("5 km\r\nthen 10\nkm")
                                                    << QStringLiteral("Run: 9.12.2025-8.1.2026. 5 km  then 10 km");
    }
    void goalLine()
    {
        QFETCH(QString, name);
        QFETCH(QString, description);
        QFETCH(QString, line);
        QCOMPARE(GoalLine(goal(name, description)), line);
    }

    void goalLineUsesTheShortDateFormat()
    {
        RegionalSettings us;
        us.dateFormat = QStringLiteral("MM/dd/yyyy");
        TestEnvironment other(us);
        QCOMPARE(GoalLine(goal(QStringLiteral("A"), QStringLiteral("b"), 1, Dec9 + 0.75, Jan8 + 0.25)),
                 QStringLiteral("A: 12/09/2025-01/08/2026. b"));
    }

    void goalKeyEndsWithTheStatus_data()
    {
        QTest::addColumn<int>("status");
        QTest::newRow("unsuccessful") << 0;
        QTest::newRow("pending") << 1;
        QTest::newRow("completed") << 2;
        QTest::newRow("unknown") << 7;
    }
    void goalKeyEndsWithTheStatus()
    {
        QFETCH(int, status);
        const GoalRecord g = goal(QStringLiteral("A"), QStringLiteral("b"), quint8(status));
        QCOMPARE(GoalKey(g), QStringLiteral("A: 9.12.2025-8.1.2026. b") + QString::number(status));
    }

    void deadlineHasCome_data()
    {
        const double today = DayCount::fromDate(QDate(2026, 1, 8));
        QTest::addColumn<int>("status");
        QTest::addColumn<double>("deadline");
        QTest::addColumn<bool>("asked");
        QTest::newRow("pending, deadline today") << 1 << today << true;
        QTest::newRow("pending, deadline today at noon") << 1 << today + 0.5 << true;
        QTest::newRow("pending, deadline passed") << 1 << today - 30 << true;
        QTest::newRow("pending, deadline tomorrow") << 1 << today + 1 << false;
        QTest::newRow("pending, deadline tomorrow just after midnight") << 1 << today + 1.01 << false;
        QTest::newRow("completed, deadline passed") << 2 << today - 1 << false;
        QTest::newRow("unsuccessful, deadline passed") << 0 << today - 1 << false;
        QTest::newRow("unknown status, deadline passed") << 5 << today - 1 << false;
        QTest::newRow("deadline not a number") << 1 << std::numeric_limits<double>::quiet_NaN() << false;
    }
    void deadlineHasCome()
    {
        QFETCH(int, status);
        QFETCH(double, deadline);
        QFETCH(bool, asked);
        const GoalRecord g = goal(QStringLiteral("A"), QString(), quint8(status), Dec9, deadline);
        QCOMPARE(DeadlineHasCome(g, QDate(2026, 1, 8)), asked);
    }

    void deadlineQuestionNamesTheGoal()
    {
        QCOMPARE(DeadlineQuestion(goal(QStringLiteral("Bench 100"), QString())),
                 QStringLiteral("Deadline of the goal \"Bench 100\" has been met.\r\nHas the goal been completed successfully?"));
    }

    void listsAndListingFollowTheStatus()
    {
        GoalsFile file;
        file.open(env->path(QStringLiteral("goals.dat")));
        const QList<GoalRecord> goals = {goal(QStringLiteral("P1"), QStringLiteral("a"), 1),
                                         goal(QStringLiteral("U1"), QStringLiteral("b"), 0),
                                         goal(QStringLiteral("X"), QStringLiteral("c"), 9),
                                         goal(QStringLiteral("C1"), QStringLiteral("d"), 2),
                                         goal(QStringLiteral("P2"), QStringLiteral("e"), 1)};
        for (int n = 0; n < goals.size(); ++n)
            file.WriteRecord(n, goals.at(n));
        const GoalLists lists = GoalLists::read(file);
        QCOMPARE(lists.keys.size(), 5);
        QCOMPARE(lists.keys.at(2), QStringLiteral("X: 9.12.2025-8.1.2026. c9"));
        QCOMPARE(lists.pending.size(), 2);
        QCOMPARE(lists.pending.at(1).record, 4);
        QCOMPARE(lists.completed.at(0).record, 3);
        QCOMPARE(lists.unsuccessful.at(0).record, 1);
        QCOMPARE(GoalListingText(lists), QStringLiteral("Pending goals\n"
                                                        "P1: 9.12.2025-8.1.2026. a\n"
                                                        "P2: 9.12.2025-8.1.2026. e\n"
                                                        "\n"
                                                        "Goals completed succesfully!\n"
                                                        "C1: 9.12.2025-8.1.2026. d\n"
                                                        "\n"
                                                        "Goals not completed succesfully\n"
                                                        "U1: 9.12.2025-8.1.2026. b\n"
                                                        "\n"));
        QCOMPARE(GoalListingText(GoalLists()), QStringLiteral("Pending goals\n\nGoals completed succesfully!\n\n"
                                                              "Goals not completed succesfully\n\n"));
    }

    void listingAFileOnlyReadsIt()
    {
        const QString path = env->path(QStringLiteral("goals.dat"));
        const QString empty = GoalListingText(GoalLists());
        QString note = QStringLiteral("stale");
        QCOMPARE(ListGoalsFile(path, &note), empty);
        QVERIFY(note.isEmpty());
        QVERIFY(!QFile::exists(path)); // a missing file stays missing

        const QByteArray bytes = goal(QStringLiteral("A"), QStringLiteral("b"), GoalStatus::Completed).encode()
                                 + QByteArray(7, 'x');
        env->writeFile(QStringLiteral("goals.dat"), bytes);
        QCOMPARE(ListGoalsFile(path, &note), QStringLiteral("Pending goals\n\nGoals completed succesfully!\n"
                                                            "A: 9.12.2025-8.1.2026. b\n\n"
                                                            "Goals not completed succesfully\n\n"));
        QCOMPARE(note, PartialGoalNote(path, 7));
        QVERIFY2(note.contains(path) && note.contains(QStringLiteral("7 bytes")), qPrintable(note));
        QCOMPARE(env->readFile(QStringLiteral("goals.dat")), bytes);

        QVERIFY(QDir(env->folder()).mkdir(QStringLiteral("folder.dat")));
        QVERIFY_THROWS_EXCEPTION(IoError, ListGoalsFile(env->path(QStringLiteral("folder.dat"))));
    }
};

QTEST_GUILESS_MAIN(TestGoalLines)
#include "tst_goallines.moc"
