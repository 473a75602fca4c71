#include "OldRecords.h"

#include "common/DayCount.h"
#include "store/TrainingFile.h"
#include "support/CliRunner.h"
#include "support/TestEnvironment.h"
#include "support/WorkoutBuilder.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// Inputs the converter (and the writers it shares) must refuse or handle without
// harming the user's data.
class TestConvertInputs : public QObject {
    Q_OBJECT

    static QByteArray currentFile(int count)
    {
        QList<WorkoutRecord> records;
        for (int i = 0; i < count; ++i)
            records.append(WorkoutBuilder::workout(QDate(2024, 1, 1).addDays(i), "Chest", 2,
                                                   {WorkoutBuilder::exercise("Bench press", 3, 10, 52.5f)},
                                                   {WorkoutBuilder::cardio("Running", 0.35f, 320, 5000)}));
        return WorkoutBuilder::fileBytes(records);
    }

    static QByteArray oldFile(int count)
    {
        QByteArray bytes;
        OldRecords::Old r;
        r.exercises = {{"Bench press", "Working set", 3, 10, 52.5f}};
        for (int i = 0; i < count; ++i) {
            r.date = 45000 + i;
            bytes += OldRecords::encode(r);
        }
        return bytes;
    }

    static CliRun convert(const TestEnvironment &env, const QString &file, const QStringList &options = {})
    {
        return runCli(QStringList{"--folder", env.folder(), "convert", env.path(file)} + options);
    }

private slots:
    // 127 current records are exactly as long as 184 old ones.
    void currentLayoutOfOldSizeIsRefused_data()
    {
        QTest::addColumn<int>("workouts");
        QTest::newRow("127 workouts") << 127;
        QTest::newRow("254 workouts") << 254;
    }
    void currentLayoutOfOldSizeIsRefused()
    {
        QFETCH(int, workouts);
        TestEnvironment env;
        const QByteArray current = currentFile(workouts);
        QCOMPARE(current.size() % OldRecords::Size, 0);
        env.writeFile("w.dat", current);
        const CliRun run = convert(env, "w.dat", {"--no-backup"});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("probably converted already"), qPrintable(run.err));
        QVERIFY(!run.out.contains("Conversion completed!"));
        QCOMPARE(env.readFile("w.dat"), current);
        QVERIFY(!QFile::exists(env.path("wbackup.dat")));
    }

    // An old file of the same size still converts.
    void oldLayoutOfCurrentSizeConverts()
    {
        TestEnvironment env;
        env.writeFile("w.dat", oldFile(184));
        const CliRun run = convert(env, "w.dat", {"--no-backup"});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        TrainingFile converted;
        converted.open(env.path("w.dat"), TrainingFile::Access::ReadOnly);
        QCOMPARE(converted.RecordCount(), 184);
        QCOMPARE(DayCount::toDate(converted.ReadRecord(183).Date), QDate(1899, 12, 30).addDays(45183));
    }

    void nonRegularFilesAreRefusedAtOnce_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::newRow("convert") << QStringList{"convert", "fifo.dat"};
        QTest::newRow("list") << QStringList{"--training", "fifo.dat", "list"};
        QTest::newRow("import-csv into it") << QStringList{"--training", "fifo.dat", "import-csv", "in.csv"};
    }
    void nonRegularFilesAreRefusedAtOnce()
    {
        QFETCH(QStringList, command);
        TestEnvironment env;
        QCOMPARE(::mkfifo(QFile::encodeName(env.path("fifo.dat")).constData(), 0600), 0);
        env.writeFile("in.csv", "Date,Exercise,Weight,Reps\n2024-03-05,Squat,100,5\n");
        const CliRun run = runCli(QStringList{"--folder", env.folder()} + command, env.folder());
        QCOMPARE(run.status, 1); // -1 when it hung
        QVERIFY2(run.err.contains("is not a regular file"), qPrintable(run.err));
    }

    // l2.dat -> a/l1.dat -> ../b/w.dat: the file at the chain's end is replaced, every
    // link stays a link.
    void writesFollowAChainOfLinks()
    {
        TestEnvironment env;
        QDir(env.folder()).mkpath("a");
        QDir(env.folder()).mkpath("b");
        env.writeFile("b/w.dat", oldFile(2));
        QVERIFY(QFile::link("../b/w.dat", env.path("a/l1.dat")));
        QVERIFY(QFile::link("a/l1.dat", env.path("l2.dat")));

        CliRun run = convert(env, "l2.dat", {"--no-backup"});
        QCOMPARE(run.err, QString());
        QCOMPARE(env.readFile("b/w.dat").size(), 2 * WorkoutRecord::Size);
        QVERIFY(QFileInfo(env.path("a/l1.dat")).isSymLink());
        QVERIFY(QFileInfo(env.path("l2.dat")).isSymLink());

        env.writeFile("b/out.csv", "old");
        QVERIFY(QFile::link("../b/out.csv", env.path("a/o1.csv")));
        QVERIFY(QFile::link("a/o1.csv", env.path("o2.csv")));
        run = runCli({"--folder", env.folder(), "--training", env.path("l2.dat"), "export-csv", env.path("o2.csv")});
        QCOMPARE(run.err, QString());
        QVERIFY(env.readFile("b/out.csv").startsWith("Date,"));
        QVERIFY(QFileInfo(env.path("a/o1.csv")).isSymLink());
    }

    // Temporary files of killed writes of the same file go at its next write; one a live
    // writer holds, and those of other files, stay.
    void leftoverTemporariesAreRemoved()
    {
        TestEnvironment env;
        env.writeFile("w.dat", oldFile(1));
        env.writeFile(".w.dat.k3x9a.part", QByteArray(100, 'x'));
        env.writeFile(".w.dat.held1.part", QByteArray(100, 'x'));
        env.writeFile(".v.dat.k3x9a.part", QByteArray(100, 'x'));
        const int held = ::open(QFile::encodeName(env.path(".w.dat.held1.part")).constData(), O_RDONLY);
        QVERIFY(held >= 0);
        QCOMPARE(::flock(held, LOCK_EX), 0);
        const CliRun run = convert(env, "w.dat");
        ::close(held);
        QCOMPARE(run.status, 0);
        QVERIFY(!QFile::exists(env.path(".w.dat.k3x9a.part")));
        QVERIFY(QFile::exists(env.path(".w.dat.held1.part")));
        QVERIFY(QFile::exists(env.path(".v.dat.k3x9a.part")));
    }

    // A convert killed after making its backup (a second name of the file) must not
    // block the next one; a backup of other content is named, with what it holds.
    void leftoverBackup()
    {
        TestEnvironment env;
        env.writeFile("w.dat", oldFile(2));
        QCOMPARE(::link(QFile::encodeName(env.path("w.dat")).constData(),
                        QFile::encodeName(env.path("wbackup.dat")).constData()), 0);
        CliRun run = convert(env, "w.dat");
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        QCOMPARE(env.readFile("w.dat").size(), 2 * WorkoutRecord::Size);
        QCOMPARE(env.readFile("wbackup.dat"), oldFile(2));

        env.writeFile("v.dat", oldFile(1));
        env.writeFile("vbackup.dat", oldFile(3));
        run = convert(env, "v.dat");
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("vbackup.dat") && run.err.contains("holds the old data"), qPrintable(run.err));
        QCOMPARE(env.readFile("v.dat"), oldFile(1));
    }
};

QTEST_GUILESS_MAIN(TestConvertInputs)
#include "tst_convertinputs.moc"
