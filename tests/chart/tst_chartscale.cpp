#include "chart/ChartScale.h"
#include "common/DayCount.h"
#include "support/TestEnvironment.h"

#include <QTest>

using Ticks = QList<double>;

namespace {
int day(int y, int m, int d)
{
    return int(DayCount::fromDate(QDate(y, m, d)));
}
}

class TestChartScale : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { pinRegionalSettings(); }

    void valueTicks_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<Ticks>("ticks");
        QTest::newRow("0-97") << 0.0 << 97.0 << Ticks{0, 20, 40, 60, 80, 100};
        QTest::newRow("far above zero") << 80.0 << 123.0 << Ticks{80, 90, 100, 110, 120, 130};
        QTest::newRow("near zero starts at 0") << 1200.0 << 3660.0 << Ticks{0, 1000, 2000, 3000, 4000};
        QTest::newRow("fractions") << 0.5 << 0.9 << Ticks{0.5, 0.6, 0.7, 0.8, 0.9};
        QTest::newRow("negative") << -30.0 << 45.0 << Ticks{-40, -20, 0, 20, 40, 60};
        QTest::newRow("one value") << 112.5 << 112.5 << Ticks{0, 50, 100, 150};
        QTest::newRow("nothing") << 0.0 << 0.0 << Ticks{0, 0.2, 0.4, 0.6, 0.8, 1};
    }
    void valueTicks()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(Ticks, ticks);
        const ChartScale::ValueAxis axis = ChartScale::valueAxis(low, high);
        QCOMPARE(axis.ticks.size(), ticks.size());
        for (qsizetype i = 0; i < ticks.size(); ++i)
            QVERIFY2(qAbs(axis.ticks.at(i) - ticks.at(i)) < 1e-9, qPrintable(QString::number(axis.ticks.at(i))));
        QCOMPARE(axis.min, ticks.first());
        QCOMPARE(axis.max, ticks.last());
    }

    void tickTexts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("step");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 2000.0 << 1000.0 << "2000";
        QTest::newRow("tenths") << 0.6000000000000001 << 0.2 << "0,6";
        QTest::newRow("hundredths") << 0.05 << 0.05 << "0,05";
        QTest::newRow("no minus zero") << -1e-17 << 0.1 << "0,0";
    }
    void tickTexts()
    {
        QFETCH(double, value);
        QFETCH(double, step);
        RegionalSettings comma;
        comma.decimalSeparator = QLatin1Char(',');
        RegionalSettings::setCurrent(comma);
        const QString text = ChartScale::tickText(value, step);
        RegionalSettings::setCurrent(RegionalSettings());
        QTEST(text, "text");
    }

    void dateTicks_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QList<int>>("days");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("3 months: months") << day(2024, 1, 10) << day(2024, 4, 10)
                                          << QList<int>{day(2024, 2, 1), day(2024, 3, 1), day(2024, 4, 1)}
                                          << QStringList{"Feb 2024", "Mar 2024", "Apr 2024"};
        QTest::newRow("5 weeks: Mondays")
            << day(2024, 3, 1) << day(2024, 4, 5)
            << QList<int>{day(2024, 3, 4), day(2024, 3, 11), day(2024, 3, 18), day(2024, 3, 25), day(2024, 4, 1)}
            << QStringList{"4.3.2024", "11.3.2024", "18.3.2024", "25.3.2024", "1.4.2024"};
        QTest::newRow("7 years: years") << day(2019, 3, 15) << day(2026, 6, 1)
                                        << QList<int>{day(2020, 1, 1), day(2021, 1, 1), day(2022, 1, 1), day(2023, 1, 1),
                                                      day(2024, 1, 1), day(2025, 1, 1), day(2026, 1, 1)}
                                        << QStringList{"2020", "2021", "2022", "2023", "2024", "2025", "2026"};
        QTest::newRow("20 years: every 5") << day(2001, 6, 1) << day(2021, 6, 1)
                                           << QList<int>{day(2005, 1, 1), day(2010, 1, 1), day(2015, 1, 1),
                                                         day(2020, 1, 1)}
                                           << QStringList{"2005", "2010", "2015", "2020"};
        QTest::newRow("one day: a week around it")
            << day(2024, 3, 6) << day(2024, 3, 6)
            << QList<int>{day(2024, 3, 3), day(2024, 3, 4), day(2024, 3, 5), day(2024, 3, 6), day(2024, 3, 7),
                          day(2024, 3, 8), day(2024, 3, 9)}
            << QStringList{"3.3.2024", "4.3.2024", "5.3.2024", "6.3.2024", "7.3.2024", "8.3.2024", "9.3.2024"};
    }
    void dateTicks()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        const ChartScale::DateAxis axis = ChartScale::dateAxis(first, last);
        QList<int> days;
        QStringList labels;
        for (const ChartScale::DateTick &t : axis.ticks) {
            days << t.day;
            labels << t.label;
        }
        QTEST(days, "days");
        QTEST(labels, "labels");
        QVERIFY(axis.firstDay <= first && axis.lastDay >= last);
    }
};

QTEST_GUILESS_MAIN(TestChartScale)
#include "tst_chartscale.moc"
