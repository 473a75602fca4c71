#include "common/Errors.h"
#include "store/TrainingFile.h"
#include "support/CliRunner.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QProcess>
#include <QTest>

#include "common/DayCount.h"
#include "common/FileLock.h"

namespace {
const QByteArray kCsv = "Date,Exercise,Weight (kgs),Reps\n2021-09-09,Squat,100,5\n";

QByteArray oneWorkout()
{
    WorkoutRecord r;
    r.Date = DayCount::fromDate(QDate(2009, 3, 12));
    r.Bodypart = QStringLiteral("Chest");
    return r.encode();
}
}

class TestCliLocks : public QObject {
    Q_OBJECT

private slots:
    void writingCommandsRefuseAFileFortavoHasOpen_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");
        QTest::newRow("import-csv") << QStringList{"import-csv", "in.csv"} << "workouts.dat";
        // Only known once the workouts are read: its new exercise goes to the list.
        QTest::newRow("import-csv, exercise list") << QStringList{"import-csv", "in.csv"} << "exercises.dat";
        QTest::newRow("convert") << QStringList{"convert", "old.dat"} << "old.dat";
    }
    void writingCommandsRefuseAFileFortavoHasOpen()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        TestEnvironment env;
        env.writeFile("in.csv", kCsv);
        env.writeFile("workouts.dat", oneWorkout());
        env.writeFile("old.dat", QByteArray(2 * 2032, '\0'));
        const QByteArray before = env.readFile(file);
        const QByteArray workoutsBefore = env.readFile("workouts.dat");
        FileLock::Mark program(env.path(file), QStringLiteral("Fortavo"));
        QVERIFY(program.claim());

        const CliRun run = runCli(QStringList{"--folder", env.folder()} + args, env.folder());
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(env.path(file)))), qPrintable(run.err));
        QVERIFY2(run.err.contains("Fortavo has it open"), qPrintable(run.err));
        QVERIFY(run.err.contains("--force"));
        QCOMPARE(env.readFile(file), before);
        QCOMPARE(env.readFile("workouts.dat"), workoutsBefore);

        // Reading commands keep working meanwhile.
        QCOMPARE(runCli({"--folder", env.folder(), "list"}, env.folder()).status, 0);
    }

    void forceWritesAndFortavoNoticesBeforeItsNextSave()
    {
        TestEnvironment env;
        env.writeFile("in.csv", kCsv);
        env.writeFile("workouts.dat", oneWorkout());
        TrainingFile program;
        QCOMPARE(program.openForEditing(env.path("workouts.dat")), TrainingFile::Access::ReadWrite);

        const CliRun run = runCli({"--folder", env.folder(), "import-csv", "in.csv", "--force"}, env.folder());
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.contains("although Fortavo has it open"), qPrintable(run.err));
        QCOMPARE(env.readFile("workouts.dat").size(), 2 * WorkoutRecord::Size);

        WorkoutRecord form;
        form.Bodypart = QStringLiteral("Legs");
        QVERIFY_THROWS_EXCEPTION(FileChangedError, program.WriteRecord(1, form));
        QCOMPARE(program.reopenAfterOutsideChange(1), 2);
        program.WriteRecord(2, form);
        TrainingFile check;
        check.open(env.path("workouts.dat"), TrainingFile::Access::ReadOnly);
        QCOMPARE(check.RecordCount(), 3); // the old workout, the imported one, the form's
        QCOMPARE(check.ReadRecord(0).Bodypart, QStringLiteral("Chest"));
        QCOMPARE(check.ReadRecord(2).Bodypart, QStringLiteral("Legs"));
    }

    void aMarkLeftByAProcessThatDiedIsTakenOverWithANote()
    {
        TestEnvironment env;
        env.writeFile("in.csv", kCsv);
        QProcess gone;
        gone.start("true", {});
        QVERIFY(gone.waitForFinished());
        const qint64 pid = gone.processId() > 0 ? gone.processId() : 999999;
        const QString lockFile = FileLock::lockFileName(env.path("workouts.dat"));
        QFile lock(lockFile);
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QStringLiteral("%1\n%2\nfortavo-cli\n").arg(pid).arg(FileLock::thisHost()).toUtf8());
        lock.close();

        const CliRun run = runCli({"--folder", env.folder(), "import-csv", "in.csv"}, env.folder());
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.contains("no longer running"), qPrintable(run.err));
        QCOMPARE(env.readFile("workouts.dat").size(), WorkoutRecord::Size);
        QVERIFY2(!QFileInfo::exists(lockFile), "the command removes the lock file it took over");
    }
};

QTEST_GUILESS_MAIN(TestCliLocks)
#include "tst_clilocks.moc"
