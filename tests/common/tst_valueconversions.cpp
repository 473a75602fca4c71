#include "common/CodePage.h"
#include "common/DayCount.h"
#include "common/Errors.h"
#include "common/ValueConversions.h"
#include "support/TestEnvironment.h"

#include <QTest>

#include <bit>
#include <limits>

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
        QTest::addColumn<int>("decimals");
        QTest::addColumn<float>("value");
        QTest::addColumn<float>("expected");
        QTest::newRow("cuts down") << 2 << 2.999f << 2.99f;
        QTest::newRow("toward zero") << 2 << -1.238f << -1.23f;
        QTest::newRow("kept") << 2 << 82.5f << 82.5f;
        QTest::newRow("single 1.30") << 2 << 1.3f << 1.3f;
        // Singles that lie just below their two-decimal text stay that text.
        QTest::newRow("1.05 stored as 1.0499999") << 2 << 1.05f << 1.05f;
        QTest::newRow("0.53") << 2 << 0.53f << 0.53f;
        QTest::newRow("2.35") << 2 << 2.35f << 2.35f;
        QTest::newRow("16.30") << 2 << 16.3f << 16.3f;
        QTest::newRow("32.10") << 2 << 32.1f << 32.1f;
        QTest::newRow("negative 1.05") << 2 << -1.05f << -1.05f;
        QTest::newRow("three digits cut") << 2 << 2.567f << 2.56f;
        QTest::newRow("no decimals") << 0 << 2.567f << 2.0f;
        QTest::newRow("one decimal of 0.29") << 1 << 0.29f << 0.2f;
        QTest::newRow("tens") << -1 << 1234.5f << 1230.0f;
        QTest::newRow("everything cut") << 2 << 0.004f << 0.0f;
        QTest::newRow("more decimals than the single has") << 10 << 0.3f << 0.3f;
        QTest::newRow("large value kept") << 2 << 1e20f << 1e20f;
    }
    void truncateToDecimals()
    {
        QFETCH(int, decimals);
        QFETCH(float, value);
        QFETCH(float, expected);
        QCOMPARE(std::bit_cast<quint32>(TruncateToDecimals(decimals, value)), std::bit_cast<quint32>(expected));
    }

    void twoDecimalValuesShowAndReadBack()
    {
        // Every hundredth from 0.00 to 99.99 stored as a single shows as its own
        // two-decimal text, in the grids and the duration field, and reads back to
        // the same single.
        for (int hundredths = 0; hundredths < 10000; ++hundredths) {
            const QString typed = QStringLiteral("%1.%2").arg(hundredths / 100).arg(hundredths % 100, 2, 10, QLatin1Char('0'));
            const float stored = typed.toFloat();
            QString shortest = typed;
            while (shortest.endsWith(QLatin1Char('0')))
                shortest.chop(1);
            if (shortest.endsWith(QLatin1Char('.')))
                shortest.chop(1);
            const QString shown = NumberText(TruncateToDecimals(2, stored));
            QVERIFY2(shown == shortest, qPrintable(typed + QStringLiteral(" shows as ") + shown));
            QCOMPARE(std::bit_cast<quint32>(float(ParseNumber(shown))), std::bit_cast<quint32>(stored));
            const QString mask = DurationToMaskText(stored);
            QCOMPARE(mask, typed.rightJustified(5, QLatin1Char('0')).replace(QLatin1Char('.'), QLatin1Char(':')));
            QVERIFY2(DurationFromMaskText(mask) == stored, qPrintable(typed + QStringLiteral(" reads back from ") + mask));
            QCOMPARE(FixedTwoDecimals(stored), typed);
        }
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

    void fixedTwoDecimalsWithADecimalComma_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("thousands") << 1234.5 << "1234,50";
        QTest::newRow("zero") << 0.0 << "0,00";
        QTest::newRow("tie rounds up") << 0.125 << "0,13";
        QTest::newRow("negative") << -2.375 << "-2,38";
        QTest::newRow("whole") << 3200.0 << "3200,00";
    }
    void fixedTwoDecimalsWithADecimalComma()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        RegionalSettings regional;
        regional.decimalSeparator = QLatin1Char(',');
        pinRegionalSettings(regional);
        QCOMPARE(FixedTwoDecimals(value), text);
    }

    void nonFiniteValuesAreSpelledAlike_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << "NAN";
        QTest::newRow("negative not a number") << -std::numeric_limits<float>::quiet_NaN() << "NAN";
        QTest::newRow("infinite") << std::numeric_limits<float>::infinity() << "INF";
        QTest::newRow("negative infinite") << -std::numeric_limits<float>::infinity() << "-INF";
    }
    void nonFiniteValuesAreSpelledAlike()
    {
        // A damaged file may hold such singles; every number text shows them the same way.
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(NumberText(value), text);
        QCOMPARE(FixedTwoDecimals(value), text);
        QCOMPARE(NumberText(TruncateToDecimals(2, value)), text);
        QCOMPARE(DurationToMaskText(value), text);
    }

    void durationOfADamagedRecordShows_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("more than 99 hours") << 123.45f << "123:45";
        QTest::newRow("beyond a whole number") << 1e20f << "100000002004087734272:00";
    }
    void durationOfADamagedRecordShows()
    {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(DurationToMaskText(value), text);
    }

    void wholeNumbersOf32Bits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("largest") << "2147483647" << true << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << true << int(-2147483648LL);
        QTest::newRow("one beyond") << "2147483648" << false << 0;
        QTest::newRow("one below") << "-2147483649" << false << 0;
        QTest::newRow("beyond 64 bits") << "99999999999999999999" << false << 0;
        QTest::newRow("fraction") << "3.5" << false << 0;
    }
    void wholeNumbersOf32Bits()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        if (valid) {
            QCOMPARE(ParseInt32(text), value);
            return;
        }
        try {
            ParseInt32(text);
            QFAIL("no conversion error");
        } catch (const ConversionError &e) {
            QCOMPARE(e.message(), QLatin1Char('\'') + text + QStringLiteral("' is not a valid integer value"));
        }
    }

    void dateTexts_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("dd.MM.yyyy") << "dd.MM.yyyy" << QDate(2009, 3, 2) << "02.03.2009";
        QTest::newRow("d.M.yyyy") << "d.M.yyyy" << QDate(2009, 3, 2) << "2.3.2009";
        QTest::newRow("M/d/yy") << "M/d/yy" << QDate(2009, 3, 2) << "3/2/09";
        QTest::newRow("M/d/yy, two-digit day and month") << "M/d/yy" << QDate(2010, 12, 31) << "12/31/10";
        QTest::newRow("M/d/yy, a year of the last century") << "M/d/yy" << QDate(1985, 7, 4) << "7/4/85";
        QTest::newRow("yyyy-MM-dd") << "yyyy-MM-dd" << QDate(2009, 3, 2) << "2009-03-02";
        QTest::newRow("month name") << "d MMM yyyy" << QDate(2009, 3, 2) << "2 Mar 2009";
    }
    void dateTexts()
    {
        QFETCH(QString, format);
        QFETCH(QDate, date);
        QFETCH(QString, text);
        RegionalSettings regional;
        regional.dateFormat = format;
        QCOMPARE(regional.dateText(date), text);
        QCOMPARE(regional.dayCountDateText(DayCount::fromDate(date) + 0.75), text);
        QCOMPARE(regional.parseDate(text), date);
    }

    void timeOfDayNearMidnight_data()
    {
        QTest::addColumn<double>("dayCount");
        QTest::addColumn<QString>("text");
        QTest::newRow("a fraction that rounds to the next day") << 0.99999999999 << "23:59:59";
        QTest::newRow("the same with a date") << 39874.99999999999 << "23:59:59";
        QTest::newRow("the last whole second") << 86399.0 / 86400.0 << "23:59:59";
        QTest::newRow("midnight") << 39874.0 << "00:00:00";
    }
    void timeOfDayNearMidnight()
    {
        QFETCH(double, dayCount);
        QFETCH(QString, text);
        QVERIFY(DayCount::toTime(dayCount).isValid());
        QCOMPARE(RegionalSettings::current().dayCountTimeText(dayCount), text);
    }

    void dayCounts()
    {
        QCOMPARE(DayCount::toDate(0.0), QDate(1899, 12, 30));
        QCOMPARE(DayCount::fromDate(QDate(2009, 3, 12)), 39884.0);
        QCOMPARE(DayCount::toDate(39884.75), QDate(2009, 3, 12));
        QCOMPARE(DayCount::toTime(39884.75), QTime(18, 0));
        QCOMPARE(DayCount::toTime(DayCount::fromTime(QTime(7, 45, 30))), QTime(7, 45, 30));
    }

    void everyCharacterOfTheCodePage_data()
    {
        // The upper half of Windows-1250 from 0x80 on, written out from the code page's
        // own table; "?" stands at the five bytes it leaves undefined.
        const QString upper = QString::fromUtf8(
            "€?‚?„…†‡?‰Š‹ŚŤŽŹ?‘’“”•–—?™š›śťžź"
            "\u00A0ˇ˘Ł¤Ą¦§¨©Ş«¬\u00AD®Ż°±˛ł´µ¶·¸ąş»Ľ˝ľż"
            "ŔÁÂĂÄĹĆÇČÉĘËĚÍÎĎĐŃŇÓÔŐÖ×ŘŮÚŰÜÝŢß"
            "ŕáâăäĺćçčéęëěíîďđńňóôőö÷řůúűüýţ˙");
        QCOMPARE(upper.size(), 128);
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("character");
        for (int i = 0; i < upper.size(); ++i)
            if (upper.at(i) != QLatin1Char('?'))
                QTest::addRow("0x%X %s", 0x80 + i, qPrintable(upper.mid(i, 1))) << 0x80 + i << upper.mid(i, 1);
    }
    void everyCharacterOfTheCodePage()
    {
        QFETCH(int, byte);
        QFETCH(QString, character);
        const char b = char(byte);
        QCOMPARE(CodePage::decode(&b, 1), character);
        QCOMPARE(CodePage::encode(character, 1), QByteArray(1, b));
        QVERIFY(CodePage::holds(character));
    }

    void codePageTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("euro sign") << QString::fromUtf8("20€") << QByteArray("20\x80");
        QTest::newRow("Croatian letters") << QString::fromUtf8("Trbušnjaci Ćevapi") << QByteArray("Trbu\x9anjaci \xc6" "evapi");
        QTest::newRow("not in the code page") << QString::fromUtf8("ñ漢😀") << QByteArray("???");
    }
    void codePageTexts()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(CodePage::encode(text, 255), bytes);
        QCOMPARE(CodePage::holds(text), !bytes.contains('?'));
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
