// Writes that fail or are cut short on a real file system: a process killed at random
// moments of a rewrite, files growing past a file-size limit (as on a full disk), and
// fortavo-cli's exports under such a limit.

#include "common/InChildProcess.h"

#include "common/DayCount.h"
#include "exercises/ExerciseFile.h"
#include "store/TrainingFile.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <QTemporaryDir>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
WorkoutRecord workout(int i)
{
    WorkoutRecord r;
    r.Date = DayCount::fromDate(QDate(2009, 3, 2).addDays(i));
    r.Bodypart = QStringLiteral("Chest");
    r.TrainingType = quint8(1 + i % 4);
    r.Comment = QStringLiteral("workout %1").arg(i);
    for (int k = 0; k < 20; ++k)
        r.Exercises.append({QStringLiteral("Bench press %1").arg(k), QStringLiteral("Working set"), 3, quint8(8 + k % 5),
                            80.0f + float(k)});
    return r;
}

QByteArray workouts(int count, int skip = -1)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        if (i != skip)
            bytes += workout(i).encode();
    return bytes;
}

QByteArray exerciseList(int count, const QString &prefix)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += CatalogExercise{QStringLiteral("%1 %2").arg(prefix).arg(i), QStringLiteral("Chest"),
                                 QStringLiteral("description %1").arg(i)}
                     .encode();
    return bytes;
}

QList<CatalogExercise> exercisesOf(const QByteArray &bytes)
{
    QList<CatalogExercise> list;
    for (qsizetype at = 0; at + CatalogExercise::Size <= bytes.size(); at += CatalogExercise::Size)
        list << CatalogExercise::decode(bytes.constData() + at);
    return list;
}

QStringList leftovers(const TestEnvironment &env)
{
    return QDir(env.folder()).entryList({QStringLiteral(".*.part")}, QDir::Files | QDir::Hidden);
}

QString binary(const QString &name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}

// Reads what the helper writes up to and including the character `last`, leaving out
// the dots that mark finished rounds of rewrites.
QByteArray readUpTo(QProcess &helper, char last)
{
    QByteArray text;
    while (!text.endsWith(last)) {
        if (helper.bytesAvailable() == 0 && !helper.waitForReadyRead(30000))
            return text;
        char c = 0;
        if (helper.getChar(&c) && c != '.')
            text.append(c);
    }
    return text;
}
}

class TestFailedWrites : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { pinRegionalSettings(); }

    // After every kill each file is exactly its old or its new content. The files lie
    // in memory (/dev/shm) where there is such a folder: a kill leaves the same files
    // there as on a disk, and the rounds of rewrites are quick, so that hundreds of
    // kills take a few seconds. The disk's own failures are the other tests' matter.
    void killedRewritesLeaveOldOrNewFile()
    {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        QTemporaryDir files(base + QStringLiteral("/fortavo-kill-XXXXXX"));
        QTemporaryDir references(base + QStringLiteral("/fortavo-kill-XXXXXX"));
        QVERIFY(files.isValid() && references.isValid());
        const auto place = [](const QTemporaryDir &dir, const QString &name, const QByteArray &content) {
            QFile file(dir.filePath(name));
            if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
                qFatal("cannot write a fixture file");
            return file.fileName();
        };
        const auto contentOf = [&](const QString &name) {
            QFile file(files.filePath(name));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
        };
        const int count = 12;
        const QByteArray full = workouts(count);
        const QByteArray deleted = workouts(count, count / 3);
        const QByteArray listA = exerciseList(30, "A");
        const QByteArray listB = exerciseList(25, "B");
        // The references live apart, so that only the two files under test share the folder.
        const QStringList args{place(files, "workouts.dat", full), place(references, "full.dat", full),
                               place(files, "exercises.dat", listA), place(references, "a.dat", listA),
                               place(references, "b.dat", listB)};

        int trainingStates[2] = {0, 0};
        int exerciseStates[2] = {0, 0};
        QProcess helper;
        helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        helper.start(binary(QStringLiteral("fortavo_rewrite_helper")), args);
        QVERIFY(helper.waitForStarted());
        QRandomGenerator random(20091203);
        // Kills fall at random moments of up to two rounds of rewrites; the first round,
        // run to its end, measures how long one takes.
        quint32 roundMicroseconds = 0;
        int killsLeavingTemporaries = 0;
        for (int kill = 0; kill < 250; ++kill) {
            if (kill > 0)
                helper.write("n");
            const pid_t worker = readUpTo(helper, '\n').trimmed().toInt();
            QVERIFY2(worker > 0, "the rewrite worker did not start");
            if (kill == 0) {
                QElapsedTimer round;
                round.start();
                char c = 0;
                QVERIFY(helper.waitForReadyRead(30000) && helper.getChar(&c) && c == '.');
                roundMicroseconds = quint32(qMax<qint64>(round.nsecsElapsed() / 1000, 1000));
            } else {
                ::usleep(random.bounded(2 * roundMicroseconds));
            }
            ::kill(worker, SIGKILL);
            QCOMPARE(readUpTo(helper, '\n'), QByteArray("killed\n"));

            const QByteArray training = contentOf("workouts.dat");
            const QByteArray exercises = contentOf("exercises.dat");
            QVERIFY2(training == full || training == deleted,
                     qPrintable(QStringLiteral("torn training file after kill %1: %2 bytes").arg(kill).arg(training.size())));
            QVERIFY2(exercises == listA || exercises == listB,
                     qPrintable(QStringLiteral("torn exercise list after kill %1: %2 bytes").arg(kill).arg(exercises.size())));
            ++trainingStates[training == full ? 0 : 1];
            ++exerciseStates[exercises == listA ? 0 : 1];
            // The next write of a file removes what killed writes of it left, so at most
            // the last one's temporary file of each file is there.
            const int leftovers = int(QDir(files.path()).entryList({QStringLiteral(".*.part")}, QDir::Files | QDir::Hidden).size());
            QVERIFY2(leftovers <= 2, qPrintable(QStringLiteral("%1 temporary files after kill %2").arg(leftovers).arg(kill)));
            killsLeavingTemporaries += leftovers > 0 ? 1 : 0;
        }
        helper.closeWriteChannel();
        QVERIFY(helper.waitForFinished());
        // The kills fell at many moments: both contents were met, and some kills came in
        // the middle of a rewrite, leaving its temporary file behind.
        QVERIFY(trainingStates[0] > 0 && trainingStates[1] > 0);
        QVERIFY(exerciseStates[0] > 0 && exerciseStates[1] > 0);
        QVERIFY(killsLeavingTemporaries > 0);
    }

    // The file may grow to 8 KB only: every write beyond fails as on a full disk.
    void writesPastTheLimitReportAndKeepTheFile_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("file");
        QTest::newRow("save appends a workout") << "save" << "workouts.dat";
        QTest::newRow("delete a workout") << "delete" << "workouts.dat";
        QTest::newRow("undo a deletion") << "undo" << "workouts.dat";
        QTest::newRow("save the exercise list") << "exercises" << "exercises.dat";
    }
    void writesPastTheLimitReportAndKeepTheFile()
    {
        QFETCH(QString, operation);
        QFETCH(QString, file);
        TestEnvironment env;
        env.writeFile("workouts.dat", workouts(5));
        env.writeFile("exercises.dat", exerciseList(25, "Old"));
        const QByteArray before = env.readFile(file);
        const QString result = inChildProcess([&] {
            TrainingFile training;
            training.open(env.path("workouts.dat"));
            ExerciseFile exercises;
            exercises.open(env.path("exercises.dat"));
            if (operation == "save")
                training.WriteRecord(training.RecordCount(), workout(9));
            else if (operation == "delete")
                training.RemoveRecord(1);
            else if (operation == "undo")
                training.InsertRecord(1, workout(9));
            else
                exercises.save(exercisesOf(exerciseList(30, "New")));
            return QStringLiteral("no error");
        }, {8192});
        QCOMPARE(result, QStringLiteral("IoError: Cannot write \"%1\": File too large").arg(env.path(file)));
        QCOMPARE(env.readFile(file), before);
        QVERIFY(leftovers(env).isEmpty());
    }

    // fortavo-cli under "ulimit -f 1" with SIGXFSZ ignored: a non-zero exit naming the
    // file and the reason, and the earlier file of that name untouched.
    void cliExportPastTheLimitFails_data()
    {
        QTest::addColumn<QStringList>("args"); // OUT stands for the output file
        QTest::addColumn<QString>("output");
        QTest::newRow("export-stats") << QStringList{"export-stats", "OUT"} << "out.txt";
        QTest::newRow("export-text") << QStringList{"export-text", "1", "OUT"} << "out.txt";
        QTest::newRow("export-html") << QStringList{"export-html", "1", "OUT", "--template", "template.html"}
                                     << "out.html";
        QTest::newRow("exercise-graph") << QStringList{"exercise-graph", "bench press 3", "OUT"} << "out.png";
    }
    void cliExportPastTheLimitFails()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, output);
        TestEnvironment env;
        env.writeFile("workouts.dat", workouts(60));
        env.writeFile("template.html", "<html><body>\r\n$\r\n</body></html>\r\n");
        env.writeFile(output, "earlier content");
        args.replace(args.indexOf("OUT"), output);
        QProcess cli;
        cli.setWorkingDirectory(env.folder());
        cli.start(QStringLiteral("/bin/sh"), QStringList{"-c", "trap '' XFSZ; ulimit -f 1; exec \"$@\"", "sh",
                                                         binary(QStringLiteral("fortavo-cli")), "--training",
                                                         "workouts.dat"}
                                                 + args);
        QVERIFY(cli.waitForFinished(60000));
        const QString errors = QString::fromUtf8(cli.readAllStandardError());
        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QVERIFY2(cli.exitCode() != 0, qPrintable(errors));
        QVERIFY2(errors.contains(env.path(output)) && errors.contains(QStringLiteral("File too large")), qPrintable(errors));
        QCOMPARE(env.readFile(output), QByteArray("earlier content"));
    }

    // A file its user may not write is opened for reading, and changes are refused.
    void unwritableFileOpensReadOnly()
    {
        TestEnvironment env;
        env.writeFile("workouts.dat", workouts(3));
        // Others may enter the folder and read the file, nobody may write it.
        QCOMPARE(::chmod(QFile::encodeName(env.folder()).constData(), 0755), 0);
        QCOMPARE(::chmod(QFile::encodeName(env.path("workouts.dat")).constData(), 0444), 0);
        const QString result = inChildProcess([&] {
            TrainingFile training;
            const TrainingFile::Access access = training.openForEditing(env.path("workouts.dat"));
            QString refusal;
            try {
                training.RemoveRecord(0);
            } catch (const IoError &e) {
                refusal = e.message();
            }
            return QStringLiteral("%1|%2|%3|%4")
                .arg(access == TrainingFile::Access::ReadOnly ? "read-only" : "read-write", training.readOnlyReason())
                .arg(training.RecordCount())
                .arg(refusal);
        }, {RLIM_INFINITY, true});
        QCOMPARE(result, QStringLiteral("read-only|Permission denied|3|Cannot save to \"%1\": the training file is open "
                                        "read-only (Permission denied). Nothing was changed.")
                             .arg(env.path("workouts.dat")));
        QCOMPARE(env.readFile("workouts.dat"), workouts(3));
    }
};

QTEST_GUILESS_MAIN(TestFailedWrites)
#include "tst_failedwrites.moc"
