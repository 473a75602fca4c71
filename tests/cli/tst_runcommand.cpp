#include "support/CliRunner.h"
#include "support/TestEnvironment.h"

#include <QProcess>
#include <QTest>

#include <csignal>
#include <sys/types.h>

// fortavo-cli run, driven as a user drives it: files on disk, standard streams, exit status.
class TestRunCommand : public QObject {
    Q_OBJECT

private:
    using Result = CliRun;

    TestEnvironment *m_env = nullptr;

    Result cli(const QStringList &args, const QByteArray &input = QByteArray())
    {
        return runCli(QStringList{"--folder", m_env->folder(), "--decimal-separator", "."} + args, m_env->folder(),
                      input);
    }

private slots:
    void init() { m_env = new TestEnvironment; }
    void cleanup()
    {
        delete m_env;
        m_env = nullptr;
    }

    void exampleScript();
    void scriptsShareOneInterpreter();
    void inputFromStandardInput();
    void errorEndsTheRun();
    void timeoutStopsEndlessLoop();
    void interruptStopsEndlessLoop();
    void includeResolvesAgainstCurrentDirectory();
    void usage();
};

void TestRunCommand::exampleScript()
{
    // The shipped example without its training-data lines.
    m_env->writeFile("total.fvs", "; total weight lifted over the whole training file\n"
                                  "var i,n,w,total,$text\n"
                                  "limit=0\n"
                                  "i=1\n"
                                  "total=0\n"
                                  "while i<=n\n"
                                  "   call addup\n"
                                  "   i=i+1\n"
                                  "endwhile\n"
                                  "$text=\"total weight lifted: $total\"\n"
                                  "output($text)\n"
                                  "if total>=10000\n"
                                  "   output(\"a heavy period\")\n"
                                  "else\n"
                                  "   output(\"a light period\")\n"
                                  "endif\n"
                                  "\n"
                                  "sub addup\n"
                                  "   total=total+w\n"
                                  "endsub\n");
    // The same script with the loop running: three passes of 4000.
    // Values stay in their slots: declaring i, n, w in the same order hands them over.
    m_env->writeFile("set.fvs", "var i,n,w\nn=3\nw=4000\n");
    const Result r = cli({"run", "total.fvs", "set.fvs", "total.fvs"});
    QCOMPARE(r.err, QString());
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("total weight lifted: 0\na light period\n"
                                   "total weight lifted: 12000\na heavy period\n"));
}

void TestRunCommand::scriptsShareOneInterpreter()
{
    m_env->writeFile("count.fvs", "var c\nc=c+1\noutput(c)\n");
    const Result r = cli({"run", "count.fvs", "count.fvs", "count.fvs"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("1\n2\n3\n"));
}

void TestRunCommand::inputFromStandardInput()
{
    m_env->writeFile("ask.fvs", "var n,$s,$t\nn=input(\"n\",1)\n$s=input(\"s\",\"x\")\n$t=input(\"t\",\"def\")\n"
                                "output(n)\noutput($s)\noutput($t)\n");
    const Result r = cli({"run", "ask.fvs"}, "5\nTyped Text\n");
    QCOMPARE(r.err, QString());
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("5\nTyped Text\ndef\n")); // the end of input answers with the default
}

void TestRunCommand::errorEndsTheRun()
{
    m_env->writeFile("bad.fvs", "output(\"before\")\nvar x\nx=1/0\noutput(\"after\")\n");
    m_env->writeFile("next.fvs", "output(\"next\")\n");
    const Result r = cli({"run", "bad.fvs", "next.fvs"});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, QStringLiteral("before\n"));
    QCOMPARE(r.err, QStringLiteral("Floating point division by zero (line 3: x=1/0)\n"));
}

void TestRunCommand::timeoutStopsEndlessLoop()
{
    m_env->writeFile("loop.fvs", "var i\nwhile 1<2\ni=i+1\nendwhile\n");
    const Result r = cli({"run", "--timeout", "0.3", "loop.fvs"});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.startsWith(QStringLiteral("The script was stopped (line ")), qPrintable(r.err));

    // A timeout too long to count in milliseconds lets a finite loop run to its end.
    m_env->writeFile("count.fvs", "var i\nwhile i<1000\ni=i+1\nendwhile\noutput(i)\n");
    const Result longTimeout = cli({"run", "--timeout", "1e300", "count.fvs"});
    QCOMPARE(longTimeout.err, QString());
    QCOMPARE(longTimeout.out, QStringLiteral("1000\n"));
}

void TestRunCommand::interruptStopsEndlessLoop()
{
    m_env->writeFile("loop.fvs", "output(\"started\")\nwhile 1<2\nendwhile\n");
    QProcess process;
    process.setWorkingDirectory(m_env->folder());
    process.start(cliProgram(), {"run", "loop.fvs"});
    QVERIFY(process.waitForStarted());
    // The output comes after the handler is in place, so Ctrl+C now reaches the script.
    QByteArray out;
    while (!out.contains("started\n") && process.waitForReadyRead(30000))
        out += process.readAllStandardOutput();
    QCOMPARE(out, QByteArray("started\n"));
    ::kill(pid_t(process.processId()), SIGINT);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()), QStringLiteral("The script was stopped (line 2: while 1<2)\n"));
}

void TestRunCommand::includeResolvesAgainstCurrentDirectory()
{
    m_env->writeFile("lib.fvs", "output(\"from lib\")\n");
    m_env->writeFile("main.fvs", "include lib.fvs\n");
    const Result r = cli({"run", "main.fvs"});
    QCOMPARE(r.err, QString());
    QCOMPARE(r.out, QStringLiteral("from lib\n"));
}

void TestRunCommand::usage()
{
    QCOMPARE(cli({"run"}).status, 2);
    QCOMPARE(cli({"run", "--timeout", "soon", "x.fvs"}).status, 2);
    QCOMPARE(cli({"run", "--timeout", "nan", "x.fvs"}).status, 2);
    QCOMPARE(cli({"run", "--timeout", "inf", "x.fvs"}).status, 2);
    const Result missing = cli({"run", "absent.fvs"});
    QCOMPARE(missing.status, 1);
    QCOMPARE(missing.err, QStringLiteral("Cannot open file \"absent.fvs\". No such file or directory\n"));
}

QTEST_GUILESS_MAIN(TestRunCommand)
#include "tst_runcommand.moc"
