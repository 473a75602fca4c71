// fortavo-cli only reads the training file: a file its user may not write is listed,
// analysed and exported all the same, and stays as it was; damage it finds is one
// warning line per kind on standard error, and the command still succeeds.

#include "common/DayCount.h"
#include "store/TrainingFile.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
WorkoutRecord workout(int i)
{
    WorkoutRecord r;
    r.Date = DayCount::fromDate(QDate(2009, 3, 2).addDays(i));
    r.Bodypart = QStringLiteral("Chest");
    r.TrainingType = 2;
    r.Exercises.append({QStringLiteral("Bench press"), QStringLiteral("Working set"), 3, 10, 80.0f});
    return r;
}

struct Run {
    int exitCode = -1;
    QString out, err;
};

// Runs fortavo-cli in the folder; as root, with the rights of "nobody", so that the
// file permissions count as for any user.
Run runCli(const QString &folder, const QStringList &args)
{
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/fortavo-cli");
    QProcess process;
    process.setWorkingDirectory(folder);
    if (::geteuid() == 0)
        process.start(QStringLiteral("setpriv"),
                      QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", cli} + args);
    else
        process.start(cli, args);
    Run run;
    if (!process.waitForFinished(120000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
}

class TestCliReading : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { pinRegionalSettings(); }

    void readOnlyTrainingFileServesEveryReadingCommand_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("list") << QStringList{"list"};
        QTest::newRow("week") << QStringList{"week", "1"};
        QTest::newRow("stats") << QStringList{"stats"};
        QTest::newRow("density") << QStringList{"density", "2"};
        QTest::newRow("export-text") << QStringList{"export-text", "1", "out/w.txt"};
        QTest::newRow("export-stats") << QStringList{"export-stats", "out/s.txt"};
        QTest::newRow("export-html") << QStringList{"export-html", "1", "out/w.html", "--template", "template.html"};
        QTest::newRow("exercise-analysis") << QStringList{"exercise-analysis", "bench press"};
        QTest::newRow("exercise-usage") << QStringList{"exercise-usage", "bench press"};
        QTest::newRow("run") << QStringList{"run", "show.fvs"};
    }
    void readOnlyTrainingFileServesEveryReadingCommand()
    {
        QFETCH(QStringList, args);
        TestEnvironment env;
        const QByteArray content = workout(0).encode() + workout(1).encode() + workout(8).encode();
        env.writeFile("workouts.dat", content);
        env.writeFile("template.html", "<html>\r\n$\r\n</html>\r\n");
        env.writeFile("show.fvs", "output(\"done\")\n");
        QVERIFY(QDir(env.folder()).mkdir("out"));
        QCOMPARE(::chmod(QFile::encodeName(env.folder()).constData(), 0755), 0);
        QCOMPARE(::chmod(QFile::encodeName(env.path("out")).constData(), 0777), 0);
        QCOMPARE(::chmod(QFile::encodeName(env.path("workouts.dat")).constData(), 0444), 0);
        const Run run = runCli(env.folder(), QStringList{"--training", "workouts.dat"} + args);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(run.err.contains("Warning"), false);
        QCOMPARE(env.readFile("workouts.dat"), content);
    }

    void damageIsOneWarningLinePerKind()
    {
        TestEnvironment env;
        QByteArray manyRows = workout(1).encode();
        manyRows[2684] = char(33); // exercise count
        QByteArray badType = workout(2).encode();
        badType[2685] = char(9); // type of training beyond the default list of five
        const QByteArray content = workout(0).encode() + manyRows + badType + QByteArray(500, 'x');
        env.writeFile("workouts.dat", content);
        QCOMPARE(::chmod(QFile::encodeName(env.folder()).constData(), 0755), 0);
        const Run run = runCli(env.folder(), {"--training", "workouts.dat", "list"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.split('\n', Qt::SkipEmptyParts).size(), 3);
        QCOMPARE(run.err.split('\n', Qt::SkipEmptyParts),
                 (QStringList{"Warning: \"workouts.dat\" ends with an incomplete workout record (500 bytes). It is "
                              "ignored, and the next new workout is saved in its place.",
                              "Warning: 1 workout(s) of \"workouts.dat\" claim more than 20 cardio or exercise rows "
                              "(the first is workout 2), so the file is damaged. They are shown with their first 20 "
                              "rows; saving such a workout stores those.",
                              "Warning: 1 workout(s) of \"workouts.dat\" have a type of training beyond the 5 types of "
                              "the list (the first is workout 3). They are shown with an empty type."}));
        QCOMPARE(env.readFile("workouts.dat"), content);
    }
};

QTEST_GUILESS_MAIN(TestCliReading)
#include "tst_clireading.moc"
