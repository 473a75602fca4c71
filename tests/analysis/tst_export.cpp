#include "AnalysisFixture.h"

#include "analysis/AnalysisCommands.h"
#include "analysis/ReportText.h"
#include "analysis/WeekStatistics.h"
#include "analysis/WorkoutExport.h"
#include "common/Errors.h"

#include <QFile>
#include <QTest>

#include <limits>

namespace {
const QString Sep = WorkoutList::Separator;

// A Heavy chest workout with two cardio rows and a weighted and a bodyweight row.
WorkoutRecord fullWorkout()
{
    WorkoutRecord r = workout(QDate(2009, 3, 12), 1.30f, 2,
                              {cardio(QStringLiteral("Running"), 0.30f, 250, 5000, QTime(17, 5, 0)),
                               cardio(QStringLiteral("Cycling"), 0.05f, 40, 1200, QTime(18, 0, 30))},
                              {exercise(3, 10, 82.5f, QStringLiteral("Bench press"), QStringLiteral("Working set")),
                               exercise(2, 12, 0, QStringLiteral("Dips"), QStringLiteral("Superset"))});
    r.Comment = QStringLiteral("Good day, čvrsto");
    return r;
}

QByteArray fileContent(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
}

class TestExport : public QObject {
    Q_OBJECT

private slots:
    void workoutTextFile()
    {
        TestEnvironment env;
        AnalysisSession session;
        session.create(env, {workout(QDate(2009, 3, 11)), fullWorkout()});
        // The shown workout is exported, whatever line is selected.
        session.show(1);
        session.selected = 0;
        session.testPrompts.fileAnswers << env.path(QStringLiteral("out.txt"));
        ExportWorkoutText(session);

        QCOMPARE(session.testPrompts.take(),
                 (QList<TestPrompts::Shown>{{QStringLiteral("save"), QStringLiteral("Export to a text file")}}));
        const UserPrompts::FileDialog &dialog = session.testPrompts.fileDialogs.first();
        QCOMPARE(dialog.filter, QStringLiteral("Text files (*.txt)|*.txt"));
        QCOMPARE(dialog.defaultExtension, QStringLiteral("txt"));
        QVERIFY(dialog.askBeforeOverwrite);

        // Windows-1250: "×" is 0xD7, "č" is 0xE8.
        const QByteArray expected = "Workout\r\n"
                                    "\r\n"
                                    " \tDate: 12.3.2009\r\n"
                                    " \tStart time: 18:30:00\r\n"
                                    " \tDuration: 1.3 min\r\n"
                                    " \tBodypart trained: Chest\r\n"
                                    " \tType of traning: Heavy\r\n"
                                    " \tComment: Good day, \xe8vrsto\r\n"
                                    "\r\n"
                                    " \tCardio:\r\n"
                                    " \t \tRunning 17:05:00 0.3 min 5000 250\r\n"
                                    " \t \tCycling 18:00:30 0.05 min 1200 40\r\n"
                                    "\r\n"
                                    " \tExercises:\r\n"
                                    " \t \tWorking set: Bench press, 3\xd7" "10, 82.50 kg/lbs\r\n"
                                    " \t \tSuperset: Dips, 2\xd7" "12, 0.00 kg/lbs\r\n";
        QCOMPARE(env.readFile(QStringLiteral("out.txt")), expected);
    }

    void workoutTextWithoutRows()
    {
        const QString text = workoutText(workout(QDate(2009, 3, 2), 1.0f, 0), {});
        QVERIFY(text.endsWith(QStringLiteral(" \tType of traning: \r\n \tComment: \r\n\r\n"
                                             " \tCardio:\r\n\r\n \tExercises:\r\n")));
    }

    void startTimeJustBeforeMidnight()
    {
        // A fraction that rounds to the next day's midnight is still the last second of this one.
        WorkoutRecord r = workout(QDate(2009, 3, 2), 1.0f, 2, {cardio(QStringLiteral("Running"), 0.3f, 100)});
        r.StartTime = 0.99999999999;
        r.Cardio[0].StartTime = 39874.99999999999;
        const QString text = workoutText(r, {});
        QVERIFY2(text.contains(QStringLiteral(" \tStart time: 23:59:59\r\n")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral(" \t \tRunning 23:59:59 0.3 min")), qPrintable(text));
        QVERIFY(htmlFragment(QStringLiteral("h"), r, {}).contains(QStringLiteral("<li>Start time: 23:59:59</li>")));
    }

    void everyTwoDecimalValueIsExportedAsStored_data()
    {
        QTest::addColumn<bool>("html");
        QTest::newRow("text file") << false;
        QTest::newRow("HTML") << true;
    }
    void everyTwoDecimalValueIsExportedAsStored()
    {
        // Every hundredth from 0.00 to 99.99, stored as a single, as a cardio duration
        // and as a weight: the export shows the text the user typed.
        QFETCH(bool, html);
        for (int hundredths = 0; hundredths < 10000; ++hundredths) {
            const QString typed = QStringLiteral("%1.%2").arg(hundredths / 100).arg(hundredths % 100, 2, 10, QLatin1Char('0'));
            QString shortest = typed;
            while (shortest.endsWith(QLatin1Char('0')))
                shortest.chop(1);
            if (shortest.endsWith(QLatin1Char('.')))
                shortest.chop(1);
            const float stored = typed.toFloat();
            const WorkoutRecord r = workout(QDate(2009, 3, 2), 1.0f, 2, {cardio(QStringLiteral("Running"), stored, 1)},
                                            {exercise(3, 10, stored)});
            const QString duration = shortest + QStringLiteral(" min");
            const QString weight = typed + QStringLiteral(" kg/lbs");
            const QString text = html ? htmlFragment(QStringLiteral("h"), r, {}) : workoutText(r, {});
            const QString cardioCell = html ? QStringLiteral("<td>") + duration + QStringLiteral("</td>")
                                            : QStringLiteral(" 07:00:00 ") + duration + QStringLiteral(" 0 1\r\n");
            const QString weightCell = html ? QStringLiteral("<td>") + weight + QStringLiteral("</td>")
                                            : QStringLiteral(", ") + weight + QStringLiteral("\r\n");
            QVERIFY2(text.contains(cardioCell), qPrintable(typed + QStringLiteral(": ") + text));
            QVERIFY2(text.contains(weightCell), qPrintable(typed + QStringLiteral(": ") + text));
        }
    }

    void storedValuesNotFiniteAreSpelledAlike_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("spelled");
        QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << "NAN";
        QTest::newRow("infinite") << std::numeric_limits<float>::infinity() << "INF";
        QTest::newRow("negative infinite") << -std::numeric_limits<float>::infinity() << "-INF";
    }
    void storedValuesNotFiniteAreSpelledAlike()
    {
        // A damaged record's duration, cardio duration and weight read the same in both exports.
        QFETCH(float, value);
        QFETCH(QString, spelled);
        const WorkoutRecord r = workout(QDate(2009, 3, 2), value, 2, {cardio(QStringLiteral("Running"), value, 1)},
                                        {exercise(3, 10, value)});
        const QString text = workoutText(r, {});
        QVERIFY2(text.contains(QStringLiteral(" \tDuration: ") + spelled + QStringLiteral(" min\r\n")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral(" 07:00:00 ") + spelled + QStringLiteral(" min ")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral(", ") + spelled + QStringLiteral(" kg/lbs\r\n")), qPrintable(text));
        const QString fragment = htmlFragment(QStringLiteral("h"), r, {});
        QVERIFY2(fragment.contains(QStringLiteral("<li>Duration: ") + spelled + QStringLiteral(" min</li>")), qPrintable(fragment));
        QVERIFY2(fragment.contains(QStringLiteral("<td>") + spelled + QStringLiteral(" min</td>")), qPrintable(fragment));
        QVERIFY2(fragment.contains(QStringLiteral("<td>") + spelled + QStringLiteral(" kg/lbs</td>")), qPrintable(fragment));
    }

    void exportNeedsSelectionAndSavedWorkout_data()
    {
        QTest::addColumn<bool>("html");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("message");
        for (const bool html : {false, true}) {
            const char *kind = html ? "html: " : "text: ";
            QTest::addRow("%sno selection", kind) << html << -1 << 0 << AnalysisTexts::NoSelection;
            QTest::addRow("%snew workout in the form", kind) << html << 0 << 1 << AnalysisTexts::NotSaved;
        }
    }
    void exportNeedsSelectionAndSavedWorkout()
    {
        QFETCH(bool, html);
        QFETCH(int, selected);
        QFETCH(int, current);
        QFETCH(QString, message);
        TestEnvironment env;
        env.writeFile(QStringLiteral("template.html"), "$\n");
        AnalysisSession session;
        session.create(env, {fullWorkout()});
        session.selected = selected;
        session.current = current;
        html ? ExportHtml(session) : ExportWorkoutText(session);
        // No dialog was asked for (an unexpected one fails the test) and nothing was written.
        QCOMPARE(session.testPrompts.take(), (QList<TestPrompts::Shown>{{QStringLiteral("error"), message}}));
        QVERIFY(session.testPrompts.fileDialogs.isEmpty());
    }

    void cancelledDialogWritesNothing()
    {
        TestEnvironment env;
        AnalysisSession session;
        session.create(env, {fullWorkout()});
        session.show(0);
        session.testPrompts.fileAnswers << QString() << QString() << QString();
        ExportWorkoutText(session);
        ExportAllWeekAnalyses(session);
        ExportHtml(session);
        QCOMPARE(session.testPrompts.texts(QStringLiteral("save")),
                 (QStringList{"Export to a text file", "Export week statictics", "Export to HTML"}));
        QCOMPARE(QDir(env.folder()).entryList(QDir::Files), QStringList{"workouts.dat"});
    }

    void statisticsOfThreeWeeks()
    {
        TestEnvironment env;
        AnalysisSession session;
        // Mon, Wed | Tue | Mon, Sun: three weeks.
        session.create(env, {workout(QDate(2009, 3, 2), 1.0f, 1, {}, {exercise(3, 10, 80)}),
                             workout(QDate(2009, 3, 4), 1.1f, 2, {cardio(QStringLiteral("Swimming"), 0.4f, 300)}),
                             workout(QDate(2009, 3, 10), 0.5f, 3, {}, {exercise(2, 10, 0)}),
                             workout(QDate(2009, 3, 16), 1.2f, 2),
                             workout(QDate(2009, 3, 22), 1.3f, 2, {}, {exercise(5, 5, 100)})});
        QCOMPARE(session.lines, (QStringList{"2.3.2009 - Chest (Light)", "4.3.2009 - Chest (Heavy)", Sep,
                                             "10.3.2009 - Chest (Volume)", Sep, "16.3.2009 - Chest (Heavy)",
                                             "22.3.2009 - Chest (Heavy)"}));
        session.selected = 3;
        session.testPrompts.fileAnswers << env.path(QStringLiteral("weeks.txt"));
        ExportAllWeekAnalyses(session);

        const AnalysisTypeLists lists{session.cardio, session.types};
        QString expected;
        for (int firstLine : {0, 3, 5})
            expected += WeekStatistics(session.file, session.lines, firstLine, lists) + QStringLiteral("\r\n\r\n");
        const QByteArray content = env.readFile(QStringLiteral("weeks.txt"));
        QCOMPARE(content, ReportText::encode(expected));
        QCOMPARE(content.count("Week analysis: "), 3);
        QVERIFY(content.startsWith("Week analysis: 2.3.2009 - 4.3.2009:\r\n"));
        QVERIFY(content.contains("\tHeavy: 1x\r\n\r\n\r\nWeek analysis: 10.3.2009 - 10.3.2009:\r\n"));
        QVERIFY(content.endsWith("Types of traning:\r\n\tHeavy: 2x\r\n\r\n\r\n"));
        QCOMPARE(session.selected, 3);
        QCOMPARE(session.progressLabels.size(), 1);
        QCOMPARE(session.progressCalls.last(), (QPair<qint64, qint64>(5, 5)));
    }

    void statisticsOfEmptyFileIsEmpty()
    {
        TestEnvironment env;
        env.writeFile(QStringLiteral("weeks.txt"), "old content");
        AnalysisSession session;
        session.create(env, {});
        session.testPrompts.fileAnswers << env.path(QStringLiteral("weeks.txt"));
        ExportAllWeekAnalyses(session);
        QVERIFY(QFile::exists(env.path(QStringLiteral("weeks.txt"))));
        QCOMPARE(env.readFile(QStringLiteral("weeks.txt")), QByteArray());
    }

    void htmlFragmentOfAWorkout()
    {
        WorkoutRecord r = fullWorkout();
        r.Exercises[1].Name = QStringLiteral("<i>Dips</i> & rings");
        const QString fragment = htmlFragment(QStringLiteral("12.3.2009 - Chest (Heavy)"), r, {"", "Light", "Heavy"});
        QCOMPARE(fragment,
                 QStringLiteral(
                     "<center><h3>12.3.2009 - Chest (Heavy)</h3></center><br/><br/>\r\n"
                     "<b><u>Workout info:</u></b><br/><ul>\r\n"
                     "<li>Date: 12.3.2009</li>\r\n"
                     "<li>Start time: 18:30:00</li>\r\n"
                     "<li>Duration: 1.3 min</li>\r\n"
                     "<li>Bodypart trained: Chest</li>\r\n"
                     "<li>Type of traning: Heavy</li>\r\n"
                     "<li>Comment: Good day, čvrsto</li>\r\n"
                     "</ul><br/>\r\n"
                     "<b><u>Cardio:</u></b><br/>\r\n"
                     "<table border=\"3\"><tr align=\"center\"><td><b>#</b></td><td><b>Type</b></td><td><b>Start time</b></td><td><b>Duration</b></td><td><b>Distance</b></td><td><b>Calories burned</b></td></tr>\r\n"
                     "<tr><td>1.</td><td>Running</td><td>17:05:00</td><td>0.3 min</td><td>5000</td><td>250</td></tr>\r\n"
                     "<tr><td>2.</td><td>Cycling</td><td>18:00:30</td><td>0.05 min</td><td>1200</td><td>40</td></tr>\r\n"
                     "</table><br/><br/>\r\n"
                     "<b><u>Exercises:</u></b><br/>\r\n"
                     "<table border=\"3\"><tr align=\"center\"><td><b>#</b></td><td><b>Name</b></td><td><b>Execution</b></td><td><b>Sets</b></td><td><b>Reps</b></td><td><b>Weight</b></td></tr>\r\n"
                     "<tr><td>1.</td><td>Bench press</td><td>Working set</td><td>3</td><td>10</td><td>82.50 kg/lbs</td></tr>\r\n"
                     "<tr><td>2.</td><td><i>Dips</i> & rings</td><td>Superset</td><td>2</td><td>12</td><td>0.00 kg/lbs</td></tr>\r\n"
                     "</table><br/><br/>\r\n"));

        const QString bare = htmlFragment(QStringLiteral("x"), workout(QDate(2009, 3, 2)), {});
        QVERIFY(bare.contains(QStringLiteral("<td><b>Calories burned</b></td></tr>\r\n</table><br/><br/>\r\n")));
        QVERIFY(bare.endsWith(QStringLiteral("<td><b>Weight</b></td></tr>\r\n</table><br/><br/>\r\n")));
    }

    void templateHeadAndTail_data()
    {
        QTest::addColumn<QByteArray>("templ");
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("marker first") << QByteArray("$\r\n") << QByteArray() << QByteArray();
        QTest::newRow("last line without break")
            << QByteArray("<html>\r\n<body>\r\nworkout: $ here\r\n</body>\r\n</html>") << QByteArray("<html>\r\n<body>\r\n")
            << QByteArray("</body>\r\n</html>\r\n");
        QTest::newRow("LF and CR breaks, empty lines kept")
            << QByteArray("a\n\nb\r$\n\nc\n") << QByteArray("a\r\n\r\nb\r\n") << QByteArray("\r\nc\r\n");
        QTest::newRow("only the first marker") << QByteArray("a\n$1\nb\n$2") << QByteArray("a\r\n")
                                               << QByteArray("b\r\n$2\r\n");
        QTest::newRow("bytes copied as they are") << QByteArray("\x81\xe8\n$") << QByteArray("\x81\xe8\r\n")
                                                  << QByteArray();
    }
    void templateHeadAndTail()
    {
        QFETCH(QByteArray, templ);
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, tail);
        const WorkoutRecord r = fullWorkout();
        const QByteArray page = htmlPage(templ, QStringLiteral("t.html"), QStringLiteral("heading"), r, {});
        QCOMPARE(page, head + ReportText::encode(htmlFragment(QStringLiteral("heading"), r, {})) + tail);
    }

    void htmlExportThroughTheConfiguredTemplate()
    {
        TestEnvironment env;
        env.writeFile(QStringLiteral("my template.html"), "<html>\n$\n</html>\n");
        AnalysisSession session;
        session.templateFile = QStringLiteral("my template.html");
        session.create(env, {workout(QDate(2009, 3, 11)), fullWorkout()});
        session.show(1);
        session.selected = 0; // the heading is the selected line's text
        session.testPrompts.fileAnswers << env.path(QStringLiteral("page.html"));
        ExportHtml(session);
        const UserPrompts::FileDialog &dialog = session.testPrompts.fileDialogs.first();
        QCOMPARE(dialog.title, QStringLiteral("Export to HTML"));
        QCOMPARE(dialog.filter, QStringLiteral("HTML files (*.html)|*.html"));
        QCOMPARE(dialog.defaultExtension, QStringLiteral("html"));
        QCOMPARE(env.readFile(QStringLiteral("page.html")),
                 "<html>\r\n" + ReportText::encode(htmlFragment(session.lines.at(0), fullWorkout(), session.types))
                     + "</html>\r\n");
    }

    void htmlExportFailuresLeaveTheTargetAlone_data()
    {
        QTest::addColumn<QByteArray>("templ"); // null: no template file
        QTest::addColumn<QString>("message");
        QTest::newRow("no marker line") << QByteArray("<html>\n<body></body>\n</html>\n")
                                        << QStringLiteral("has no marker line");
        QTest::newRow("empty template") << QByteArray("") << QStringLiteral("has no marker line");
        QTest::newRow("missing template") << QByteArray() << QStringLiteral("Cannot open the HTML template");
    }
    void htmlExportFailuresLeaveTheTargetAlone()
    {
        QFETCH(QByteArray, templ);
        QFETCH(QString, message);
        TestEnvironment env;
        if (!templ.isNull())
            env.writeFile(QStringLiteral("template.html"), templ);
        env.writeFile(QStringLiteral("page.html"), "earlier page");
        AnalysisSession session;
        session.create(env, {fullWorkout()});
        session.show(0);
        session.testPrompts.fileAnswers << env.path(QStringLiteral("page.html"));
        try {
            ExportHtml(session);
            QFAIL("the export did not fail");
        } catch (const FortavoError &e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
            QVERIFY(e.message().contains(env.path(QStringLiteral("template.html"))));
        }
        QCOMPARE(env.readFile(QStringLiteral("page.html")), QByteArray("earlier page"));
    }

    void unwritableTargetRaisesAndLeavesNoFile()
    {
        TestEnvironment env;
        AnalysisSession session;
        session.create(env, {fullWorkout()});
        session.show(0);
        const QString target = env.path(QStringLiteral("no such folder/out.txt"));
        session.testPrompts.fileAnswers << target;
        QVERIFY_THROWS_EXCEPTION(IoError, ExportWorkoutText(session));
        QVERIFY(!QFile::exists(target));
    }

    void shippedTemplateFramesTheFragment()
    {
        const QByteArray templ = fileContent(QStringLiteral(FORTAVO_RESOURCES "/template.html"));
        const QList<QByteArray> lines = templateLines(templ);
        QCOMPARE(std::count_if(lines.begin(), lines.end(), [](const QByteArray &l) { return l.contains('$'); }), 1);
        const QByteArray page = htmlPage(templ, QStringLiteral("template.html"), QStringLiteral("h"), fullWorkout(), {});
        QVERIFY(page.startsWith("<!DOCTYPE html>\r\n"));
        QVERIFY(page.contains("charset=\"windows-1250\""));
        QVERIFY(page.contains("</style>"));
        QVERIFY(page.endsWith("</body>\r\n</html>\r\n"));
        QVERIFY(page.contains("<center><h3>h</h3>"));
    }
};

QTEST_GUILESS_MAIN(TestExport)
#include "tst_export.moc"
