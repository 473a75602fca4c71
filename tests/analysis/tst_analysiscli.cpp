#include "AnalysisFixture.h"

#include "analysis/ReportText.h"
#include "analysis/WeekStatistics.h"
#include "analysis/WorkoutExport.h"

#include "support/CliRunner.h"

#include <QTest>

namespace {
QList<WorkoutRecord> exampleWeek()
{
    return {workout(QDate(2009, 3, 2), 1.10f, 2, {cardio(QStringLiteral("Running"), 0.20f, 200)},
                    {exercise(3, 10, 80), exercise(2, 10, 0)}),
            workout(QDate(2009, 3, 6), 1.20f, 2, {cardio(QStringLiteral("Running"), 0.25f, 100)},
                    {exercise(4, 5, 40)})};
}

CliRun runCli(const TestEnvironment &env, const QStringList &args)
{
    return ::runCli(QStringList{"--folder", env.folder(), "--date-format", "d.M.yyyy", "--time-format", "HH:mm:ss",
                                "--decimal-separator", "."}
                        + args,
                    env.folder());
}
}

class TestAnalysisCli : public QObject {
    Q_OBJECT

private slots:
    void textCommands_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::newRow("week of workout 2")
            << QStringList{"week", "2"} << 0
            << QStringLiteral("Week analysis: 2.3.2009 - 6.3.2009:\n-----------------\n\n"
                              "Total duration: 2.30 min\nTotal # of sets: 9\nAverage # of sets per day: 4.50\n"
                              "Total # of reps: 70\nAverage # of reps per set: 7.78\n"
                              "Total weight used: 20×BW+3200.00 kg\n\n"
                              "Total duration of cardio: 0.45 min\nTotal number of calories burned: 300\n"
                              "Most common type of cardio: Running\n\nTypes of traning:\n\tHeavy: 2x\n");
        QTest::newRow("density of workout 1")
            << QStringList{"density", "1"} << 0
            << QStringLiteral("Density for date 2.3.2009:\n-----------------\n\nTotal duration: 1.10 min\n"
                              "Number of sets: 5\nNumber of reps: 50\nTotal weight used: 20×BW+2400.00 kg\n");
        QTest::newRow("stats title and count") << QStringList{"stats"} << 0
                                               << QStringLiteral("Analysis of training period: 2.3.2009 - 6.3.2009:\n"
                                                                 "-----------------\n\nNumber of workouts: 2\n");
        QTest::newRow("no workout 3") << QStringList{"week", "3"} << 2 << QString();
        QTest::newRow("export without a file") << QStringList{"export-text", "1"} << 2 << QString();
        QTest::newRow("html with a dangling option")
            << QStringList{"export-html", "1", "x.html", "--template"} << 2 << QString();
    }
    void textCommands()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, out);
        TestEnvironment env;
        AnalysisSession session;
        session.create(env, exampleWeek());
        session.file.close();
        const CliRun run = runCli(env, args);
        QTEST(run.status, "status");
        QVERIFY2(run.out.startsWith(out), qPrintable(run.out + run.err));
        if (args.first() != QLatin1String("stats"))
            QCOMPARE(run.out, out);
    }

    void fileCommandsWriteWhatTheWindowWrites()
    {
        TestEnvironment env;
        env.writeFile(QStringLiteral("page template.html"), "<p>\n$\n</p>");
        AnalysisSession session;
        session.create(env, exampleWeek());

        QCOMPARE(runCli(env, {"export-text", "2", "w.txt"}).status, 0);
        QCOMPARE(env.readFile(QStringLiteral("w.txt")), ReportText::encode(workoutText(exampleWeek().at(1), session.types)));

        QCOMPARE(runCli(env, {"export-stats", "weeks.txt"}).status, 0);
        QCOMPARE(env.readFile(QStringLiteral("weeks.txt")),
                 ReportText::encode(allWeekStatistics(session.file, session.lines, {session.cardio, session.types})));

        QCOMPARE(runCli(env, {"export-html", "1", "p.html", "--template", "page template.html"}).status, 0);
        QCOMPARE(env.readFile(QStringLiteral("p.html")),
                 "<p>\r\n" + ReportText::encode(htmlFragment(session.lines.at(0), exampleWeek().at(0), session.types))
                     + "</p>\r\n");

        // Without --template the configured one is used: none is shipped in this folder.
        const CliRun missing = runCli(env, {"export-html", "1", "q.html"});
        QCOMPARE(missing.status, 1);
        QVERIFY2(missing.err.contains(QStringLiteral("Cannot open the HTML template")), qPrintable(missing.err));
        QVERIFY(!QFile::exists(env.path(QStringLiteral("q.html"))));
    }
};

QTEST_GUILESS_MAIN(TestAnalysisCli)
#include "tst_analysiscli.moc"
