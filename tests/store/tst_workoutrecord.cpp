#include "store/RowTexts.h"
#include "store/WorkoutRecord.h"
#include "common/Errors.h"
#include "support/TestEnvironment.h"

#include <QTest>

#include <bit>

namespace {
// Bytes laid down at the offsets of the record layout, independently of the encoder.
void put(QByteArray &bytes, int offset, const QByteArray &hex)
{
    const QByteArray raw = QByteArray::fromHex(hex);
    bytes.replace(offset, raw.size(), raw);
}

void putString(QByteArray &bytes, int offset, const QByteArray &text)
{
    bytes[offset] = char(text.size());
    bytes.replace(offset + 1, text.size(), text);
}

WorkoutRecord sampleRecord()
{
    WorkoutRecord r;
    r.Date = 39884.0;    // 12.3.2009
    r.StartTime = 0.75;  // 18:00
    r.Duration = 1.30f;
    r.Bodypart = QStringLiteral("Chest");
    r.TrainingType = 2;
    r.Comment = QStringLiteral("ok");
    r.Cardio.append({QStringLiteral("Running"), 0.5, 0.3f, 5000, 350});
    r.Exercises.append({QStringLiteral("Bench press"), QStringLiteral("Working set"), 3, 10, 82.5f});
    r.Exercises.append({QString::fromUtf8("Čučanj"), QString(), 2, 8, 0.0f});
    return r;
}

QByteArray sampleGolden()
{
    QByteArray g(2944, '\0');
    put(g, 0, "000000008079e340");
    put(g, 8, "000000000000e83f");
    put(g, 16, "6666a63f");
    putString(g, 20, "Chest");
    putString(g, 40, "Running");
    put(g, 40 + 32, "000000000000e03f");
    put(g, 40 + 40, "9a99993e");
    put(g, 40 + 44, "8813");
    put(g, 40 + 46, "5e01");
    g[1000] = 1;
    putString(g, 1004, "Bench press");
    putString(g, 1004 + 51, "Working set");
    g[1004 + 77] = 3;
    g[1004 + 78] = 10;
    put(g, 1004 + 80, "0000a542");
    putString(g, 1088, "\xc8u\xe8" "anj");
    g[1088 + 77] = 2;
    g[1088 + 78] = 8;
    g[2684] = 2;
    g[2685] = 2;
    putString(g, 2686, "ok");
    return g;
}
}

class TestWorkoutRecord : public QObject {
    Q_OBJECT
private slots:
    void init() { pinRegionalSettings(); }

    void encodesAtTheLayoutOffsets()
    {
        QCOMPARE(sampleRecord().encode().toHex(), sampleGolden().toHex());
    }

    void decodesGoldenBytes()
    {
        const QByteArray golden = sampleGolden();
        QCOMPARE(WorkoutRecord::decode(golden.constData()), sampleRecord());
    }

    void textsAreCutToTheirCapacity()
    {
        WorkoutRecord r;
        r.Comment = QString(255, QLatin1Char('x')) + QStringLiteral("yz");
        r.Bodypart = QStringLiteral("Chest/Triceps/Shoulders");
        const QByteArray bytes = r.encode();
        QCOMPARE(quint8(bytes.at(2686)), quint8(255));
        QCOMPARE(quint8(bytes.at(20)), quint8(15));
        const WorkoutRecord back = WorkoutRecord::decode(bytes.constData());
        QCOMPARE(back.Comment, QString(255, QLatin1Char('x')));
        QCOMPARE(back.Bodypart, QStringLiteral("Chest/Triceps/S"));
        // A character outside the code page is stored as "?".
        r.Comment = QString::fromUtf8("漢字 ok");
        QCOMPARE(WorkoutRecord::decode(r.encode().constData()).Comment, QStringLiteral("?? ok"));
    }

    void damagedCountsAreClipped()
    {
        QByteArray bytes = sampleGolden();
        bytes[1000] = char(200);
        bytes[2684] = char(21);
        const WorkoutRecord r = WorkoutRecord::decode(bytes.constData());
        QCOMPARE(r.Cardio.size(), 20);
        QCOMPARE(r.Exercises.size(), 20);
        QCOMPARE(r.Exercises.at(0).Name, QStringLiteral("Bench press"));
    }

    void rowTextsRoundTrip_data()
    {
        QTest::addColumn<float>("weight");
        QTest::addColumn<QString>("cell");
        QTest::newRow("bodyweight") << 0.0f << "BW";
        QTest::newRow("82.5") << 82.5f << "82.5";
        QTest::newRow("cut to two decimals") << 82.567f << "82.56";
    }
    void rowTextsRoundTrip()
    {
        QFETCH(float, weight);
        QFETCH(QString, cell);
        const ExerciseEntry entry{QStringLiteral("Squat"), QStringLiteral("Warmup"), 3, 10, weight};
        const QStringList cells = RowTexts::exerciseCells(entry, 4);
        QCOMPARE(cells, (QStringList{"4.", "Squat", "Warmup", "3", "10", cell}));
        QCOMPARE(RowTexts::readExercise(cells).Weight, cell == QLatin1String("BW") ? 0.0f : cell.toFloat());
    }

    void everyTwoDecimalValueShowsInTheGrids()
    {
        // Every hundredth from 0.00 to 99.99, stored as a single, shows in both grids as
        // the text the user typed, and a save of the grid stores the same single.
        for (int hundredths = 1; hundredths < 10000; ++hundredths) {
            const QString typed = QStringLiteral("%1.%2").arg(hundredths / 100).arg(hundredths % 100, 2, 10, QLatin1Char('0'));
            QString shortest = typed;
            while (shortest.endsWith(QLatin1Char('0')))
                shortest.chop(1);
            if (shortest.endsWith(QLatin1Char('.')))
                shortest.chop(1);
            const float stored = typed.toFloat();
            const QStringList exerciseCells =
                RowTexts::exerciseCells({QStringLiteral("Squat"), QString(), 3, 10, stored}, 1);
            QVERIFY2(exerciseCells.at(5) == shortest, qPrintable(typed + QStringLiteral(" shows as ") + exerciseCells.at(5)));
            QCOMPARE(std::bit_cast<quint32>(RowTexts::readExercise(exerciseCells).Weight), std::bit_cast<quint32>(stored));
            const QStringList cardioCells = RowTexts::cardioCells({QStringLiteral("Running"), 0.5, stored, 0, 0}, 1);
            QVERIFY2(cardioCells.at(3) == shortest, qPrintable(typed + QStringLiteral(" shows as ") + cardioCells.at(3)));
            QCOMPARE(std::bit_cast<quint32>(RowTexts::readCardio(cardioCells).Duration), std::bit_cast<quint32>(stored));
        }
    }

    void zeroByteEndsAStoredText_data()
    {
        QTest::addColumn<QByteArray>("field"); // length byte and text bytes
        QTest::addColumn<QString>("text");
        QTest::newRow("no zero byte") << QByteArray("\x05" "Chest") << "Chest";
        QTest::newRow("zero inside") << QByteArray("\x07" "Ch\0\x01\x02" "st", 8) << "Ch";
        QTest::newRow("zero first") << QByteArray("\x03\0ab", 4) << "";
        QTest::newRow("zero beyond the length") << QByteArray("\x02" "ab\0\x01", 5) << "ab";
    }
    void zeroByteEndsAStoredText()
    {
        QFETCH(QByteArray, field);
        QFETCH(QString, text);
        QByteArray bytes = sampleGolden();
        bytes.replace(WorkoutLayout::Bodypart, int(field.size()), field);
        bytes.replace(WorkoutLayout::Comment, int(field.size()), field);
        const WorkoutRecord r = WorkoutRecord::decode(bytes.constData());
        QCOMPARE(r.Bodypart, text);
        QCOMPARE(r.Comment, text);
    }

    void cardioCellsShowTimeAndDuration()
    {
        const CardioEntry entry{QStringLiteral("Running"), 0.5, 0.3f, 5000, 350};
        const QStringList cells = RowTexts::cardioCells(entry, 1);
        QCOMPARE(cells, (QStringList{"1.", "Running", "12:00:00", "0.3", "5000", "350"}));
        QCOMPARE(RowTexts::readCardio(cells), entry);
    }

    void cellsThatDoNotFitAreRefused_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("named");
        QTest::newRow("sets above 255") << 3 << "300" << "Number of sets";
        QTest::newRow("reps negative") << 4 << "-1" << "Number of reps";
        QTest::newRow("sets not a number") << 3 << "three" << "'three'";
        QTest::newRow("weight not a number") << 5 << "heavy" << "'heavy'";
        QTest::newRow("empty trailing row") << 3 << "" << "''";
    }
    void cellsThatDoNotFitAreRefused()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, named);
        QStringList cells = {"1.", "Squat", "Warmup", "3", "10", "BW"};
        cells[column] = text;
        try {
            RowTexts::readExercise(cells);
            QFAIL("accepted");
        } catch (const ConversionError &e) {
            QVERIFY2(e.message().contains(named), qPrintable(e.message()));
        }
    }

    void distanceAbove16BitsIsRefused()
    {
        QVERIFY_THROWS_EXCEPTION(ConversionError,
                                 RowTexts::readCardio({"1.", "Running", "00:00:00", "1", "70000", "0"}));
    }
};

QTEST_GUILESS_MAIN(TestWorkoutRecord)
#include "tst_workoutrecord.moc"
