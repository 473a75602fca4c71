#include "InChildProcess.h"

#include "common/BackgroundFlush.h"
#include "common/Errors.h"
#include "common/RecordWrite.h"
#include "common/WholeFile.h"
#include "support/FailingDevice.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <thread>

namespace {
QString ioErrorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const IoError &e) {
        return e.message();
    }
    return QStringLiteral("no error");
}

QStringList filesIn(const TestEnvironment &env)
{
    return QDir(env.folder()).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

mode_t modeOf(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

QByteArray bytes(int size, char first)
{
    QByteArray b(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        b[i] = char(first + i % 23);
    return b;
}
}

class TestWholeFile : public QObject {
    Q_OBJECT
private slots:
    void badTargetsAreNamed_data()
    {
        QTest::addColumn<QString>("target"); // in the test's folder; "" is the empty name
        QTest::addColumn<QString>("message"); // %1 is the test's folder
        QTest::newRow("empty name") << "" << "Cannot write a file without a name: the output file name is empty.";
        QTest::newRow("a folder") << "sub" << "Cannot write \"%1sub\": it is a folder, not a file.";
        QTest::newRow("name ending in a slash") << "new/" << "Cannot write \"%1new/\": it is a folder, not a file.";
        QTest::newRow("missing folder")
            << "missing/out.txt" << "Cannot write \"%1missing/out.txt\": the folder \"%1missing\" does not exist.";
        QTest::newRow("folder that is a file")
            << "plain.txt/out.txt" << "Cannot write \"%1plain.txt/out.txt\": \"%1plain.txt\" is not a folder.";
    }
    void badTargetsAreNamed()
    {
        QFETCH(QString, target);
        QFETCH(QString, message);
        TestEnvironment env;
        QDir(env.folder()).mkdir("sub");
        env.writeFile("plain.txt", "old");
        const QString path = target.isEmpty() ? QString() : env.path(target);
        QCOMPARE(ioErrorOf([&] { WholeFile::write(path, QByteArray("new")); }), message.arg(env.folder()));
        QCOMPARE(filesIn(env), (QStringList{"plain.txt", "sub"}));
        QCOMPARE(env.readFile("plain.txt"), QByteArray("old"));
    }

    void replacesTheFileWholeKeepingItsPermissions()
    {
        TestEnvironment env;
        env.writeFile("out.txt", bytes(5000, 'a'));
        QFile::setPermissions(env.path("out.txt"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        WholeFile::write(env.path("out.txt"), QByteArray("short"));
        QCOMPARE(env.readFile("out.txt"), QByteArray("short"));
        QCOMPARE(modeOf(env.path("out.txt")) & 0777, mode_t(0640));
        QCOMPARE(filesIn(env), QStringList{"out.txt"});
    }

    void newFileTakesTheUsualPermissions()
    {
        TestEnvironment env;
        const mode_t old = ::umask(022);
        WholeFile::write(env.path("new.txt"), QByteArray("x"));
        ::umask(old);
        QCOMPARE(modeOf(env.path("new.txt")) & 0777, mode_t(0644));
    }

    void symbolicLinkStaysALink()
    {
        TestEnvironment env;
        env.writeFile("real.txt", "old");
        QVERIFY(QFile::link(env.path("real.txt"), env.path("link.txt")));
        WholeFile::write(env.path("link.txt"), QByteArray("new"));
        QVERIFY(S_ISLNK(modeOf(env.path("link.txt"))));
        QCOMPARE(env.readFile("real.txt"), QByteArray("new"));
    }

    void pipeIsWrittenInPlace()
    {
        TestEnvironment env;
        const QByteArray fifo = QFile::encodeName(env.path("pipe"));
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        QByteArray received;
        std::thread reader([&] {
            QFile in(QString::fromLocal8Bit(fifo));
            if (in.open(QIODevice::ReadOnly))
                received = in.readAll();
        });
        WholeFile::write(env.path("pipe"), QByteArray("through the pipe"));
        reader.join();
        QCOMPARE(received, QByteArray("through the pipe"));
        QVERIFY(S_ISFIFO(modeOf(env.path("pipe"))));
    }

    void failedWriterLeavesTheOldFile_data()
    {
        QTest::addColumn<int>("failAfter"); // bytes the device takes; -1: the writer throws instead
        QTest::newRow("nothing written") << 0;
        QTest::newRow("part written") << 3000;
        QTest::newRow("writer throws half way") << -1;
    }
    void failedWriterLeavesTheOldFile()
    {
        QFETCH(int, failAfter);
        TestEnvironment env;
        const QByteArray old = bytes(4000, 'a');
        env.writeFile("out.txt", old);
        const QString path = env.path("out.txt");
        const auto writer = [&](QIODevice &out) {
            WholeFile::writeTo(out, bytes(5000, 'k'), path);
            if (failAfter < 0)
                throw FortavoError("stopped");
            WholeFile::writeTo(out, bytes(5000, 'k'), path);
        };
        const WholeFile::TargetWrapper wrapper = [&](QIODevice &target) -> std::unique_ptr<QIODevice> {
            return std::make_unique<FailingDevice>(target, failAfter < 0 ? 1 << 30 : failAfter);
        };
        QVERIFY_THROWS_EXCEPTION(FortavoError, WholeFile::write(path, writer, wrapper));
        QCOMPARE(env.readFile("out.txt"), old);
        QCOMPARE(filesIn(env), QStringList{"out.txt"});
    }

    // Files of several megabytes go on to the disk while they are written.
    void largeFile_data()
    {
        QTest::addColumn<bool>("writerThrows");
        QTest::newRow("written whole") << false;
        QTest::newRow("writer throws once flushing has started") << true;
    }
    void largeFile()
    {
        QFETCH(bool, writerThrows);
        TestEnvironment env;
        const QString path = env.path("big.bin");
        env.writeFile("big.bin", bytes(100, 'a'));
        QByteArray content;
        for (char c = 'b'; content.size() < 3 * BackgroundFlush::step; ++c)
            content += bytes(1 << 20, c);
        content += bytes(1000, 'z');
        const auto writer = [&](QIODevice &out) {
            for (qsizetype at = 0; at < content.size(); at += 1 << 20) {
                if (writerThrows && at > 2 * BackgroundFlush::step)
                    throw FortavoError("stopped");
                WholeFile::writeTo(out, content.mid(at, 1 << 20), path);
            }
        };
        if (writerThrows) {
            QVERIFY_THROWS_EXCEPTION(FortavoError, WholeFile::write(path, writer));
            QCOMPARE(env.readFile("big.bin"), bytes(100, 'a'));
        } else {
            WholeFile::write(path, writer);
            QVERIFY(env.readFile("big.bin") == content);
        }
        QCOMPARE(filesIn(env), QStringList{"big.bin"});
    }

    // A flush that fails must fail the write: a later flush of the same file may not
    // report it again. A pipe cannot be flushed.
    void failedFlushIsKept()
    {
        int fds[2];
        QVERIFY(::pipe(fds) == 0);
        {
            BackgroundFlush belowAStep(fds[1]);
            belowAStep.written(BackgroundFlush::step - 1);
            QCOMPARE(belowAStep.finish(), 0);
        }
        BackgroundFlush flush(fds[1]);
        flush.written(BackgroundFlush::step);
        QCOMPARE(flush.finish(), EINVAL);
        ::close(fds[0]);
        ::close(fds[1]);
    }

    // On a real file system, with the file size limited to 8 KB as a full disk would.
    void writePastTheLimitFailsAndKeepsTheFile_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("oldSize");
        QTest::newRow("whole file, checked writes") << "whole" << 3000;
        QTest::newRow("whole file, writer ignores results") << "careless" << 3000;
        QTest::newRow("record appended") << "append" << 6000;
        QTest::newRow("record overwritten across the end") << "overwrite" << 7000;
    }
    void writePastTheLimitFailsAndKeepsTheFile()
    {
        QFETCH(QString, how);
        QFETCH(int, oldSize);
        TestEnvironment env;
        const QString path = env.path("data.bin");
        const QByteArray old = bytes(oldSize, 'a');
        env.writeFile("data.bin", old);
        const QString result = inChildProcess([&] {
            if (how == "whole") {
                WholeFile::write(path, bytes(20000, 'k'));
            } else if (how == "careless") {
                WholeFile::write(path, [](QIODevice &out) {
                    for (int i = 0; i < 5; ++i)
                        out.write(bytes(4000, 'k'));
                });
            } else {
                QFile file(path);
                if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
                    return QStringLiteral("cannot open");
                RecordWrite::writeAt(file, how == "append" ? oldSize : 6000, bytes(2944, 'k'), path);
            }
            return QStringLiteral("no error");
        }, {8192});
        QCOMPARE(result, QStringLiteral("IoError: Cannot write \"%1\": File too large").arg(path));
        QCOMPARE(env.readFile("data.bin"), old);
        QCOMPARE(filesIn(env), QStringList{"data.bin"});
    }

    void recordWriteLandsAtItsPlace()
    {
        TestEnvironment env;
        env.writeFile("data.bin", QByteArray("0123456789"));
        QFile file(env.path("data.bin"));
        QVERIFY(file.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
        RecordWrite::writeAt(file, 4, QByteArray("abc"), file.fileName());
        RecordWrite::writeAt(file, 10, QByteArray("XY"), file.fileName());
        QCOMPARE(env.readFile("data.bin"), QByteArray("0123abc789XY"));
        RecordWrite::truncate(file, 5, file.fileName());
        QCOMPARE(env.readFile("data.bin"), QByteArray("0123a"));
    }
};

QTEST_GUILESS_MAIN(TestWholeFile)
#include "tst_wholefile.moc"
