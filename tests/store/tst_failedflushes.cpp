// Flushes to the disk that fail: fsync and fdatasync made to fail with EIO in a child
// process (the FailingSync library preloaded). The failure is reported, and the file
// keeps its old content.

#include "support/FailingSync.h"
#include "support/TestEnvironment.h"
#include "support/WorkoutBuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTest>

namespace {
struct ChildRun {
    int status = -1; // -1 when it crashed or did not end
    QString out;
    QString err;
};

ChildRun runChild(const QString &program, const QStringList &args, bool failingSync)
{
    QProcess process;
    process.setProcessEnvironment(failingSyncEnvironment(failingSync));
    process.start(QCoreApplication::applicationDirPath() + QLatin1Char('/') + program, args);
    ChildRun run;
    if (!process.waitForStarted() || !process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    if (process.exitStatus() == QProcess::NormalExit)
        run.status = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QByteArray twoWorkouts()
{
    return WorkoutBuilder::fileBytes({WorkoutBuilder::workout(QDate(2024, 5, 1), QStringLiteral("Chest")),
                                      WorkoutBuilder::workout(QDate(2024, 5, 3), QStringLiteral("Back"))});
}

QStringList leftovers(const TestEnvironment &env)
{
    return QDir(env.folder()).entryList({QStringLiteral(".*.part")}, QDir::Files | QDir::Hidden);
}
}

class TestFailedFlushes : public QObject {
    Q_OBJECT
private slots:
    void recordWrite_data()
    {
        QTest::addColumn<int>("record");
        QTest::newRow("over a record") << 1;
        QTest::newRow("appended") << 2;
    }
    void recordWrite()
    {
        QFETCH(int, record);
        TestEnvironment env;
        env.writeFile(QStringLiteral("w.dat"), twoWorkouts());
        const QString path = env.path(QStringLiteral("w.dat"));
        const QStringList args{path, QString::number(record), QStringLiteral("Legs")};

        const ChildRun failed = runChild(QStringLiteral("fortavo_recordwrite_helper"), args, true);
        QCOMPARE(failed.status, 1);
        QCOMPARE(failed.out, QString());
        QCOMPARE(failed.err, QStringLiteral("Cannot write \"%1\": Input/output error\n").arg(path));
        QCOMPARE(env.readFile(QStringLiteral("w.dat")), twoWorkouts());

        // With flushes that work, the same write changes the file.
        const ChildRun written = runChild(QStringLiteral("fortavo_recordwrite_helper"), args, false);
        QCOMPARE(written.err, QString());
        QCOMPARE(written.status, 0);
        const QByteArray now = env.readFile(QStringLiteral("w.dat"));
        QCOMPARE(now.size(), 2 * WorkoutRecord::Size + (record == 2 ? WorkoutRecord::Size : 0));
        QCOMPARE(WorkoutRecord::decode(now.constData() + record * WorkoutRecord::Size).Bodypart, QStringLiteral("Legs"));
    }

    void exportCsv_data()
    {
        QTest::addColumn<bool>("existing"); // whether out.csv is there before
        QTest::newRow("over a file") << true;
        QTest::newRow("new file") << false;
    }
    void exportCsv()
    {
        QFETCH(bool, existing);
        TestEnvironment env;
        env.writeFile(QStringLiteral("w.dat"), twoWorkouts());
        if (existing)
            env.writeFile(QStringLiteral("out.csv"), "old content\n");
        const QString out = env.path(QStringLiteral("out.csv"));
        const QStringList args{"--folder", env.folder(), "--training", env.path(QStringLiteral("w.dat")), "export-csv", out};

        const ChildRun failed = runChild(QStringLiteral("fortavo-cli"), args, true);
        QCOMPARE(failed.status, 1);
        QCOMPARE(failed.out, QString());
        QVERIFY2(failed.err.contains(QStringLiteral("Cannot write \"%1\": Input/output error").arg(out)),
                 qPrintable(failed.err));
        if (existing)
            QCOMPARE(env.readFile(QStringLiteral("out.csv")), QByteArray("old content\n"));
        else
            QVERIFY(!QFileInfo::exists(out));
        QCOMPARE(leftovers(env), QStringList());

        const ChildRun written = runChild(QStringLiteral("fortavo-cli"), args, false);
        QCOMPARE(written.err, QString());
        QCOMPARE(written.status, 0);
        QVERIFY(env.readFile(QStringLiteral("out.csv")).startsWith("Date,Start time,"));
    }
};

QTEST_GUILESS_MAIN(TestFailedFlushes)
#include "tst_failedflushes.moc"
