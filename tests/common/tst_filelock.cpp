#include "common/Errors.h"
#include "common/FileLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// A separate process that holds a lock until it is killed, as a writer that hangs or
// dies in the middle of its work.
class LockHolder {
public:
    enum class Kind { Mark, WriteLock };
    LockHolder(Kind kind, const QString &path)
    {
        int ready[2];
        if (::pipe(ready) != 0)
            qFatal("pipe failed");
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(ready[0]);
            FileLock::Mark mark(path, QStringLiteral("fortavo-cli"));
            std::unique_ptr<FileLock::WriteLock> write;
            char ok = 'n';
            if (kind == Kind::Mark)
                ok = mark.claim() ? 'y' : 'n';
            else {
                write = std::make_unique<FileLock::WriteLock>(path, 0);
                ok = 'y';
            }
            if (::write(ready[1], &ok, 1) != 1)
                ::_exit(1);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        char ok = 0;
        const bool told = ::read(ready[0], &ok, 1) == 1;
        ::close(ready[0]);
        if (!told || ok != 'y')
            qFatal("the holder could not lock");
    }
    ~LockHolder() { kill(); }
    pid_t pid() const { return m_pid; }
    void kill(int signal = SIGKILL)
    {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, signal);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

private:
    pid_t m_pid = -1;
};
}

class TestFileLock : public QObject {
    Q_OBJECT

    QString dataFile(const QTemporaryDir &dir)
    {
        const QString path = dir.filePath(QStringLiteral("workouts.dat"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write the fixture");
        return path;
    }

private slots:
    void lockFileLiesBesideTheFileItsLinkNames()
    {
        QTemporaryDir dir;
        const QString path = dataFile(dir);
        QCOMPARE(FileLock::lockFileName(path), dir.path() + "/.workouts.dat.lock");
        QDir(dir.path()).mkdir("links");
        QVERIFY(QFile::link(path, dir.filePath("links/log.dat")));
        QCOMPARE(FileLock::lockFileName(dir.filePath("links/log.dat")), dir.path() + "/.workouts.dat.lock");
    }

    void aSecondMarkIsRefusedAndNamesTheHolder()
    {
        QTemporaryDir dir;
        const QString path = dataFile(dir);
        FileLock::Mark first(path, QStringLiteral("Fortavo"));
        QVERIFY(first.claim());
        FileLock::Mark second(path, QStringLiteral("fortavo-cli"));
        QVERIFY(!second.claim());
        QCOMPARE(second.holder().pid, qint64(::getpid()));
        QCOMPARE(second.holder().program, QStringLiteral("Fortavo"));
        QCOMPARE(second.holder().host, FileLock::thisHost());
        QVERIFY(second.note().isEmpty());

        first.release();
        QVERIFY2(!QFileInfo::exists(FileLock::lockFileName(path)), "the last holder removes the lock file");
        QVERIFY(second.claim());
        QVERIFY2(second.note().isEmpty(), "a mark released in order is no stale mark");
    }

    void aMarkOfAKilledProcessIsTakenOverWithANote()
    {
        QTemporaryDir dir;
        const QString path = dataFile(dir);
        LockHolder holder(LockHolder::Kind::Mark, path);
        const qint64 pid = holder.pid();
        FileLock::Mark mark(path, QStringLiteral("Fortavo"));
        QVERIFY(!mark.claim());
        QCOMPARE(mark.holder().pid, pid);
        QCOMPARE(mark.holder().program, QStringLiteral("fortavo-cli"));

        holder.kill(); // kill -9: the lock file stays behind with its text
        QVERIFY(QFileInfo::exists(FileLock::lockFileName(path)));
        QVERIFY(mark.claim());
        QVERIFY2(mark.note().contains(QStringLiteral("process %1 on").arg(pid)), qPrintable(mark.note()));
        QVERIFY(mark.note().contains("no longer running"));
    }

    // A program ended by the session closing, its display going away or Ctrl+C clears
    // its marks on the way out: the next start finds nothing to take over.
    void aMarkIsClearedWhenTheProgramEnds_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("exit()") << 0;
    }
    void aMarkIsClearedWhenTheProgramEnds()
    {
        QFETCH(int, signal);
        QTemporaryDir dir;
        const QString path = dataFile(dir);
        if (signal != 0) {
            LockHolder holder(LockHolder::Kind::Mark, path);
            holder.kill(signal);
        } else {
            int told[2];
            QVERIFY(::pipe(told) == 0);
            const pid_t pid = ::fork();
            if (pid == 0) {
                ::close(told[0]);
                FileLock::Mark mark(path, QStringLiteral("Fortavo"));
                const char claimed = mark.claim() ? 'y' : 'n';
                if (::write(told[1], &claimed, 1) != 1)
                    ::_exit(1);
                std::exit(0); // no unwinding: the mark's destructor never runs
            }
            ::close(told[1]);
            char claimed = 0;
            const bool read = ::read(told[0], &claimed, 1) == 1;
            ::close(told[0]);
            ::waitpid(pid, nullptr, 0); // its status: the leak checker may set its own
            QVERIFY2(read && claimed == 'y', "the child could not claim the mark");
        }
        QVERIFY2(!QFileInfo::exists(FileLock::lockFileName(path)), "the ended program left its lock file");
        FileLock::Mark mark(path, QStringLiteral("Fortavo"));
        QVERIFY(mark.claim());
        QVERIFY2(mark.note().isEmpty(), qPrintable(mark.note()));
    }

    void anUnlockedMarkOfAnotherHostIsNotTakenOver()
    {
        QTemporaryDir dir;
        const QString path = dataFile(dir);
        QFile lock(FileLock::lockFileName(path));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write("4242\nsome-other-host.invalid\nFortavo\n");
        lock.close();
        FileLock::Mark mark(path, QStringLiteral("fortavo-cli"));
        QVERIFY(!mark.claim());
        QCOMPARE(mark.holder().host, QStringLiteral("some-other-host.invalid"));
        QCOMPARE(mark.holder().pid, qint64(4242));
    }

    void writersWaitForEachOtherAndAKilledWriterBlocksNobody()
    {
        QTemporaryDir dir;
        const QString path = dataFile(dir);
        LockHolder holder(LockHolder::Kind::WriteLock, path);
        try {
            FileLock::WriteLock lock(path, 200);
            QFAIL("a second writer got the lock");
        } catch (const IoError &e) {
            QVERIFY2(e.message().contains(QStringLiteral("another program has been writing it")), qPrintable(e.message()));
            QVERIFY(e.message().contains(QDir::toNativeSeparators(path)));
        }
        holder.kill();
        FileLock::WriteLock lock(path, 0); // kill -9 of the writer: the next one proceeds
        FileLock::WriteLock nested(path, 0); // a writer that locks again inside its write does not wait for itself
    }

    void markAndWriteLockAreIndependent()
    {
        QTemporaryDir dir;
        const QString path = dataFile(dir);
        FileLock::Mark mark(path, QStringLiteral("Fortavo"));
        QVERIFY(mark.claim());
        {
            // The holder of the mark writes, and so may a forced fortavo-cli.
            FileLock::WriteLock lock(path, 0);
        }
        QVERIFY2(QFileInfo::exists(FileLock::lockFileName(path)), "the mark keeps its lock file");
        FileLock::Mark other(path, QStringLiteral("fortavo-cli"));
        QVERIFY2(!other.claim(), "the end of a write leaves the mark in place");
    }
};

QTEST_GUILESS_MAIN(TestFileLock)
#include "tst_filelock.moc"
