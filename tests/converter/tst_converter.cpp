#include "OldRecords.h"

#include "common/Errors.h"
#include "store/TrainingFileConversion.h"
#include "store/TrainingFile.h"
#include "store/WorkoutRecordV15.h"
#include "support/FailingDevice.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using OldRecords::Old;

namespace {
// Hex bytes at an offset of a record, as the layout tables give them.
void putHex(QByteArray &b, int offset, const char *hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex);
    b.replace(offset, bytes.size(), bytes);
}

void putText(QByteArray &b, int offset, const char *text)
{
    b[offset] = char(std::strlen(text));
    b.replace(offset + 1, int(std::strlen(text)), text);
}

// One old workout: 45000 (3 March 2023), 18:00, 1 h 30 min, "Chest", a run of 200 m and
// 300 calories at 12:00 for 45 min, squats 3 x 8 at 82.5 and dips 2 x 12 at bodyweight,
// type 2, "Good day". Every byte no field covers holds 0xEE.
QByteArray goldenOldRecord()
{
    QByteArray b(2032, char(0xEE));
    putHex(b, 0, "00000000 00f9e540");
    putHex(b, 8, "00000000 0000e83f");
    putHex(b, 16, "6666a63f");
    putText(b, 20, "Chest");
    putText(b, 40, "Running");
    putHex(b, 72, "00000000 0000e03f");
    putHex(b, 80, "6666e63e");
    putHex(b, 84, "c8");
    putHex(b, 86, "2c01");
    putText(b, 88, "Squat");
    putText(b, 139, "Working set");
    putHex(b, 165, "0308");
    putHex(b, 168, "0000a542");
    putText(b, 172, "Dips");
    putText(b, 223, "Warm-up");
    putHex(b, 249, "020c");
    putHex(b, 252, "00000000");
    putHex(b, 1768, "0202");
    putText(b, 1770, "Good day");
    return b;
}

// The same workout in the current 2944-byte layout; unused bytes are zero.
QByteArray goldenNewRecord()
{
    QByteArray b(2944, '\0');
    putHex(b, 0, "00000000 00f9e540");
    putHex(b, 8, "00000000 0000e83f");
    putHex(b, 16, "6666a63f");
    putText(b, 20, "Chest");
    putText(b, 40, "Running");
    putHex(b, 72, "00000000 0000e03f");
    putHex(b, 80, "6666e63e");
    putHex(b, 84, "c800");
    putHex(b, 86, "2c01");
    putHex(b, 1000, "01");
    putText(b, 1004, "Squat");
    putText(b, 1055, "Working set");
    putHex(b, 1081, "0308");
    putHex(b, 1084, "0000a542");
    putText(b, 1088, "Dips");
    putText(b, 1139, "Warm-up");
    putHex(b, 1165, "020c");
    putHex(b, 2684, "0202");
    putText(b, 2686, "Good day");
    return b;
}

WorkoutRecord goldenWorkout()
{
    WorkoutRecord r;
    r.Date = 45000;
    r.StartTime = 0.75;
    r.Duration = 1.30f;
    r.Bodypart = QStringLiteral("Chest");
    r.Cardio = {{QStringLiteral("Running"), 0.5, 0.45f, 200, 300}};
    r.Exercises = {{QStringLiteral("Squat"), QStringLiteral("Working set"), 3, 8, 82.5f},
                   {QStringLiteral("Dips"), QStringLiteral("Warm-up"), 2, 12, 0.0f}};
    r.TrainingType = 2;
    r.Comment = QStringLiteral("Good day");
    return r;
}

QByteArray repeated(const QByteArray &record, int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += record;
    return bytes;
}

// Records that differ from each other, so order and count show in the result.
QByteArray numberedOldRecords(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        Old r;
        r.date = 45000 + i;
        r.comment = "Workout " + QByteArray::number(i);
        bytes += OldRecords::encode(r);
    }
    return bytes;
}

QList<WorkoutRecord> readWorkouts(const QString &path)
{
    TrainingFile file;
    file.open(path);
    QList<WorkoutRecord> records;
    for (int i = 0; i < file.RecordCount(); ++i)
        records.append(file.ReadRecord(i));
    return records;
}

QStringList filesIn(const TestEnvironment &env)
{
    return QDir(env.folder()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

QString errorOf(const std::function<void()> &run)
{
    try {
        run();
    } catch (const IoError &e) {
        return e.message();
    }
    return QString();
}
}

class TestConverter : public QObject {
    Q_OBJECT

private slots:
    void convertedRecord()
    {
        const QByteArray old = goldenOldRecord();
        QCOMPARE(WorkoutRecordV15::toCurrentLayout(old.constData()).toHex(' '), goldenNewRecord().toHex(' '));
        QCOMPARE(WorkoutRecordV15::toWorkoutRecord(old.constData()), goldenWorkout());
    }

    // Texts move as the bytes they are stored as, even those the code page leaves
    // undefined, so nothing of them is lost.
    void textBytesKept()
    {
        QByteArray old = goldenOldRecord();
        putHex(old, 1770, "05 81 98 e8 00 78");
        putHex(old, 20, "02 8a 9a");
        const QByteArray converted = WorkoutRecordV15::toCurrentLayout(old.constData());
        QCOMPARE(converted.mid(2686, 6).toHex(' '), QByteArray("05 81 98 e8 00 78"));
        QCOMPARE(converted.mid(20, 3).toHex(' '), QByteArray("02 8a 9a"));
    }

    void backupName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("backup");
        QTest::newRow("extension") << "workouts.dat" << "workoutsbackup.dat";
        QTest::newRow("two dots") << "my.old.dat" << "mybackup.old.dat";
        QTest::newRow("no dot") << "workouts" << "backupworkouts";
        QTest::newRow("in a folder") << "/home/ana/Training/workouts.dat" << "/home/ana/Training/workoutsbackup.dat";
        QTest::newRow("dot in the folder only") << "/data/v1.5/workouts" << "/data/v1.5/backupworkouts";
        QTest::newRow("dot in the folder and name") << "/data/v1.5/my.old.dat" << "/data/v1.5/mybackup.old.dat";
        QTest::newRow("trailing dot") << "workouts." << "workoutsbackup.";
    }
    void backupName()
    {
        QFETCH(QString, path);
        QFETCH(QString, backup);
        QCOMPARE(Converter::BackupFileName(path), backup);
    }

    // One old record gives one new record with the same workout.
    void mapping_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<WorkoutRecord>("expected");

        Old noCardio;
        noCardio.cardioStartTime = 0.5;
        noCardio.cardioDuration = 0.30f;
        noCardio.cardioDistance = 50;
        noCardio.cardioCalories = 70;
        WorkoutRecord plain;
        plain.Date = 45000;
        plain.StartTime = 0.75;
        plain.Duration = 1.30f;
        plain.Bodypart = QStringLiteral("Chest");
        QTest::newRow("no cardio type: no cardio row") << OldRecords::encode(noCardio) << plain;

        Old cardio;
        cardio.bodypart = "";
        cardio.cardioType = "Cycling";
        cardio.cardioStartTime = 45000.25;
        cardio.cardioDuration = 2.05f;
        cardio.cardioDistance = 255;
        cardio.cardioCalories = 65535;
        cardio.trainingType = 4;
        WorkoutRecord oneRow = plain;
        oneRow.Bodypart.clear();
        oneRow.Cardio = {{QStringLiteral("Cycling"), 45000.25, 2.05f, 255, 65535}};
        oneRow.TrainingType = 4;
        QTest::newRow("cardio type: one row, widest distance and calories") << OldRecords::encode(cardio) << oneRow;

        Old twenty;
        WorkoutRecord twentyRows = plain;
        for (int i = 1; i <= 20; ++i) {
            const QByteArray name = "Exercise " + QByteArray::number(i);
            twenty.exercises.append({name, "Set " + QByteArray::number(i), quint8(i), quint8(100 + i), 2.5f * float(i)});
            twentyRows.Exercises.append({QString::fromLatin1(name), QStringLiteral("Set %1").arg(i), quint8(i),
                                         quint8(100 + i), 2.5f * float(i)});
        }
        QTest::newRow("twenty exercise rows in order") << OldRecords::encode(twenty) << twentyRows;

        Old damaged = twenty;
        damaged.exerciseCount = 200;
        QTest::newRow("count above twenty cut to twenty") << OldRecords::encode(damaged) << twentyRows;

        // Length bytes above the capacities: the text is cut to the capacity.
        QByteArray longTexts = OldRecords::encode(Old());
        OldRecords::putText(longTexts, 20, QByteArray(15, 'b'), 255);
        OldRecords::putText(longTexts, 40, QByteArray(30, 'c'), 200);
        OldRecords::putText(longTexts, 1770, QByteArray(255, 'm'));
        longTexts[1768] = 1;
        OldRecords::putText(longTexts, 88, QByteArray(50, 'n'), 99);
        OldRecords::putText(longTexts, 88 + 51, QByteArray(25, 't'), 60);
        longTexts.replace(88 + 77, 7, QByteArray("\x05\x06\xEE\x00\x00\x20\x41", 7));
        WorkoutRecord cut = plain;
        cut.Bodypart = QString(15, u'b');
        cut.Cardio = {{QString(30, u'c'), 0, 0, 0, 0}};
        cut.Exercises = {{QString(50, u'n'), QString(25, u't'), 5, 6, 10.0f}};
        cut.Comment = QString(255, u'm');
        QTest::newRow("length bytes above capacity") << longTexts << cut;
    }
    void mapping()
    {
        QFETCH(QByteArray, old);
        QFETCH(WorkoutRecord, expected);
        const QByteArray converted = WorkoutRecordV15::toCurrentLayout(old.constData());
        // Byte for byte what the program writes for that workout: lengths and counts
        // within their capacities, nothing else in unused slots or padding.
        QCOMPARE(converted.toHex(' '), expected.encode().toHex(' '));
        TestEnvironment env;
        env.writeFile(QStringLiteral("workouts.dat"), old + old);
        ConvertTrainingFile(env.path(QStringLiteral("workouts.dat")), false);
        QCOMPARE(readWorkouts(env.path(QStringLiteral("workouts.dat"))), (QList<WorkoutRecord>{expected, expected}));
    }

    // The file keeps its name and holds the new records; the old bytes stay whole under
    // the backup name, or are gone without the backup.
    void convertFile_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("keepBackup");
        QTest::addColumn<bool>("linkBackup");
        QTest::newRow("empty, backup") << 0 << true << true;
        QTest::newRow("empty, no backup") << 0 << false << true;
        QTest::newRow("one, backup") << 1 << true << true;
        QTest::newRow("three, no backup") << 3 << false << true;
        QTest::newRow("more than a chunk, backup") << 2100 << true << true;
        QTest::newRow("more than a chunk, copied backup") << 2100 << true << false;
        QTest::newRow("empty, copied backup") << 0 << true << false;
    }
    void convertFile()
    {
        QFETCH(int, count);
        QFETCH(bool, keepBackup);
        QFETCH(bool, linkBackup);
        TestEnvironment env;
        const QByteArray old = repeated(goldenOldRecord(), count);
        env.writeFile(QStringLiteral("workouts.dat"), old);
        Converter::Options options;
        options.keepBackup = keepBackup;
        options.linkBackup = linkBackup;
        ConvertTrainingFile(env.path(QStringLiteral("workouts.dat")), options);

        QVERIFY(env.readFile(QStringLiteral("workouts.dat")) == repeated(goldenNewRecord(), count));
        if (keepBackup) {
            QCOMPARE(filesIn(env), (QStringList{"workouts.dat", "workoutsbackup.dat"}));
            QVERIFY(env.readFile(QStringLiteral("workoutsbackup.dat")) == old);
        } else {
            QCOMPARE(filesIn(env), QStringList{"workouts.dat"});
        }
    }

    // A training file reached through a symbolic link: the link stays, its target gets
    // the new content, and the backup holds the old content, not a link to the new.
    void symbolicLink()
    {
        TestEnvironment env;
        QDir(env.folder()).mkdir(QStringLiteral("data"));
        env.writeFile(QStringLiteral("data/real.dat"), goldenOldRecord());
        QVERIFY(QFile::link(env.path(QStringLiteral("data/real.dat")), env.path(QStringLiteral("workouts.dat"))));
        ConvertTrainingFile(env.path(QStringLiteral("workouts.dat")), true);
        QVERIFY(QFileInfo(env.path(QStringLiteral("workouts.dat"))).isSymLink());
        QVERIFY(env.readFile(QStringLiteral("data/real.dat")) == goldenNewRecord());
        QVERIFY(!QFileInfo(env.path(QStringLiteral("workoutsbackup.dat"))).isSymLink());
        QVERIFY(env.readFile(QStringLiteral("workoutsbackup.dat")) == goldenOldRecord());
    }

    void recordOrderKept()
    {
        TestEnvironment env;
        env.writeFile(QStringLiteral("workouts.dat"), numberedOldRecords(1500));
        ConvertTrainingFile(env.path(QStringLiteral("workouts.dat")), true);
        const QList<WorkoutRecord> records = readWorkouts(env.path(QStringLiteral("workouts.dat")));
        QCOMPARE(records.size(), 1500);
        for (int i = 0; i < records.size(); ++i) {
            QCOMPARE(records[i].Date, 45000.0 + i);
            QCOMPARE(records[i].Comment, QStringLiteral("Workout %1").arg(i));
        }
    }

    void progressReachesTheEnd()
    {
        TestEnvironment env;
        env.writeFile(QStringLiteral("workouts.dat"), numberedOldRecords(2500));
        QList<qint64> done;
        Converter::Options options;
        options.progress = [&](qint64 d, qint64 total) {
            QCOMPARE(total, 2500);
            done.append(d);
        };
        ConvertTrainingFile(env.path(QStringLiteral("workouts.dat")), options);
        QVERIFY(done.size() > 1);
        QVERIFY(std::is_sorted(done.begin(), done.end()));
        QCOMPARE(done.last(), 2500);
    }

    // Refused before anything changes: the files stand as they were.
    void refused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("backupContent"); // null: no backup file
        QTest::addColumn<bool>("keepBackup");
        QTest::addColumn<QStringList>("messageParts");
        const QByteArray old = goldenOldRecord();
        QTest::newRow("backup name taken") << old << QByteArray("earlier") << true
                                           << QStringList{"workoutsbackup.dat", "already exists"};
        QTest::newRow("backup name taken, no backup wanted") << old << QByteArray("earlier") << false
                                                             << QStringList{"workoutsbackup.dat", "already exists"};
        QTest::newRow("partial record") << old.left(2031) << QByteArray() << true
                                        << QStringList{"workouts.dat", "2031 bytes", "2032"};
        QTest::newRow("one byte over") << old + "x" << QByteArray() << false << QStringList{"2033 bytes"};
        QTest::newRow("current layout") << goldenNewRecord() << QByteArray() << true
                                        << QStringList{"2944 bytes", "converted already"};
    }
    void refused()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, backupContent);
        QFETCH(bool, keepBackup);
        QFETCH(QStringList, messageParts);
        TestEnvironment env;
        env.writeFile(QStringLiteral("workouts.dat"), content);
        if (!backupContent.isNull())
            env.writeFile(QStringLiteral("workoutsbackup.dat"), backupContent);
        const QStringList before = filesIn(env);
        const QString message = errorOf([&] { ConvertTrainingFile(env.path(QStringLiteral("workouts.dat")), keepBackup); });
        for (const QString &part : messageParts)
            QVERIFY2(message.contains(part), qPrintable(message));
        QCOMPARE(filesIn(env), before);
        QVERIFY(env.readFile(QStringLiteral("workouts.dat")) == content);
        if (!backupContent.isNull())
            QVERIFY(env.readFile(QStringLiteral("workoutsbackup.dat")) == backupContent);
    }

    void secondConversionRefused()
    {
        TestEnvironment env;
        const QString path = env.path(QStringLiteral("workouts.dat"));
        env.writeFile(QStringLiteral("workouts.dat"), repeated(goldenOldRecord(), 2));
        ConvertTrainingFile(path, true);
        const QString message = errorOf([&] { ConvertTrainingFile(path, true); });
        QVERIFY2(message.contains(QStringLiteral("workoutsbackup.dat")), qPrintable(message));
        QVERIFY(env.readFile(QStringLiteral("workouts.dat")) == repeated(goldenNewRecord(), 2));
        QVERIFY(env.readFile(QStringLiteral("workoutsbackup.dat")) == repeated(goldenOldRecord(), 2));
    }

    void missingFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("no such file") << "missing.dat";
        QTest::newRow("a folder") << "folder.dat";
    }
    void missingFile()
    {
        QFETCH(QString, name);
        TestEnvironment env;
        QDir(env.folder()).mkdir(QStringLiteral("folder.dat"));
        const QString message = errorOf([&] { ConvertTrainingFile(env.path(name), true); });
        QVERIFY2(message.contains(name), qPrintable(message));
        QCOMPARE(filesIn(env), QStringList());
    }

    // A disk that fills up in the middle of a write leaves the old file whole under its
    // own name, no backup to block the next try and no stray temporary file.
    void failedWriteKeepsOldData_data()
    {
        QTest::addColumn<bool>("keepBackup");
        QTest::addColumn<bool>("linkBackup");
        QTest::addColumn<bool>("failBackup");
        QTest::addColumn<qint64>("allowed");
        QTest::newRow("nothing written, backup") << true << true << false << qint64(0);
        QTest::newRow("mid record, backup") << true << true << false << qint64(2944 + 1000);
        QTest::newRow("mid second chunk, no backup") << false << true << false << qint64(2944 * 1100);
        QTest::newRow("last byte, copied backup") << true << false << false << qint64(2944 * 1200 - 1);
        QTest::newRow("backup copy fails") << true << false << true << qint64(2032 * 700 + 5);
    }
    void failedWriteKeepsOldData()
    {
        QFETCH(bool, keepBackup);
        QFETCH(bool, linkBackup);
        QFETCH(bool, failBackup);
        QFETCH(qint64, allowed);
        TestEnvironment env;
        const QByteArray old = numberedOldRecords(1200);
        env.writeFile(QStringLiteral("workouts.dat"), old);
        const auto failing = [allowed](QIODevice &target) -> std::unique_ptr<QIODevice> {
            return std::make_unique<FailingDevice>(target, allowed);
        };
        Converter::Options options;
        options.keepBackup = keepBackup;
        options.linkBackup = linkBackup;
        (failBackup ? options.backupWrapper : options.wrapper) = failing;
        const QString path = env.path(QStringLiteral("workouts.dat"));
        const QString message = errorOf([&] { ConvertTrainingFile(path, options); });
        QVERIFY2(message.contains(QStringLiteral("No space left on device")), qPrintable(message));
        QVERIFY2(message.contains(QDir::toNativeSeparators(path)), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("has not been changed")), qPrintable(message));
        QCOMPARE(filesIn(env), QStringList{"workouts.dat"});
        QVERIFY(env.readFile(QStringLiteral("workouts.dat")) == old);
    }
};

QTEST_GUILESS_MAIN(TestConverter)
#include "tst_converter.moc"
