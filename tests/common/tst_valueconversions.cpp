#include "common/CodePage.h"
#include "common/DayCount.h"
#include "common/Errors.h"
#include "common/ValueConversions.h"
#include "support/TestEnvironment.h"

#include <QTest>

class TestValueConversions : public QObject {
    Q_OBJECT
private slots:
    void init() { pinRegionalSettings(); }

    void numberText_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("text");
        QTest::newRow("half") << 82.5f << "." << "82.5";
        QTest::newRow("whole") << 100.0f << "." << "100";
        QTest::newRow("shortest of a single") << 0.3f << "." << "0.3";
        QTest::newRow("82.3") << 82.3f << "." << "82.3";
        QTest::newRow("zero") << 0.0f << "." << "0";
        QTest::newRow("negative") << -1.25f << "." << "-1.25";
        QTest::newRow("large goes scientific") << 1e20f << "." << "1E20";
        QTest::newRow("small goes scientific") << 1.5e-7f << "." << "1.5E-7";
        QTest::newRow("smallest fixed") << 0.0001f << "." << "0.0001";
        QTest::newRow("comma separator") << 82.5f << "," << "82,5";
        QTest::newRow("comma in scientific") << 1.5e-7f << "," << "1,5E-7";
        QTest::newRow("large whole stays fixed") << 123456.0f << "." << "123456";
    }
    void numberText()
    {
        QFETCH(float, value);
        QFETCH(QString, separator);
        QFETCH(QString, text);
        RegionalSettings regional;
        regional.decimalSeparator = separator.at(0);
        pinRegionalSettings(regional);
        QCOMPARE(NumberText(value), text);
    }

    void truncateToDecimals_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<float>("expected");
        QTest::newRow("cuts down") << 2.999f << 2.99f;
        QTest::newRow("toward zero") << -1.238f << -1.23f;
        QTest::newRow("kept") << 82.5f << 82.5f;
        QTest::newRow("single 1.30") << 1.3f << 1.3f;
    }
    void truncateToDecimals()
    {
        QFETCH(float, value);
        QFETCH(float, expected);
        QCOMPARE(TruncateToDecimals(2, value), expected);
    }

    void durationMask_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("shownAgain");
        QTest::newRow("hour thirty") << "01:30" << 1.30f << "01:30";
        QTest::newRow("five minutes") << "00:05" << 0.05f << "00:05";
        QTest::newRow("twelve forty-five") << "12:45" << 12.45f << "12:45";
        QTest::newRow("blanks count as zeros") << "1 :3 " << 10.30f << "10:30";
        QTest::newRow("all blank") << "  :  " << 0.0f << "00:00";
    }
    void durationMask()
    {
        QFETCH(QString, mask);
        QFETCH(float, value);
        QFETCH(QString, shownAgain);
        QCOMPARE(DurationFromMaskText(mask), value);
        QCOMPARE(DurationToMaskText(DurationFromMaskText(mask)), shownAgain);
    }

    void weightMask_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<float>("value");
        QTest::newRow("82.5") << "0082.50" << 82.5f;
        QTest::newRow("100") << "0100.00" << 100.0f;
        QTest::newRow("bodyweight") << "0000.00" << 0.0f;
        QTest::newRow("digits at the end of the whole part") << "  82.3 " << 82.3f;
        QTest::newRow("digits at the start") << "82  .  " << 8200.0f;
    }
    void weightMask()
    {
        QFETCH(QString, mask);
        QFETCH(float, value);
        QCOMPARE(WeightFromMaskText(mask), value);
    }

    void parseNumber_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        QTest::newRow("point") << "." << "82.5" << true << 82.5;
        QTest::newRow("comma") << "," << "82,5" << true << 82.5;
        QTest::newRow("point under comma") << "," << "82.5" << false << 0.0;
        QTest::newRow("exponent") << "." << "1E20" << true << 1e20;
        QTest::newRow("blanks around") << "." << " 3 " << true << 3.0;
        QTest::newRow("empty") << "." << "" << false << 0.0;
        QTest::newRow("word") << "." << "abc" << false << 0.0;
        QTest::newRow("no inf words") << "." << "inf" << false << 0.0;
    }
    void parseNumber()
    {
        QFETCH(QString, separator);
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        RegionalSettings regional;
        regional.decimalSeparator = separator.at(0);
        pinRegionalSettings(regional);
        if (valid) {
            QCOMPARE(ParseNumber(text), value);
            return;
        }
        try {
            ParseNumber(text);
            QFAIL("no conversion error");
        } catch (const ConversionError &e) {
            QVERIFY2(e.message().contains(QLatin1Char('\'') + text + QLatin1Char('\'')), qPrintable(e.message()));
        }
    }

    void fixedTwoDecimals_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << 82.5 << "82.50";
        QTest::newRow("tie rounds up") << 0.125 << "0.13";
        QTest::newRow("negative tie rounds away") << -2.375 << "-2.38";
        QTest::newRow("near a tie, below") << 1.005 << "1.00"; // 1.00499999...
        QTest::newRow("large") << 3200.0 << "3200.00";
    }
    void fixedTwoDecimals()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(FixedTwoDecimals(value), text);
    }

    void dayCounts()
    {
        QCOMPARE(DayCount::toDate(0.0), QDate(1899, 12, 30));
        QCOMPARE(DayCount::fromDate(QDate(2009, 3, 12)), 39884.0);
        QCOMPARE(DayCount::toDate(39884.75), QDate(2009, 3, 12));
        QCOMPARE(DayCount::toTime(39884.75), QTime(18, 0));
        QCOMPARE(DayCount::toTime(DayCount::fromTime(QTime(7, 45, 30))), QTime(7, 45, 30));
    }

    void codePage()
    {
        // Croatian letters map to single bytes; a character outside the code page becomes "?".
        QCOMPARE(CodePage::encode(QString::fromUtf8("čćžšđ"), 255), QByteArray("\xe8\xe6\x9e\x9a\xf0"));
        QCOMPARE(CodePage::encode(QString::fromUtf8("a漢b😀c"), 255), QByteArray("a?b?c"));
        QCOMPARE(CodePage::encode(QStringLiteral("abcdef"), 4), QByteArray("abcd"));
        QCOMPARE(CodePage::decode("\xe8\x8a", 2), QString::fromUtf8("čŠ"));
    }
};

QTEST_GUILESS_MAIN(TestValueConversions)
#include "tst_valueconversions.moc"
