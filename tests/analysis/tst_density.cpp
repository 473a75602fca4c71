#include "AnalysisFixture.h"

#include "analysis/AnalysisCommands.h"
#include "analysis/Density.h"
#include "common/Errors.h"

#include <QTest>

class TestDensity : public QObject {
    Q_OBJECT

private slots:
    void workoutDensityOfTheForm_data()
    {
        QTest::addColumn<QList<ExerciseEntry>>("rows");
        QTest::addColumn<QString>("expected");
        QTest::newRow("3x10 at 80 and 2x12 BW")
            << QList<ExerciseEntry>{exercise(3, 10, 80), exercise(2, 12, 0)}
            << QStringLiteral("Density:\r\n--------\r\n\r\n"
                              "Number of sets: 5\r\n"
                              "Number of reps: 54\r\n"
                              "Total weight used: 24×BW+2400.00 kg\r\n");
        QTest::newRow("empty grid") << QList<ExerciseEntry>{}
                                    << QStringLiteral("Density:\r\n--------\r\n\r\n"
                                                      "Number of sets: 0\r\n"
                                                      "Number of reps: 0\r\n"
                                                      "Total weight used: 0×BW+0.00 kg\r\n");
    }
    void workoutDensityOfTheForm()
    {
        QFETCH(QList<ExerciseEntry>, rows);
        QFETCH(QString, expected);
        TestEnvironment env;
        AnalysisSession session;
        session.create(env, {});
        session.form.Exercises = rows;
        ShowWorkoutDensity(session);
        QCOMPARE(session.testPrompts.take(),
                 (QList<TestPrompts::Shown>{{QStringLiteral("information"), expected}}));
    }

    void workoutDensityReadsTheGridCells_data()
    {
        QTest::addColumn<QStringList>("cells"); // sets, reps, weight
        QTest::addColumn<QString>("weightLine");
        QTest::newRow("zero is a weight, not body weight") << QStringList{"3", "10", "0"} << "0×BW+0.00 kg";
        QTest::newRow("sets beyond a byte count") << QStringList{"300", "2", "1"} << "0×BW+600.00 kg";
        QTest::newRow("BW") << QStringList{"2", "5", "BW"} << "10×BW+0.00 kg";
    }
    void workoutDensityReadsTheGridCells()
    {
        QFETCH(QStringList, cells);
        QFETCH(QString, weightLine);
        TestEnvironment env;
        AnalysisSession session;
        session.create(env, {});
        session.gridRows = {QStringList{"1.", "Squat", ""} + cells};
        ShowWorkoutDensity(session);
        const QString text = session.testPrompts.take().value(0).text;
        QVERIFY2(text.endsWith(QStringLiteral("Total weight used: ") + weightLine + QStringLiteral("\r\n")),
                 qPrintable(text));
    }

    void unreadableCellShowsNoDensity_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("named"); // the text the message names
        QTest::newRow("bw in lower case") << QStringList{"3", "10", "bw"} << "'bw'";
        QTest::newRow("sets not a number") << QStringList{"x", "10", "80"} << "'x'";
        QTest::newRow("empty reps") << QStringList{"3", "", "80"} << "''";
        // Sets and reps are 32-bit whole numbers: a larger cell is not one.
        QTest::newRow("sets beyond 32 bits") << QStringList{"2147483648", "1", "80"} << "'2147483648'";
        QTest::newRow("reps below 32 bits") << QStringList{"1", "-2147483649", "80"} << "'-2147483649'";
        QTest::newRow("reps beyond 64 bits") << QStringList{"1", "99999999999999999999", "BW"}
                                              << "'99999999999999999999'";
    }
    void unreadableCellShowsNoDensity()
    {
        QFETCH(QStringList, cells);
        QFETCH(QString, named);
        TestEnvironment env;
        AnalysisSession session;
        session.create(env, {});
        session.gridRows = {QStringList{"1.", "Squat", ""} + cells};
        try {
            ShowWorkoutDensity(session);
            QFAIL("a density was shown");
        } catch (const ConversionError &e) {
            QVERIFY2(e.message().startsWith(named), qPrintable(e.message()));
        }
        QVERIFY(session.testPrompts.shown.isEmpty());
    }

    void largestCellsCountWithoutWrapping_data()
    {
        QTest::addColumn<QList<QStringList>>("rows"); // sets, reps, weight
        QTest::addColumn<QString>("expected");        // from "Number of sets: " on
        QTest::newRow("largest sets and reps")
            << QList<QStringList>{{"2147483647", "2", "BW"}, {"1", "1", "BW"}}
            << "Number of sets: 2147483648\r\nNumber of reps: 4294967295\r\nTotal weight used: 4294967295×BW+0.00 kg\r\n";
        QTest::newRow("negative cells")
            << QList<QStringList>{{"-2147483648", "1", "BW"}}
            << "Number of sets: -2147483648\r\nNumber of reps: -2147483648\r\nTotal weight used: -2147483648×BW+0.00 kg\r\n";
    }
    void largestCellsCountWithoutWrapping()
    {
        QFETCH(QList<QStringList>, rows);
        QFETCH(QString, expected);
        TestEnvironment env;
        AnalysisSession session;
        session.create(env, {});
        for (const QStringList &cells : rows)
            session.gridRows << QStringList{"1.", "Squat", ""} + cells;
        ShowWorkoutDensity(session);
        const QString text = session.testPrompts.take().value(0).text;
        QVERIFY2(text.endsWith(expected), qPrintable(text));
    }

    void repsTooManyToCountAreRefused()
    {
        // Each product fits, but two of the largest do not add up in 64 bits.
        TestEnvironment env;
        AnalysisSession session;
        session.create(env, {});
        const QStringList largest{"1.", "Squat", "", "-2147483648", "-2147483648", "BW"};
        session.gridRows = {largest, largest};
        QVERIFY_THROWS_EXCEPTION(ConversionError, ShowWorkoutDensity(session));
        QVERIFY(session.testPrompts.shown.isEmpty());
    }

    void dayDensityCountsTheDateAcrossWeeks()
    {
        TestEnvironment env;
        AnalysisSession session;
        // Monday, Friday, then Monday 2.3 again: the second Monday stands in a later week.
        session.create(env, {workout(QDate(2009, 3, 2), 1.10f, 2, {cardio(QStringLiteral("Running"), 0.3f, 300)},
                                     {exercise(3, 10, 80), exercise(2, 10, 0)}),
                             workout(QDate(2009, 3, 6), 1.0f, 2, {}, {exercise(9, 9, 9)}),
                             workout(QDate(2009, 3, 2), 0.40f, 1, {}, {exercise(4, 5, 40)})});
        QCOMPARE(session.lines.size(), 4);
        session.selected = 3;
        ShowDayDensity(session);
        QCOMPARE(session.testPrompts.take(),
                 (QList<TestPrompts::Shown>{{QStringLiteral("information"),
                                             QStringLiteral("Density for date 2.3.2009:\r\n-----------------\r\n\r\n"
                                                            "Total duration: 1.50 min\r\n"
                                                            "Number of sets: 9\r\n"
                                                            "Number of reps: 70\r\n"
                                                            "Total weight used: 20×BW+3200.00 kg\r\n")}}));
    }

    void dayDensityCountsEveryTimeOfTheDay()
    {
        // Records of the earlier program carry the time of day in the date's fraction.
        TestEnvironment env;
        AnalysisSession session;
        WorkoutRecord morning = workout(QDate(2009, 3, 2), 1.0f, 2, {}, {exercise(3, 10, 80)});
        WorkoutRecord evening = workout(QDate(2009, 3, 2), 0.5f, 2, {}, {exercise(2, 5, 0)});
        morning.Date += DayCount::fromTime(QTime(9, 15));
        evening.Date += DayCount::fromTime(QTime(19, 40));
        session.create(env, {morning, workout(QDate(2009, 3, 3)), evening});
        for (const int record : {0, 2}) {
            session.show(record);
            ShowDayDensity(session);
            QCOMPARE(session.testPrompts.texts(QStringLiteral("information")),
                     QStringList{QStringLiteral("Density for date 2.3.2009:\r\n-----------------\r\n\r\n"
                                                "Total duration: 1.50 min\r\n"
                                                "Number of sets: 5\r\n"
                                                "Number of reps: 40\r\n"
                                                "Total weight used: 10×BW+2400.00 kg\r\n")});
            session.testPrompts.take();
        }
    }

    void dayDensityNeedsAWorkoutLine_data()
    {
        QTest::addColumn<int>("selected");
        QTest::newRow("nothing selected") << -1;
        QTest::newRow("separator selected") << 2;
    }
    void dayDensityNeedsAWorkoutLine()
    {
        QFETCH(int, selected);
        TestEnvironment env;
        AnalysisSession session;
        session.create(env, {workout(QDate(2009, 3, 2)), workout(QDate(2009, 3, 6)), workout(QDate(2009, 3, 2))});
        session.selected = selected;
        ShowDayDensity(session);
        QCOMPARE(session.testPrompts.take(),
                 (QList<TestPrompts::Shown>{{QStringLiteral("error"), AnalysisTexts::NoSelection}}));
    }

    void dayDensityComparesDatesNotTextBeforeABlank()
    {
        RegionalSettings spaced;
        spaced.dateFormat = QStringLiteral("d MMM yyyy");
        TestEnvironment env(spaced);
        AnalysisSession session;
        // "1 Mar 2009" and "1 Apr 2009" share the text before their first blank.
        session.create(env, {workout(QDate(2009, 3, 1), 1.0f, 2, {}, {exercise(1, 10, 50)}),
                             workout(QDate(2009, 4, 1), 2.0f, 2, {}, {exercise(2, 10, 50)})});
        session.show(0);
        ShowDayDensity(session);
        QCOMPARE(session.testPrompts.texts(QStringLiteral("information")),
                 QStringList{QStringLiteral("Density for date 1 Mar 2009:\r\n-----------------\r\n\r\n"
                                            "Total duration: 1.00 min\r\n"
                                            "Number of sets: 1\r\n"
                                            "Number of reps: 10\r\n"
                                            "Total weight used: 0×BW+500.00 kg\r\n")});
    }
};

QTEST_GUILESS_MAIN(TestDensity)
#include "tst_density.moc"
