#include "ScriptTestHost.h"

#include <QDir>
#include <QFile>

// The preprocessing of a run: lines normalized, includes expanded, declarations
// collected, and the bounds that keep it within time and memory.
class TestScriptPreprocessing : public QObject {
    Q_OBJECT

private:
    TestEnvironment *m_env = nullptr;

    QString run(ScriptInterpreter &interpreter, const QString &script, const QString &name = "script.fvs")
    {
        return runScript(*m_env, interpreter, script, name);
    }

private slots:
    void init()
    {
        m_env = new TestEnvironment;
        QDir::setCurrent(m_env->folder()); // include names resolve against it
    }
    void cleanup()
    {
        QDir::setCurrent(QDir::tempPath());
        delete m_env;
        m_env = nullptr;
    }

    void normalizeLine_data();
    void normalizeLine();
    void declarations();
    void declarationLimits_data();
    void declarationLimits();
    void subroutineBeyondLine255();
    void includes();
    void preprocessingBounds_data();
    void preprocessingBounds();
    void missingFiles();
    void fileEncodings();
};

void TestScriptPreprocessing::normalizeLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("normalized");
    QTest::newRow("case and operators") << "X = Y + 1" << "x=y+1";
    QTest::newRow("tab and leading spaces") << "\t  Output(\"Hello  World\")" << "output(\"hello world\")";
    QTest::newRow("spaces around + inside a literal") << "output(\"a + b\")" << "output(\"a+b\")";
    QTest::newRow("space after comma") << "var a, b,  $t" << "var a,b,$t";
    QTest::newRow("trailing blanks keep one space") << "endif   " << "endif ";
    QTest::newRow("comment") << "x=1 ; the rest" << "x=1";
    QTest::newRow("semicolon cuts a literal") << "output(\"a;b\")" << "output(\"a";
    QTest::newRow("space then blank then semicolon") << "a  ;x" << "a ";
    QTest::newRow("only letters A-Z change") << "ÄBC" << "Äbc";
    QTest::newRow("blank line") << "  \t " << "";
    QTest::newRow("runs of blanks beside operators") << "x  =  a  +  b" << "x=a+b";
    QTest::newRow("tab and spaces beside an operator") << "x \t= \t1" << "x=1";
    QTest::newRow("run of blanks after a comma") << "var a,  \tb" << "var a,b";
    QTest::newRow("tab then space after an operator") << "x=\t 1" << "x=1";
    QTest::newRow("tab then space after a comma") << "var a,\t b" << "var a,b";
}

void TestScriptPreprocessing::normalizeLine()
{
    QFETCH(QString, line);
    QFETCH(QString, normalized);
    QCOMPARE(ScriptInterpreter::normalizeLine(line), normalized);
}

void TestScriptPreprocessing::declarations()
{
    RecordingHost host;
    ScriptInterpreter interpreter(host);
    QCOMPARE(run(interpreter, "var a,b,$t,\nsub tally\nendsub\nvariance=2"), QString());
    QCOMPARE(interpreter.numericCount(), 4); // a, b, tally, ance=2
    QCOMPARE(interpreter.textCount(), 1);
    QCOMPARE(interpreter.subroutineCount(), 1);
    // Declaration lines become empty so that positions stay stable.
    QCOMPARE(interpreter.programLines().line(0), QString());
    QCOMPARE(interpreter.programLines().line(2), QStringLiteral("endsub"));
}

void TestScriptPreprocessing::declarationLimits_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("error");
    QStringList names;
    QStringList texts;
    QStringList subs;
    for (int i = 1; i <= 31; ++i) {
        names << QStringLiteral("v%1").arg(i);
        texts << QStringLiteral("$t%1").arg(i);
        subs << QStringLiteral("sub s%1\nendsub").arg(i);
    }
    QTest::newRow("31 numbers") << "var " + names.join(',') << "Too many numeric variables: at most 30 can be "
                                                               "declared (line 1: var " + names.join(',') + ")";
    QTest::newRow("31 texts") << "var " + texts.join(',') << "Too many text variables: at most 30 can be "
                                                             "declared (line 1: var " + texts.join(',') + ")";
    QTest::newRow("31 subroutines") << subs.join('\n')
                                    << "Too many subroutines: at most 30 can be declared (line 61: sub s31)";
    QTest::newRow("30 of each fit") << "var " + QStringList(names.mid(0, 30)).join(',') << QString();
    QTest::newRow("empty name") << "var a,,b" << "Empty name in a declaration list (line 1: var a,,b)";
    QTest::newRow("leading comma") << "var ,a" << "Empty name in a declaration list (line 1: var ,a)";
    QTest::newRow("sub without endsub") << "output(1)\nsub s\noutput(2)"
                                        << "The subroutine s has no endsub line (line 2: sub s)";
}

void TestScriptPreprocessing::declarationLimits()
{
    QFETCH(QString, script);
    QFETCH(QString, error);
    RecordingHost host;
    ScriptInterpreter interpreter(host);
    QCOMPARE(run(interpreter, script), error);
    QVERIFY(host.outputs.isEmpty());
}

void TestScriptPreprocessing::subroutineBeyondLine255()
{
    RecordingHost host;
    ScriptInterpreter interpreter(host);
    QString script = QStringLiteral("var n\n");
    for (int i = 0; i < 300; ++i)
        script += QStringLiteral("n=n+1\n");
    script += QStringLiteral("call s\noutput(n)\nsub s\noutput(\"in s\")\nendsub\n");
    QCOMPARE(run(interpreter, script), QString());
    QCOMPARE(host.outputs, (QStringList{"in s", "300"}));
}

void TestScriptPreprocessing::includes()
{
    RecordingHost host;
    ScriptInterpreter interpreter(host);
    // Within the first N positions an include of an included file is expanded too.
    m_env->writeFile("lib.fvs", "Var X\r\nx=7\r\ninclude inner.fvs\r\n");
    m_env->writeFile("inner.fvs", "output(\"Inner $x\")\n");
    QCOMPARE(run(interpreter, "include lib.fvs\noutput(x)\noutput(1)\noutput(2)\n"), QString());
    QCOMPARE(host.outputs, (QStringList{"inner 7", "7", "1", "2"}));

    // Beyond them it stays an unexpanded line that does nothing.
    host.outputs.clear();
    QCOMPARE(run(interpreter, "include lib.fvs\noutput(x)"), QString());
    QCOMPARE(host.outputs, (QStringList{"7"}));

    // An error inside an included file names that file's line.
    m_env->writeFile("bad.fvs", "var y\ny=1/0\n");
    QCOMPARE(run(interpreter, "include bad.fvs"), QStringLiteral("Floating point division by zero (line 2 of bad.fvs: y=1/0)"));
}

void TestScriptPreprocessing::preprocessingBounds_data()
{
    QTest::addColumn<QStringList>("files"); // name, content, name, content, ...
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("stopAfter");
    QTest::addColumn<QStringList>("outputs");
    QTest::addColumn<QString>("error");

    const QString selfIncluding = QStringLiteral("include self.fvs\n").repeated(3000);
    QTest::newRow("every include line of the script")
        << QStringList{"a.fvs", "output(\"a1\")\noutput(\"a2\")\noutput(\"a3\")", "b.fvs", "output(\"b\")"}
        << "include a.fvs\ninclude b.fvs" << -1 << QStringList{"a1", "a2", "a3", "b"} << QString();
    QTest::newRow("a file including itself grows past the bound")
        << QStringList{"self.fvs", selfIncluding} << selfIncluding << -1 << QStringList()
        << "The program grows beyond 1000000 lines or 67108864 characters with its includes "
           "(line 1 of self.fvs: include self.fvs)";
    QTest::newRow("stopped while the includes are expanded")
        << QStringList{"self.fvs", QStringLiteral("include self.fvs\n").repeated(600)}
        << QStringLiteral("include self.fvs\n").repeated(600) << 0
        << QStringList() << "The script was stopped (line 1 of self.fvs: include self.fvs)";
    const QString longName = QString(230, QLatin1Char('x'));
    QTest::newRow("a long name is cut in the message") << QStringList() << "include " + longName << -1 << QStringList()
        << "Cannot open file \"" + longName.left(200) + "...\". No such file or directory (line 1: include "
               + longName.left(192) + "...)";
    QTest::newRow("a long number is cut in the message") << QStringList() << "var x\nx=1+" + QString(300, '9') + "z"
        << -1 << QStringList()
        << "'" + QString(200, '9') + "...' is not a valid floating point value (line 2: x=1+" + QString(196, '9')
               + "...)";
}

void TestScriptPreprocessing::preprocessingBounds()
{
    QFETCH(QStringList, files);
    QFETCH(QString, script);
    QFETCH(int, stopAfter);
    QFETCH(QStringList, outputs);
    QFETCH(QString, error);
    for (int i = 0; i + 1 < files.size(); i += 2)
        m_env->writeFile(files.at(i), files.at(i + 1).toUtf8());
    RecordingHost host;
    host.stopAfter = stopAfter;
    ScriptInterpreter interpreter(host);
    QCOMPARE(run(interpreter, script), error);
    QCOMPARE(host.outputs, outputs);
}

void TestScriptPreprocessing::missingFiles()
{
    RecordingHost host;
    ScriptInterpreter interpreter(host);
    QCOMPARE(run(interpreter, "output(1)\ninclude nowhere.fvs\noutput(2)"),
             QStringLiteral("Cannot open file \"nowhere.fvs\". No such file or directory (line 2: include nowhere.fvs)"));
    QVERIFY(host.outputs.isEmpty());
    // Only regular files are included; a script read from a device is read up to the
    // bound on a file.
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), m_env->path("zero.fvs")));
    QCOMPARE(run(interpreter, "include zero.fvs"),
             QStringLiteral("Cannot read file \"zero.fvs\": it is not a regular file (line 1: include zero.fvs)"));
    try {
        interpreter.RunScript(QStringLiteral("/dev/zero"));
        QFAIL("an endless script ran");
    } catch (const ScriptError &e) {
        QCOMPARE(e.message(), QStringLiteral("Cannot read file \"/dev/zero\": it is larger than 16777216 bytes"));
    }
    try {
        interpreter.RunScript(m_env->path("absent.fvs"));
        QFAIL("a missing script ran");
    } catch (const ScriptError &e) {
        QCOMPARE(e.message(), QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(m_env->path("absent.fvs")));
    }
}

void TestScriptPreprocessing::fileEncodings()
{
    RecordingHost host;
    ScriptInterpreter interpreter(host);
    // UTF-16 with its mark; without one the bytes are single-byte (Windows-1250) text.
    QByteArray utf16("\xFF\xFE");
    const QString text = QStringLiteral("output(\"\u017Eelja\")\r\n");
    utf16.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    m_env->writeFile("wide.fvs", utf16);
    interpreter.RunScript("wide.fvs");
    m_env->writeFile("ansi.fvs", "output(\"\x9E" "elja\")\routput(2)");
    interpreter.RunScript("ansi.fvs");
    QCOMPARE(host.outputs, (QStringList{QStringLiteral("\u017Eelja"), QStringLiteral("\u017Eelja"), "2"}));
}

QTEST_GUILESS_MAIN(TestScriptPreprocessing)
#include "tst_ScriptPreprocessing.moc"
