#include "TrainingFixture.h"

#include "common/Errors.h"
#include "common/ValueConversions.h"
#include "exercises/ExerciseAnalysis.h"
#include "exercises/OneRmGraph.h"
#include "support/TestEnvironment.h"

#include <QTest>

using namespace TrainingFixture;

namespace {
const QString Bench = QStringLiteral("Bench press");

bool isBlack(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y) == QColor(Qt::black);
}

// Black pixels in a column between two heights.
QList<int> blackRows(const QImage &image, int x, int fromY, int toY)
{
    QList<int> rows;
    for (int y = fromY; y <= toY; ++y)
        if (isBlack(image, x, y))
            rows << y;
    return rows;
}
}

class TestExerciseAnalysis : public QObject {
    Q_OBJECT

    TestEnvironment *env = nullptr;
    TrainingFile file;

private slots:
    void init()
    {
        env = new TestEnvironment;
        file.open(env->path(QStringLiteral("workouts.dat")));
    }
    void cleanup()
    {
        file.close();
        delete env;
    }

    void estimateOneRm_data()
    {
        QTest::addColumn<int>("reps");
        QTest::addColumn<float>("weight");
        QTest::addColumn<QString>("shown");
        QTest::newRow("25 reps: × 2.1") << 25 << 40.0f << QStringLiteral("84.00");
        QTest::newRow("20 reps: × 36/17") << 20 << 40.0f << QStringLiteral("84.71");
        QTest::newRow("21 reps: × 2.1") << 21 << 10.0f << QStringLiteral("21.00");
        QTest::newRow("1 rep: the weight") << 1 << 100.0f << QStringLiteral("100.00");
        QTest::newRow("0 reps: × 36/37") << 0 << 37.0f << QStringLiteral("36.00");
        QTest::newRow("8 reps") << 8 << 65.0f << QStringLiteral("80.69");
        QTest::newRow("bodyweight") << 10 << 0.0f << QStringLiteral("0.00");
    }
    void estimateOneRm()
    {
        QFETCH(int, reps);
        QFETCH(float, weight);
        QFETCH(QString, shown);
        QCOMPARE(FixedTwoDecimals(EstimateOneRm(quint8(reps), weight)), shown);
    }
    void estimateOneRmRoundsOnceToSingle()
    {
        QCOMPARE(EstimateOneRm(25, 40.0f), 84.0f);
        QCOMPARE(EstimateOneRm(20, 40.0f), float(40.0L * 36 / 17));
    }

    void exampleText()
    {
        append(file, QDate(2024, 3, 4), {row(Bench, 3, 10, 50), row(QStringLiteral("Squat"), 5, 5, 100), row(Bench, 3, 8, 60)});
        append(file, QDate(2024, 3, 6), {row(QStringLiteral("Squat"), 5, 5, 105)});
        append(file, QDate(2024, 3, 8), {row(Bench, 2, 8, 65)});
        const ExerciseAnalysis a = AnalyseExercise(file, Bench);
        QCOMPARE(a.text, QStringLiteral("Exercise was used on 2 workouts, 8 sets in total.\r\n"
                                        "Average # of reps per set is 8.75.\r\n"
                                        "Maximum used weight for # reps:\r\n"
                                        "\r\n"
                                        "     8 reps - 65.00 kg/lbs\r\n"
                                        "     10 reps - 50.00 kg/lbs\r\n"
                                        "\r\n"
                                        "Expected 1 RM = 80.69 kg/lbs"));
        QCOMPARE(a.firstDate, QStringLiteral("4.3.2024"));
        QCOMPARE(a.lastDate, QStringLiteral("8.3.2024"));
        // Best of each workout: 60 × 36/29 and 65 × 36/29.
        QCOMPARE(a.oneRmPoints, (QList<float>{EstimateOneRm(8, 60), EstimateOneRm(8, 65)}));
    }

    void decimalSeparatorOfTheRegion()
    {
        RegionalSettings comma;
        comma.decimalSeparator = QLatin1Char(',');
        pinRegionalSettings(comma);
        append(file, QDate(2024, 3, 4), {row(Bench, 3, 10, 50), row(Bench, 1, 5, 62.5f)});
        const QString text = AnalyseExercise(file, Bench).text;
        pinRegionalSettings();
        QVERIFY2(text.contains(QStringLiteral("per set is 8,75.")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("     5 reps - 62,50 kg/lbs")), qPrintable(text));
    }

    void bodyweightOnly()
    {
        append(file, QDate(2024, 3, 4), {row(QStringLiteral("Pull-up"), 3, 10, 0)});
        append(file, QDate(2024, 3, 5), {row(QStringLiteral("Pull-up"), 2, 12, 0), row(QStringLiteral("Pull-up"), 1, 10, 0)});
        const ExerciseAnalysis a = AnalyseExercise(file, QStringLiteral("pull-up"));
        QCOMPARE(a.text, QStringLiteral("Exercise was used on 2 workouts, 6 sets in total.\r\n"
                                        "Average # of reps per set is 10.67.\r\n"
                                        "Maximum used weight for # reps:\r\n"
                                        "\r\n"
                                        "     10 reps - BW\r\n"
                                        "     12 reps - BW\r\n"
                                        "\r\n"
                                        "1 RM cannot be determined as the exercise has always been executed with BW."));
        QVERIFY(a.oneRmPoints.isEmpty());
        QCOMPARE(a.lastDate, QStringLiteral("5.3.2024"));
    }

    void repsOutsideTheTableCountElsewhere()
    {
        append(file, QDate(2024, 3, 4), {row(Bench, 2, 0, 100), row(Bench, 1, 60, 50)});
        append(file, QDate(2024, 3, 5), {row(Bench, 1, 5, 80)});
        const ExerciseUsage u = CollectExerciseUsage(file, Bench);
        QCOMPARE(u.workouts, 2);
        QCOMPARE(u.sets, 4);
        QCOMPARE(u.reps, 65.0f);
        for (int r = 1; r <= ExerciseUsage::MaxReps; ++r)
            QCOMPARE(u.maxWeight[r - 1], r == 5 ? 80.0f : -1.0f);
        // 0 reps at 100 gives 100 × 36/37; 60 reps at 50 gives 105.
        QCOMPARE(u.oneRmPoints, (QList<float>{EstimateOneRm(60, 50), EstimateOneRm(5, 80)}));
        QCOMPARE(BestExpectedOneRm(u), EstimateOneRm(5, 80));
    }

    void nameMatching_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("matches");
        QTest::newRow("same") << Bench << Bench << true;
        QTest::newRow("other case") << QStringLiteral("BENCH PRESS") << QStringLiteral("bench Press") << true;
        QTest::newRow("letters of the code page") << QStringLiteral("ČUČANJ") << QStringLiteral("čučanj") << true;
        QTest::newRow("trailing blank") << QStringLiteral("Bench press ") << Bench << false;
        QTest::newRow("prefix") << QStringLiteral("Bench") << Bench << false;
    }
    void nameMatching()
    {
        QFETCH(QString, stored);
        QFETCH(QString, asked);
        QFETCH(bool, matches);
        append(file, QDate(2024, 3, 4), {row(stored, 1, 5, 50)});
        QCOMPARE(CollectExerciseUsage(file, asked).workouts, matches ? 1 : 0);
        QCOMPARE(ExerciseUsageRows(file, asked, 5).size(), matches ? 1 : 0);
    }

    void unusedExerciseCannotBeAnalysed()
    {
        append(file, QDate(2024, 3, 4), {row(Bench, 1, 5, 50)});
        QVERIFY_THROWS_EXCEPTION(FortavoError, AnalyseExercise(file, QStringLiteral("Squat")));
        file.TruncateTo(0);
        QVERIFY_THROWS_EXCEPTION(FortavoError, AnalyseExercise(file, Bench));
    }

    void pointsKeepTheMostRecent40()
    {
        appendRisingHistory(file, Bench, 45);
        const ExerciseAnalysis a = AnalyseExercise(file, Bench);
        QCOMPARE(a.oneRmPoints.size(), 40);
        QCOMPARE(a.oneRmPoints.first(), EstimateOneRm(8, risingWeight(5)));
        QCOMPARE(a.oneRmPoints.last(), EstimateOneRm(8, risingWeight(44)));
        // The graph's first date is that of its first point, workout 6.
        QCOMPARE(a.firstDate, QStringLiteral("11.3.2024"));
        QCOMPARE(a.lastDate, QStringLiteral("28.5.2024"));
        QVERIFY(a.text.startsWith(QStringLiteral("Exercise was used on 45 workouts, 135 sets in total.")));
    }

    void usageRows()
    {
        append(file, QDate(2024, 3, 4), {row(Bench, 3, 10, 82.567f), row(QStringLiteral("Squat"), 5, 5, 100)});
        append(file, QDate(2024, 3, 5), {row(QStringLiteral("Squat"), 5, 5, 105)});
        ExerciseEntry bw = row(QStringLiteral("bench PRESS"), 2, 12, 0);
        bw.ExecutionType = QStringLiteral("Drop set");
        append(file, QDate(2024, 3, 6), {row(Bench, 1, 3, 100), bw});

        const QList<QStringList> all = ExerciseUsageRows(file, Bench, 9999);
        QCOMPARE(all, (QList<QStringList>{
                          {"1.", "Bench press", "Working set", "1", "3", "100"},
                          {"2.", "bench PRESS", "Drop set", "2", "12", "BW"},
                          {"3.", "Bench press", "Working set", "3", "10", "82.56"},
                      }));
        // Only the last two records: the first one's row is left out.
        QCOMPARE(ExerciseUsageRows(file, Bench, 2), all.mid(0, 2));
        QCOMPARE(ExerciseUsageRows(file, Bench, 1), all.mid(0, 2));
    }

    void usageRowsOfALongHistory()
    {
        appendRisingHistory(file, Bench, 30);
        const QList<QStringList> rows = ExerciseUsageRows(file, Bench, 9999);
        QCOMPARE(rows.size(), 30);
        QCOMPARE(rows.first().at(5), NumberText(risingWeight(29)));
        QCOMPARE(rows.last(), (QStringList{"30.", "Bench press", "Working set", "3", "8", "60"}));
        QCOMPARE(ExerciseUsageRows(file, Bench, 5).size(), 5);
    }

    void pointHeights_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<float>("lowest");
        QTest::addColumn<float>("highest");
        QTest::addColumn<int>("y");
        QTest::newRow("lowest") << 80.0f << 80.0f << 110.0f << 140;
        QTest::newRow("middle") << 95.0f << 80.0f << 110.0f << 80;
        QTest::newRow("quarter") << 87.5f << 80.0f << 110.0f << 110;
        QTest::newRow("all equal") << 90.0f << 90.0f << 90.0f << 80;
    }
    void pointHeights()
    {
        QFETCH(float, value);
        QFETCH(float, lowest);
        QFETCH(float, highest);
        QFETCH(int, y);
        QCOMPARE(OneRmGraph::pointY(value, lowest, highest), y);
    }

    void graphOfARisingLine()
    {
        const QImage image = OneRmGraph::draw(QStringLiteral("1.3.2024"), QStringLiteral("5.3.2024"), {80, 95, 110});
        QCOMPARE(image.size(), QSize(465, 185));
        // Axes and the ticks under the first and last point.
        QVERIFY(isBlack(image, 30, 100));
        QVERIFY(isBlack(image, 200, 160));
        QVERIFY(isBlack(image, 35, 162));
        QVERIFY(isBlack(image, 55, 162));
        QVERIFY(!isBlack(image, 65, 162));
        // The line runs from (35,140) through (45,80) to (55,20).
        const QList<int> first = blackRows(image, 35, 15, 150);
        QVERIFY(first.contains(140));
        QVERIFY(first.last() == 140 && first.first() >= 80);
        QVERIFY(blackRows(image, 45, 15, 150).contains(80));
        QVERIFY(blackRows(image, 55, 15, 150).contains(20));
        QVERIFY(blackRows(image, 60, 15, 150).isEmpty());
    }

    void graphOfEqualPointsIsAFlatMiddleLine_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("one point") << 1;
        QTest::newRow("three equal points") << 3;
    }
    void graphOfEqualPointsIsAFlatMiddleLine()
    {
        QFETCH(int, count);
        const QImage image = OneRmGraph::draw(QStringLiteral("1.3.2024"), QStringLiteral("5.3.2024"),
                                              QList<float>(count, 84.0f));
        const int lastX = 35 + 10 * (count - 1);
        for (int x = 35; x <= lastX; ++x)
            QCOMPARE(blackRows(image, x, 15, 150), QList<int>{80});
        QVERIFY(blackRows(image, lastX + 5, 15, 150).isEmpty());
    }

    void graphWithoutPointsShowsTheAxes()
    {
        const QImage image = OneRmGraph::draw(QStringLiteral("1.3.2024"), QStringLiteral("5.3.2024"), {});
        QVERIFY(isBlack(image, 30, 100));
        QVERIFY(isBlack(image, 449, 160));
        for (int x = 36; x < 450; ++x)
            QVERIFY(blackRows(image, x, 15, 150).isEmpty());
    }

    void graphOfMoreThan40PointsEndsAtTheLastTick()
    {
        QList<float> points;
        for (int i = 0; i < 45; ++i)
            points << 50.0f + float(i);
        const QImage image = OneRmGraph::draw(QStringLiteral("1.3.2024"), QStringLiteral("5.3.2024"), points);
        QCOMPARE(blackRows(image, 35, 15, 150), QList<int>{140}); // point 6, now the lowest
        QVERIFY(blackRows(image, 425, 15, 150).contains(20));     // point 45, the highest
        QVERIFY(isBlack(image, 425, 162));
        QVERIFY(blackRows(image, 430, 15, 150).isEmpty());
    }

    void graphSurvivesDamagedValues()
    {
        const float inf = std::numeric_limits<float>::infinity();
        const QImage image = OneRmGraph::draw(QString(), QString(), {1e30f, inf, 5.0f, std::nanf("")});
        QCOMPARE(image.size(), QSize(465, 185));
    }
};

QTEST_MAIN(TestExerciseAnalysis)
#include "tst_exerciseanalysis.moc"
