// The real program, started as a process on the test's display and ended the ways a
// desktop ends it: the session closing (SIGHUP, SIGTERM) or Ctrl+C in the terminal that
// started it. The marks its windows hold on the training file, the exercise list and
// the goals file must go with it, so the next start finds none to take over.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {
const QStringList kLockFiles = {QStringLiteral(".workouts.dat.lock"), QStringLiteral(".exercises.dat.lock"),
                                QStringLiteral(".goals.dat.lock")};

bool waitFor(const std::function<bool()> &done, int ms = 30000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QTest::qWait(50);
    }
    return true;
}
}

class TestProgramEnd : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

    bool allMarked() const
    {
        return std::all_of(kLockFiles.begin(), kLockFiles.end(),
                           [&](const QString &f) { return QFileInfo::exists(folder.filePath(f)); });
    }
    QStringList marksLeft() const
    {
        QStringList left;
        for (const QString &f : kLockFiles) {
            if (QFileInfo::exists(folder.filePath(f)))
                left << f;
        }
        return left;
    }
    // Starts the program in the test's program folder and waits until it holds its marks.
    void start(QProcess &program)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(folder.path());
        program.start(folder.filePath(QStringLiteral("fortavo")), {});
        QVERIFY(program.waitForStarted());
        QVERIFY2(waitFor([&] { return allMarked(); }), "the program did not mark its files");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(folder.isValid());
        const QDir built = QFileInfo(QStringLiteral(FORTAVO_PROGRAM)).dir();
        for (const QString &name : {QStringLiteral("fortavo"), QStringLiteral("init.ini"), QStringLiteral("license.txt")})
            QVERIFY2(QFile::copy(built.filePath(name), folder.filePath(name)), qPrintable(name));
    }

    void marksGoWithTheProgram_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("session ends (SIGHUP)") << int(SIGHUP);
        QTest::newRow("terminated (SIGTERM)") << int(SIGTERM);
        QTest::newRow("Ctrl+C (SIGINT)") << int(SIGINT);
    }
    void marksGoWithTheProgram()
    {
        QFETCH(int, signal);
        QProcess program;
        start(program);
        if (QTest::currentTestFailed())
            return;
        ::kill(pid_t(program.processId()), signal);
        QVERIFY(program.waitForFinished(30000));
        QVERIFY2(marksLeft().isEmpty(), qPrintable(marksLeft().join(u' ')));

        // The next start takes over nothing and says nothing about it.
        QProcess next;
        start(next);
        next.terminate();
        QVERIFY(next.waitForFinished(30000));
        const QString said = QString::fromLocal8Bit(next.readAllStandardError());
        QVERIFY2(!said.contains(QStringLiteral("still marked as in use")), qPrintable(said));
    }
};

QTEST_MAIN(TestProgramEnd)
#include "tst_programend.moc"
