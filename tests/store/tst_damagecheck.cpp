#include "common/DayCount.h"
#include "store/DamageCheck.h"
#include "support/TestEnvironment.h"

#include <QTest>

namespace {
// A sound record whose raw bytes can then be damaged.
QByteArray record(quint8 type = 1)
{
    WorkoutRecord r;
    r.Date = DayCount::fromDate(QDate(2009, 3, 2));
    r.Bodypart = QStringLiteral("Chest");
    r.TrainingType = type;
    return r.encode();
}

QByteArray withByte(QByteArray bytes, int offset, quint8 value)
{
    bytes[offset] = char(value);
    return bytes;
}

const QString kPartial = QStringLiteral("\"w.dat\" ends with an incomplete workout record (%1 bytes). It is ignored, and "
                                        "the next new workout is saved in its place.");
const QString kRows = QStringLiteral("%1 workout(s) of \"w.dat\" claim more than 20 cardio or exercise rows (the first is "
                                     "workout %2), so the file is damaged. They are shown with their first 20 rows; "
                                     "saving such a workout stores those.");
const QString kTypes = QStringLiteral("%1 workout(s) of \"w.dat\" have a type of training beyond the %2 types of the list "
                                      "(the first is workout %3). They are shown with an empty type.");
const QString kOlder = QStringLiteral("\"w.dat\" looks like a training file of the older record layout (2032 bytes per "
                                      "workout). Convert it with the \"Format converter\" (ribbon tab \"Tools\", group "
                                      "\"Converter\"; or fortavo-cli convert) before working with it; read as it is, "
                                      "its workouts show wrong values.");
}

class TestDamageCheck : public QObject {
    Q_OBJECT
private slots:
    void findings_data()
    {
        // Offsets in a record: cardio count 1000, exercise count 2684, type 2685.
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("typeCount");
        QTest::addColumn<QStringList>("expected");
        const QByteArray good = record();
        QTest::newRow("sound file") << good + record(4) + good << 5 << QStringList();
        QTest::newRow("empty file") << QByteArray() << 5 << QStringList();
        QTest::newRow("partial last record") << good + good + QByteArray(100, 'x') << 5 << QStringList{kPartial.arg(100)};
        QTest::newRow("20 rows are sound")
            << withByte(withByte(good, 1000, 20), 2684, 20) << 5 << QStringList();
        QTest::newRow("cardio and exercise counts above 20")
            << good + withByte(good, 1000, 21) + withByte(good, 2684, 255) << 5 << QStringList{kRows.arg(2).arg(2)};
        QTest::newRow("type just beyond the list") << good + good + record(5) + record(9) << 5
                                                   << QStringList{kTypes.arg(2).arg(5).arg(3)};
        QTest::newRow("shorter list") << record(0) + record(2) << 2 << QStringList{kTypes.arg(1).arg(2).arg(2)};
        QTest::newRow("every kind in one file")
            << withByte(record(7), 2684, 30) + good + QByteArray(2943, 'x') << 5
            << QStringList{kPartial.arg(2943), kRows.arg(1).arg(1), kTypes.arg(1).arg(5).arg(1)};
        QTest::newRow("older layout only") << withByte(QByteArray(2032 * 3, '\0'), 1000, 99) << 5 << QStringList{kOlder};
    }
    void findings()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, typeCount);
        QFETCH(QStringList, expected);
        TestEnvironment env;
        env.writeFile("w.dat", content);
        TrainingFile file;
        file.open(env.path("w.dat"), TrainingFile::Access::ReadOnly);
        QCOMPARE(damageFindings(file, typeCount), expected);
    }
};

QTEST_GUILESS_MAIN(TestDamageCheck)
#include "tst_damagecheck.moc"
