// Which files fortavo-cli reads and writes: configured file names with and without a
// folder, and a read-only output file, tried as an ordinary user (root may write any
// file, so that case runs in a child process as user nobody).

#include "common/InChildProcess.h"
#include "support/CliRunner.h"
#include "support/TestEnvironment.h"
#include "support/WorkoutBuilder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

namespace {
QByteArray oneWorkout(const QString &bodypart)
{
    return WorkoutBuilder::fileBytes({WorkoutBuilder::workout(QDate(2024, 5, 1), bodypart)});
}

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        QFAIL(qPrintable("cannot write fixture " + path));
}

// Starts fortavo-cli from this (child) process without Qt's process handling, and
// returns its exit status and standard error as "<status>|<error>".
QString execCli(const QStringList &args)
{
    std::vector<QByteArray> texts{QFile::encodeName(cliProgram())};
    for (const QString &a : args)
        texts.push_back(QFile::encodeName(a));
    std::vector<char *> argv;
    for (QByteArray &t : texts)
        argv.push_back(t.data());
    argv.push_back(nullptr);
    int channel[2];
    if (::pipe(channel) != 0)
        return QStringLiteral("pipe failed");
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int nothing = ::open("/dev/null", O_WRONLY);
        ::dup2(nothing, STDOUT_FILENO);
        ::dup2(channel[1], STDERR_FILENO);
        ::close(channel[0]);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(channel[1]);
    QByteArray error;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) != 0;) {
        if (n > 0)
            error.append(buffer, n);
        else if (errno != EINTR)
            break;
    }
    ::close(channel[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return QStringLiteral("%1|%2").arg(WIFEXITED(status) ? WEXITSTATUS(status) : -1).arg(QString::fromLocal8Bit(error));
}

constexpr uid_t Nobody = 65534;
}

class TestCliFiles : public QObject {
    Q_OBJECT
private slots:
    // A configured name with a folder in it is used as given, relative to the working
    // folder; a bare name lies in the program folder. A file of the same name in the
    // other place holds another workout, so that a wrong choice shows.
    void configuredTrainingFile_data()
    {
        QTest::addColumn<QString>("configured");
        QTest::newRow("name with a folder") << "sub/w.dat";
        QTest::newRow("bare name") << "w.dat";
    }
    void configuredTrainingFile()
    {
        QFETCH(QString, configured);
        TestEnvironment env;
        QTemporaryDir working;
        QVERIFY(working.isValid());
        env.writeFile(QStringLiteral("init.ini"), "[Program]\nTraining_file=" + configured.toUtf8() + "\n");
        const bool inWorkingFolder = configured.contains(u'/');
        writeFile(working.filePath(configured), oneWorkout(inWorkingFolder ? "Meant" : "Other"));
        writeFile(env.path(configured), oneWorkout(inWorkingFolder ? "Other" : "Meant"));

        const CliRun run = runCli({"--folder", env.folder(), "--date-format", "d.M.yyyy", "list"}, working.path());
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QStringLiteral("1.5.2024 - Meant (Heavy)\n"));
    }

    // An existing file that its owner made read-only is not replaced, though the
    // folder could be written.
    void exportOverAReadOnlyFile_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("result");
        QTest::newRow("read-only") << 0444 << "1|Cannot write \"%1\": Permission denied\n";
        QTest::newRow("writable") << 0644 << "0|";
    }
    void exportOverAReadOnlyFile()
    {
        QFETCH(int, mode);
        QFETCH(QString, result);
        TestEnvironment env;
        QCOMPARE(::chmod(QFile::encodeName(env.folder()).constData(), 0777), 0); // anyone may add files
        env.writeFile(QStringLiteral("w.dat"), oneWorkout(QStringLiteral("Chest")));
        env.writeFile(QStringLiteral("out.csv"), "old content\n");
        const QString out = env.path(QStringLiteral("out.csv"));
        QCOMPARE(::chown(QFile::encodeName(out).constData(), Nobody, Nobody) == 0, ::geteuid() == 0);
        QCOMPARE(::chmod(QFile::encodeName(out).constData(), mode_t(mode)), 0);

        const QStringList args{"--folder", env.folder(), "--training", env.path(QStringLiteral("w.dat")), "export-csv", out};
        QCOMPARE(inChildProcess([&] { return execCli(args); }, {.asNobody = true}), result.arg(out));
        if (mode == 0444)
            QCOMPARE(env.readFile(QStringLiteral("out.csv")), QByteArray("old content\n"));
        else
            QVERIFY(env.readFile(QStringLiteral("out.csv")).startsWith("Date,Start time,"));
        QCOMPARE(QDir(env.folder()).entryList({QStringLiteral(".*.part")}, QDir::Files | QDir::Hidden), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestCliFiles)
#include "tst_clifiles.moc"
