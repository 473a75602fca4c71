#include "AnalysisFixture.h"

#include "analysis/AnalysisCommands.h"
#include "analysis/WeekStatistics.h"

#include <QTest>

#include <limits>

namespace {
const QString CRLF = QStringLiteral("\r\n");

// The two workouts of one week: 3x10 at 80, 2x10 BW, 4x5 at 40, two Running rows, both Heavy.
QList<WorkoutRecord> exampleWeek()
{
    return {workout(QDate(2009, 3, 2), 1.10f, 2, {cardio(QStringLiteral("Running"), 0.20f, 200)},
                    {exercise(3, 10, 80), exercise(2, 10, 0)}),
            workout(QDate(2009, 3, 6), 1.20f, 2, {cardio(QStringLiteral("Running"), 0.25f, 100)},
                    {exercise(4, 5, 40)})};
}

const QString exampleText = QStringLiteral(
    "Week analysis: 2.3.2009 - 6.3.2009:\r\n"
    "-----------------\r\n"
    "\r\n"
    "Total duration: 2.30 min\r\n"
    "Total # of sets: 9\r\n"
    "Average # of sets per day: 4.50\r\n"
    "Total # of reps: 70\r\n"
    "Average # of reps per set: 7.78\r\n"
    "Total weight used: 20×BW+3200.00 kg\r\n"
    "\r\n"
    "Total duration of cardio: 0.45 min\r\n"
    "Total number of calories burned: 300\r\n"
    "Most common type of cardio: Running\r\n"
    "\r\n"
    "Types of traning:\r\n"
    "\tHeavy: 2x\r\n");

// The line of a text that starts with prefix.
QString lineStarting(const QString &text, const QString &prefix)
{
    for (const QString &line : text.split(CRLF))
        if (line.startsWith(prefix))
            return line;
    return QString();
}
}

class TestWeekStatistics : public QObject {
    Q_OBJECT

private slots:
    void exampleWeekInTheMiddleOfTheFile()
    {
        TestEnvironment env;
        AnalysisSession session;
        // A Thursday before and a Wednesday after put the example week between separators.
        QList<WorkoutRecord> records = {workout(QDate(2009, 2, 26), 2.0f, 1, {}, {exercise(5, 5, 100)})};
        records += exampleWeek();
        records << workout(QDate(2009, 3, 11), 0.5f, 3, {}, {exercise(1, 1, 1)});
        session.create(env, records);
        QCOMPARE(session.lines.size(), 6);

        session.show(2); // the Friday: last line of the week
        ShowWeekAnalysis(session);
        QCOMPARE(session.testPrompts.take(), (QList<TestPrompts::Shown>{{QStringLiteral("information"), exampleText}}));

        session.selected = 1; // the separator above the week: the week below it
        ShowWeekAnalysis(session);
        QCOMPARE(session.testPrompts.texts(QStringLiteral("information")), QStringList{exampleText});
    }

    void damagedNumbersAreSpelledAlike_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("spelled");
        QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << "NAN";
        QTest::newRow("infinite") << std::numeric_limits<float>::infinity() << "INF";
        QTest::newRow("negative infinite") << -std::numeric_limits<float>::infinity() << "-INF";
    }
    void damagedNumbersAreSpelledAlike()
    {
        // A damaged record's duration, cardio duration and weight, as every other number text spells them.
        QFETCH(float, value);
        QFETCH(QString, spelled);
        TestEnvironment env;
        AnalysisSession session;
        session.create(env, {workout(QDate(2009, 3, 2), value, 2, {cardio(QStringLiteral("Running"), value, 200)},
                                     {exercise(3, 10, value)})});
        session.show(0);
        ShowWeekAnalysis(session);
        const QString text = session.testPrompts.texts(QStringLiteral("information")).value(0);
        QCOMPARE(lineStarting(text, QStringLiteral("Total duration: ")), QStringLiteral("Total duration: ") + spelled + QStringLiteral(" min"));
        QCOMPARE(lineStarting(text, QStringLiteral("Total weight used: ")), QStringLiteral("Total weight used: 0×BW+") + spelled + QStringLiteral(" kg"));
        QCOMPARE(lineStarting(text, QStringLiteral("Total duration of cardio: ")),
                 QStringLiteral("Total duration of cardio: ") + spelled + QStringLiteral(" min"));
    }

    void weekBounds_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        const QString sep = WorkoutList::Separator;
        const QStringList weeks = {"a", "b", sep, "c", "d", "e", sep, "f"};
        QTest::newRow("first line of the first week") << weeks << 0 << 0 << 1;
        QTest::newRow("last line of the first week") << weeks << 1 << 0 << 1;
        QTest::newRow("separator selected") << weeks << 2 << 3 << 5;
        QTest::newRow("middle of a week") << weeks << 4 << 3 << 5;
        QTest::newRow("separator before the last week") << weeks << 6 << 7 << 7;
        QTest::newRow("last week of one line") << weeks << 7 << 7 << 7;
        QTest::newRow("no separators") << QStringList{"a", "b", "c"} << 1 << 0 << 2;
    }
    void weekBounds()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, selected);
        const WeekRange week = WeekBounds(lines, selected);
        QTEST(week.first, "first");
        QTEST(week.last, "last");
    }

    void mostCommonCardio_data()
    {
        QTest::addColumn<QStringList>("types"); // one cardio row each
        QTest::addColumn<QString>("expected");
        const QString run = QStringLiteral("Running"), cyc = QStringLiteral("Cycling"), swim = QStringLiteral("Swimming");
        QTest::newRow("equal counts: lower list position wins") << QStringList{cyc, cyc, cyc, run, run, run} << run;
        QTest::newRow("equal counts, later items") << QStringList{swim, swim, cyc, cyc} << cyc;
        QTest::newRow("more wins over a lower position") << QStringList{run, cyc, cyc} << cyc;
        QTest::newRow("no cardio names the empty first item") << QStringList{} << QStringLiteral("Undefined");
        QTest::newRow("types matching no item count together")
            << QStringList{"Rowing", "Skating", run} << QStringLiteral("Undefined");
        QTest::newRow("empty type is item 0 and not counted") << QStringList{"", "", swim} << swim;
    }
    void mostCommonCardio()
    {
        QFETCH(QStringList, types);
        QFETCH(QString, expected);
        TestEnvironment env;
        AnalysisSession session;
        QList<CardioEntry> rows;
        for (const QString &t : types)
            rows << cardio(t, 0.1f, 10);
        session.create(env, {workout(QDate(2009, 3, 2), 1.0f, 2, rows.mid(0, 3)),
                             workout(QDate(2009, 3, 3), 1.0f, 2, rows.mid(3))});
        const QString text = WeekStatistics(session.file, session.lines, 0, {session.cardio, session.types});
        QCOMPARE(lineStarting(text, QStringLiteral("Most common")),
                 QStringLiteral("Most common type of cardio: ") + expected);
    }

    void typesOfTraining()
    {
        TestEnvironment env;
        AnalysisSession session;
        // Type 0 is counted as a workout only; 7 lies beyond the list; 23 needs a longer list.
        session.create(env, {workout(QDate(2009, 3, 2), 1, 0), workout(QDate(2009, 3, 3), 1, 2),
                             workout(QDate(2009, 3, 4), 1, 7), workout(QDate(2009, 3, 5), 1, 2),
                             workout(QDate(2009, 3, 6), 1, 1), workout(QDate(2009, 3, 7), 1, 23)});
        AnalysisTypeLists lists{session.cardio, session.types};
        const QString text = WeekStatistics(session.file, session.lines, 0, lists);
        QVERIFY(text.endsWith(QStringLiteral("Types of traning:\r\n\tLight: 1x\r\n\tHeavy: 2x\r\n"
                                             "\tUndefined: 1x\r\n\tUndefined: 1x\r\n")));
        QVERIFY(text.contains(QStringLiteral("Average # of sets per day: 0.00\r\n")));

        for (int i = lists.trainingTypes.size(); i <= 25; ++i)
            lists.trainingTypes << QStringLiteral("Type %1").arg(i);
        const QString longList = WeekStatistics(session.file, session.lines, 0, lists);
        QVERIFY(longList.endsWith(QStringLiteral("\tLight: 1x\r\n\tHeavy: 2x\r\n\tType 7: 1x\r\n\tType 23: 1x\r\n")));
    }

    void cardioOnlyWeekShowsZeroAverages()
    {
        TestEnvironment env;
        AnalysisSession session;
        session.create(env, {workout(QDate(2009, 3, 2), 0.45f, 1, {cardio(QStringLiteral("Walking"), 0.45f, 150)})});
        session.show(0);
        ShowWeekAnalysis(session);
        QCOMPARE(session.testPrompts.texts(QStringLiteral("information")),
                 QStringList{QStringLiteral("Week analysis: 2.3.2009 - 2.3.2009:\r\n-----------------\r\n\r\n"
                                            "Total duration: 0.45 min\r\n"
                                            "Total # of sets: 0\r\n"
                                            "Average # of sets per day: 0.00\r\n"
                                            "Total # of reps: 0\r\n"
                                            "Average # of reps per set: 0.00\r\n"
                                            "Total weight used: 0×BW+0.00 kg\r\n\r\n"
                                            "Total duration of cardio: 0.45 min\r\n"
                                            "Total number of calories burned: 150\r\n"
                                            "Most common type of cardio: Walking\r\n\r\n"
                                            "Types of traning:\r\n\tLight: 1x\r\n")});
    }

    void noSelection()
    {
        TestEnvironment env;
        AnalysisSession session;
        session.create(env, exampleWeek());
        session.selected = -1;
        ShowWeekAnalysis(session);
        QCOMPARE(session.testPrompts.take(),
                 (QList<TestPrompts::Shown>{{QStringLiteral("error"), AnalysisTexts::NoSelection}}));
    }

    void periodWorkoutCount_data()
    {
        QTest::addColumn<int>("workouts");
        QTest::addColumn<QString>("countLine");
        QTest::addColumn<QString>("average");
        QTest::newRow("1") << 1 << "Trained: 1 day" << "7.00";
        QTest::newRow("7") << 7 << "Number of workouts: 7" << "1.00";
        QTest::newRow("11") << 11 << "Trained: 11 day" << "0.64";
        QTest::newRow("20") << 20 << "Number of workouts: 20" << "0.35";
        QTest::newRow("21") << 21 << "Trained: 21 day" << "0.33";
    }
    void periodWorkoutCount()
    {
        QFETCH(int, workouts);
        QFETCH(QString, countLine);
        QFETCH(QString, average);
        TestEnvironment env;
        AnalysisSession session;
        QList<WorkoutRecord> records;
        const QDate start(2009, 3, 2);
        for (int i = 0; i < workouts; ++i)
            records << workout(start.addDays(i), 1.0f, 2, {}, i == 0 ? QList<ExerciseEntry>{exercise(7, 1, 10)} : QList<ExerciseEntry>{});
        session.create(env, records);
        ShowTrainingAnalysis(session);
        const QStringList shown = session.testPrompts.texts(QStringLiteral("information"));
        QCOMPARE(shown.size(), 1);
        const QStringList lines = shown.first().split(CRLF);
        QCOMPARE(lines.at(0), QStringLiteral("Analysis of training period: 2.3.2009 - %1:")
                                  .arg(RegionalSettings::current().dateText(start.addDays(workouts - 1))));
        QCOMPARE(lines.at(1), WorkoutList::Separator);
        QCOMPARE(lines.at(3), countLine);
        QCOMPARE(lines.at(6), QStringLiteral("Average # of sets per day: ") + average);
        QCOMPARE(session.progressCalls.last(), (QPair<qint64, qint64>(workouts, workouts)));
    }

    void periodOfExampleWeekAddsSameTotals()
    {
        TestEnvironment env;
        AnalysisSession session;
        session.create(env, exampleWeek());
        const QString period = trainingPeriodAnalysis(session.file, session.lines, {session.cardio, session.types});
        QString expected = exampleText;
        expected.replace(QStringLiteral("Week analysis: "), QStringLiteral("Analysis of training period: "));
        expected.replace(QStringLiteral("\r\n\r\nTotal duration: "),
                         QStringLiteral("\r\n\r\nNumber of workouts: 2\r\nTotal duration: "));
        QCOMPARE(period, expected);
    }

    void emptyTrainingFileSaysSo()
    {
        TestEnvironment env;
        AnalysisSession session;
        session.create(env, {});
        ShowTrainingAnalysis(session);
        QCOMPARE(session.testPrompts.take(),
                 (QList<TestPrompts::Shown>{{QStringLiteral("information"), AnalysisTexts::NoWorkouts}}));
    }
};

QTEST_GUILESS_MAIN(TestWeekStatistics)
#include "tst_weekstatistics.moc"
