#include "ScriptTestHost.h"
#include "common/ValueConversions.h"
#include "script/ScriptLibrary.h"

#include <QDir>

#include <cmath>
#include <cstring>

// Statements, expressions, the library and the host objects, run as scripts.
class TestScriptInterpreter : public QObject {
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

    void formatNumber_data();
    void formatNumber();
    void numbersAsTheMainWindowShowsThem();
    void scripts_data();
    void scripts();
    void inputDialog();
    void valuesPersistBetweenRuns();
    void stopFromHost();
    void endlessRecursionEndsWithError();
    void nestingLimitAlikeInBothExecutors_data();
    void nestingLimitAlikeInBothExecutors();
    void regionalDecimalSeparator();
    void hostObjects();
};

void TestScriptInterpreter::formatNumber_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("1E7 fixed") << 1e7f << "10000000";
    QTest::newRow("12500000 fixed") << 12500000.0f << "12500000";
    QTest::newRow("1E14 fixed") << 1e14f << "100000000000000";
    QTest::newRow("1E15 scientific") << 1e15f << "1E15";
    QTest::newRow("1E20 scientific") << 1e20f << "1E20";
    QTest::newRow("0.0001 fixed") << 0.0001f << "0.0001";
    QTest::newRow("1.5E-7 scientific") << 1.5e-7f << "1.5E-7";
    QTest::newRow("negative") << -2.5f << "-2.5";
    QTest::newRow("zero") << 0.0f << "0";
}

void TestScriptInterpreter::formatNumber()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(ScriptInterpreter::FormatNumber(value), text);
}

// A script shows a number as the main window does, and math_round cuts digits as
// the main window does: both are checked over singles of every magnitude.
void TestScriptInterpreter::numbersAsTheMainWindowShowsThem()
{
    QList<float> values{1.05f, -2.567f, 0.0001f, 9.9999997e-05f, 999999999999999.0f, 1e15f, 3.4028235e38f,
                        1.4e-45f, 0.1f, 123456789.0f, -0.5f, 2.5f, 16777217.0f};
    quint32 bits = 12345;
    for (int i = 0; i < 20000; ++i) {
        bits = bits * 1664525u + 1013904223u;
        float x = 0;
        std::memcpy(&x, &bits, sizeof x);
        if (std::isfinite(x))
            values << x;
    }
    // Values of everyday size, where cuts are worked out by arithmetic: sines at
    // several scales, and hundredths and thousandths that sit just beside a cut.
    for (int k = 1; k < 3000; ++k) {
        for (float scale : {0.001f, 1.0f, 100.0f, 10000.0f})
            values << float(std::sin(double(k))) * scale;
        values << float(k) / 100 << float(k) / 1000 + 0.0005f << float(k) * 1.005f;
    }
    for (const QChar separator : {QLatin1Char('.'), QLatin1Char(',')}) {
        RegionalSettings settings;
        settings.decimalSeparator = separator;
        pinRegionalSettings(settings);
        for (float x : values) {
            QCOMPARE(ScriptInterpreter::FormatNumber(x), NumberText(x));
            for (int n : {-3, 0, 1, 2, 3, 5, 8, 9})
                QCOMPARE(truncateToDecimals(n, x), TruncateToDecimals(n, x));
        }
    }
    pinRegionalSettings();
}

void TestScriptInterpreter::scripts_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("outputs");
    QTest::addColumn<QString>("error");

    const QStringList none;
    // Programs and preprocessing
    QTest::newRow("empty file") << "" << none << none << QString();
    QTest::newRow("literal lowercased") << "output(\"Hello World\")" << none << QStringList{"hello world"} << QString();
    QTest::newRow("spaces do not matter") << "var x,y\ny=2\n\tx = y + 1\noutput(x)" << none << QStringList{"3"}
                                          << QString();
    QTest::newRow("semicolon inside a literal") << "output(\"a;b\")" << none << QStringList{""} << QString();
    QTest::newRow("literal spacing") << "output(\"a  b + c\")" << none << QStringList{"a b+c"} << QString();
    QTest::newRow("undeclared names") << "limit=5\noutput(limit)" << none << QStringList{"0"} << QString();
    QTest::newRow("first of two slots") << "var a,a\na=5\noutput(a)" << none << QStringList{"5"} << QString();
    QTest::newRow("sub name is a variable") << "sub tally\nendsub\ntally=3\noutput(tally)" << none
                                            << QStringList{"3"} << QString();
    QTest::newRow("subtotal starts a subroutine") << "var x\nsubtotal=5\nx=1\nendsub\noutput(x)" << none
                                                  << QStringList{"0"} << QString();
    QTest::newRow("declaration inside a body") << "call s\noutput(v)\nsub s\nvar v\nv=4\nendsub" << none
                                               << QStringList{"4"} << QString();

    // Blocks and calls
    QTest::newRow("false if without else") << "if 1>2\noutput(\"a\")\nendif\noutput(\"b\")" << none
                                           << QStringList{"b"} << QString();
    QTest::newRow("else in a subroutine")
        << "call s\nsub s\nif 1>2\noutput(\"a\")\nelse\noutput(\"b\")\nendif\nendsub" << none << QStringList{"b"}
        << QString();
    QTest::newRow("nested ifs") << "if 2>1\nif 1>2\noutput(\"x\")\nelse\noutput(\"inner else\")\nendif\n"
                                   "output(\"outer\")\nelse\noutput(\"outer else\")\nendif"
                                << none << QStringList{"inner else", "outer"} << QString();
    QTest::newRow("while inside if") << "var i\ni=0\nif i<1\nwhile i<2\ni=i+1\nendwhile\noutput(i)\nelse\n"
                                        "output(\"no\")\nendif"
                                     << none << QStringList{"2"} << QString();
    QTest::newRow("while false at start") << "while 1>2\noutput(\"x\")\nendwhile\noutput(\"done\")" << none
                                          << QStringList{"done"} << QString();
    QTest::newRow("iffy opens a block") << "var iffy\nif 1>2\niffy=1\noutput(\"a\")\nendif\noutput(\"b\")\nendif\n"
                                           "output(\"c\")"
                                        << none << QStringList{"c"} << QString();
    QTest::newRow("whiles opens a loop") << "var i,whiles\ni=0\nwhile i<1\ni=i+1\nwhiles=1\nendwhile\n"
                                            "output(\"in\")\nendwhile\noutput(i)"
                                         << none << QStringList{"in", "1"} << QString();
    QTest::newRow("if without endif") << "if nocompare\noutput(\"x\")" << none << QStringList{"x"} << QString();
    QTest::newRow("endif with a blank") << "if 2<1\noutput(\"in\")\nendif \noutput(\"after\")" << none
                                        << QStringList{"in", "after"} << QString();
    QTest::newRow("while without endwhile") << "while 1<2\noutput(\"once\")" << none << QStringList{"once"}
                                            << QString();
    QTest::newRow("stray else, endif, unknown call") << "else\nendif\ncall nobody\noutput(\"ok\")" << none
                                                     << QStringList{"ok"} << QString();
    QTest::newRow("recursion with an end") << "var n\nn=3\ncall down\nsub down\noutput(n)\nn=n-1\nif n>0\n"
                                              "call down\nendif\nendsub"
                                           << none << QStringList{"3", "2", "1"} << QString();
    QTest::newRow("outputs=1 is an output") << "outputs=1" << none << QStringList{"0"} << QString();
    QTest::newRow("branches in a loop")
        << "var i,s\ni=0\ns=0\nwhile i<6\ni=i+1\nif i>3\nif i>4\ns=s+100\nelse\ns=s+10\nendif\nelse\n"
           "s=s+1\nendif\nendwhile\noutput(s)"
        << none << QStringList{"213"} << QString();
    QTest::newRow("sub declared inside an if") << "var x\nx=1\nif x>0\nsub inner\nx=x+10\nendsub\nx=x+2\nendif\n"
                                                  "call inner\noutput(x)"
                                               << none << QStringList{"13"} << QString();
    QTest::newRow("subroutines sharing an endsub") << "var a\ncall outer\ncall inner\noutput(a)\nsub outer\n"
                                                      "a=a+1\nsub inner\na=a+10\nendsub"
                                                   << none << QStringList{"21"} << QString();
    // Each level is a call and two branches: the 1000th level is reached at a call.
    QTest::newRow("recursion inside ifs") << "sub r\nif 1<2\nif 1<2\ncall r\nendif\nendif\nendsub\ncall r" << none
                                          << none
                                          << "Calls and blocks are nested more than 1000 levels deep (line 4: call r)";
    // Blocks that cross: a range ends past its last line even inside a longer block.
    QTest::newRow("while ends past its if") << "var i,k\ni=0\nk=0\nif 1<2\nwhile i<3\ni=i+1\nendif\nk=k+1\n"
                                               "endwhile\noutput(k)"
                                            << none << QStringList{"4"} << QString();
    QTest::newRow("else inside a nested while") << "var a\na=0\nif 1<2\nwhile a>0\nelse\na=a+5\nendwhile\n"
                                                   "a=a+1\nendif\noutput(a)"
                                                << none << QStringList{"0"} << QString();

    // Literals
    QTest::newRow("number in a literal") << "var n\nn=3\noutput(\"n=$n end\")" << none << QStringList{"n=3 end"}
                                         << QString();
    QTest::newRow("full stop joins the name") << "var n\nn=3\noutput(\"n=$n. end\")" << none
                                              << QStringList{"n=0 end"} << QString();
    QTest::newRow("text in a literal") << "var $t\n$t=\"boss\"\noutput(\"hi $$t now\")" << none
                                       << QStringList{"hi boss now"} << QString();
    QTest::newRow("dollar naming nothing") << "output(\"cost $ 5 $\")" << none << QStringList{"cost $ 5 $"}
                                           << QString();
    QTest::newRow("parenthesis in a literal") << "output(\"(a)\")" << none << QStringList{"{a)"} << QString();
    QTest::newRow("literal expanded each pass") << "var i\ni=1\nwhile i<=3\noutput(\"pass $i\")\ni=i+1\nendwhile"
                                                << none << QStringList{"pass 1", "pass 2", "pass 3"} << QString();
    QTest::newRow("loop condition expanded once")
        << "var k,n,$s\nn=3\nk=1\n$s=\"1\"\nwhile $s<\"$n\"\nk=k+1\n$s=string_str(k)\nn=0\nendwhile\noutput(k)"
        << none << QStringList{"3"} << QString();

    QTest::newRow("literal condition expanded each pass")
        << "var i\ni=0\nwhile i<3\ni=i+1\nif \"$i\"==\"2\"\noutput(\"two\")\nelse\noutput(\"not $i\")\nendif\nendwhile"
        << none << QStringList{"not 1", "two", "not 3"} << QString();
    QTest::newRow("error in a loop names its line")
        << "var i,x\ni=0\nwhile i<5\ni=i+1\nif i==3\nx=1/0\nendif\nendwhile" << none << none
        << "Floating point division by zero (line 6: x=1/0)";
    QTest::newRow("error in a called body inside a loop")
        << "var i\ni=0\nwhile i<3\ni=i+1\ncall s\nendwhile\nsub s\nif i>2\noutput(math_sqrt(i))\ni=math_log(0)\nendif\nendsub"
        << none << QStringList{""} << "Floating point division by zero (line 10: i=math_log(0))";
    QTest::newRow("blanks around an operator") << "var x,a,b\na=1\nb=2\nx  =  a  +  b\noutput(x)" << none
                                               << QStringList{"3"} << QString();

    // Texts built onto themselves
    QTest::newRow("text built in place equals one built by copies")
        << "var i,$t,$u,$v,$a,$b,$c\ni=0\nwhile i<40\ni=i+1\n$t=string_concat($t,i)\n$v=string_concat($u,i)\n$u=$v\n"
           "$a=array_push($a,i)\n$c=array_push($b,i)\n$b=$c\nendwhile\nif $t==$u\noutput(\"texts equal\")\nendif\n"
           "if $a==$b\noutput(\"arrays equal\")\nendif\noutput(string_copy($t,8,6))\noutput(string_copy($a,1,9))"
        << none << QStringList{"texts equal", "arrays equal", "891011", "40:39:38:"} << QString();
    QTest::newRow("in place leaves copies alone")
        << "var $t,$u,$a,$b\n$t=\"x\"\n$u=$t\n$t=string_concat($t,\"y\")\n$a=\"1:\"\n$b=$a\n$a=array_push($a,2)\n"
           "output(\"$$t $$u $$a $$b\")"
        << none << QStringList{"xy x 2:1: 1:"} << QString();
    QTest::newRow("text appended to itself") << "var $t\n$t=\"ab\"\n$t=string_concat($t,$t)\n$t=string_concat($t,$t)\n"
                                                "output($t)\n$t=array_push($t,$t)\noutput($t)"
                                             << none << QStringList{"abababab", "abababab:abababab"} << QString();
    QTest::newRow("text as long as the bound") << "var i,n,$t\n$t=\"x\"\ni=0\nwhile i<25\ni=i+1\n"
                                                  "$t=string_concat($t,$t)\nendwhile\nn=string_length($t)\noutput(n)"
                                               << none << QStringList{"33554432"} << QString();
    QTest::newRow("text doubled without end")
        << "var $t\n$t=\"x\"\nwhile 1<2\n$t=string_concat($t,$t)\nendwhile" << none << none
        << "A text would grow beyond 33554432 characters (line 4: $t=string_concat($t,$t))";
    QTest::newRow("array exploded beyond the bound")
        << "var i,$a,$s\n$s=\"0123456789\"\ni=0\nwhile i<21\ni=i+1\n$s=string_concat($s,$s)\nendwhile\n$a=\"1:2:3:\"\n"
           "$a=array_explode($a,$s)"
        << none << none << "A text would grow beyond 33554432 characters (line 9: $a=array_explode($a,$s))";

    // Expressions
    QTest::newRow("one operator") << "var x,y\ny=2\nx=y+1\noutput(x)" << none << QStringList{"3"} << QString();
    QTest::newRow("second operator fails") << "var x,y\ny=2\nx=y+1+1" << none << none
                                           << "'1+1' is not a valid floating point value (line 3: x=y+1+1)";
    QTest::newRow("negative right operand") << "var x\nx=5*-2\noutput(x)" << none << QStringList{"-10"}
                                            << QString();
    QTest::newRow("leading minus is a number") << "var x\nx=-3*2\noutput(x)" << none << QStringList{"-6"}
                                               << QString();
    QTest::newRow("negated variable fails") << "var x,y\ny=-x" << none << none
                                            << "'-x' is not a valid floating point value (line 2: y=-x)";
    QTest::newRow("powers") << "var a,b,c\na=2^10\nb=2^-1\nc=0^0.5\noutput(\"$a $b $c\")" << none
                            << QStringList{"1024 0.5 0"} << QString();
    QTest::newRow("division") << "var x\nx=7/2\noutput(x)\nx=1/0" << none << QStringList{"3.5"}
                              << "Floating point division by zero (line 4: x=1/0)";
    QTest::newRow("zero by zero") << "var x\nx=0/0" << none << none
                                  << "Invalid floating point operation (line 2: x=0/0)";
    QTest::newRow("overflow") << "var x\nx=1e30*1e30" << none << none << "Floating point overflow (line 2: x=1e30*1e30)";
    QTest::newRow("number read beyond a single") << "var x\nx=1e39" << none << none
                                                 << "Floating point overflow (line 2: x=1e39)";
    QTest::newRow("largest single reads back") << "var x,y,$s\nx=3.4028235e38\n$s=string_str(x)\ny=string_val($s)\n"
                                                  "output($s)\noutput(y)\nx=3.4028236e38"
                                               << none << QStringList{"3.4028235E38", "3.4028235E38"}
                                               << "Floating point overflow (line 7: x=3.4028236e38)";
    QTest::newRow("total weight in fixed notation") << "var w\nw=2500*5000\noutput(w)\noutput(\"$w kg\")" << none
                                                    << QStringList{"12500000", "12500000 kg"} << QString();
    QTest::newRow("single precision") << "var x\nx=0.1+0.2\noutput(x)" << none << QStringList{"0.3"} << QString();
    QTest::newRow("comparison character in an expression") << "var x\nx=1<2" << none << none
        << "The comparison operator < cannot stand in a numeric expression (line 2: x=1<2)";
    QTest::newRow("operator at the end") << "var x\nx=5+" << none << none << "Missing operand (line 2: x=5+)";
    QTest::newRow("empty expression") << "var x\nx=" << none << none << "Missing operand (line 2: x=)";
    QTest::newRow("empty output") << "output()" << none << none << "Missing operand (line 1: output())";
    QTest::newRow("text ending in an operator") << "output(x+)" << none << QStringList{"0"} << QString();
    QTest::newRow("single = is greater-or-equal")
        << "if 3=2\noutput(\"a\")\nendif\nif 2=3\noutput(\"b\")\nendif\nif 2==2\noutput(\"c\")\nendif\n"
           "if 2<>2\noutput(\"d\")\nendif\nif 1=<2\noutput(\"e\")\nendif"
        << none << QStringList{"a", "c"} << QString();
    QTest::newRow("condition without comparison") << "var x\nif x\noutput(\"a\")\nendif" << none << none
                                                  << "The condition has no comparison operator (line 2: if x)";
    QTest::newRow("text comparison") << "var $s\n$s=\"b\"\nif $s>\"abc\"\noutput(\"greater\")\nendif\n"
                                        "if $none<\"a\"\noutput(\"empty is less\")\nendif"
                                     << none << QStringList{"greater", "empty is less"} << QString();
    QTest::newRow("number side of a text comparison") << "var $s\nif $s==5\noutput(\"equal\")\nendif\n$s=\"5\"\n"
                                                         "if $s==5\noutput(\"again\")\nendif"
                                                      << none << QStringList{"equal"} << QString();
    QTest::newRow("numeric member in a text place") << "var x,n\nx=-2\noutput(math_abs(x))\nn=math_abs(x)\noutput(n)"
                                                    << none << QStringList{"", "2"} << QString();
    QTest::newRow("text assignment forms") << "var $a,$b\n$a=\"x\"\n$b=$a\noutput($b)\n$b=\n$a=5\noutput(\"[$$a ]\")"
                                           << none << QStringList{"x", "[ ]"} << QString();

    // math
    QTest::newRow("math_round") << "var x,a,b,c\nx=-2.567\na=math_round(x,2)\nb=math_round(2.567,0)\n"
                                   "c=math_round(2.567,2)\noutput(\"$a $b $c\")"
                                << none << QStringList{"-2.56 2 2.56"} << QString();
    QTest::newRow("math functions") << "var x,a,b,c,d,e,f\nx=-2.7\na=math_trunc(x)\nb=math_max(3,7)\n"
                                       "c=math_min(3,7)\nd=math_log(100)\ne=math_sqrt(16)\nf=math_cos(0)\n"
                                       "output(\"$a $b $c $d $e $f\")"
                                    << none << QStringList{"-2 7 3 2 4 1"} << QString();
    QTest::newRow("math_sqrt of a negative") << "var x,y\nx=-1\ny=math_sqrt(x)" << none << none
                                             << "Invalid floating point operation (line 3: y=math_sqrt(x))";
    QTest::newRow("math_log of 0") << "var y\ny=math_log(0)" << none << none
                                   << "Floating point division by zero (line 2: y=math_log(0))";
    QTest::newRow("math without arguments") << "var y\ny=math_abs" << none << none
                                            << "The function math_abs needs an argument list (line 2: y=math_abs)";
    QTest::newRow("negative argument splits") << "var y\ny=math_abs(-2)" << none << none
                                              << "Missing operand (line 2: y=math_abs(-2))";

    // string
    QTest::newRow("string_copy") << "var $s\n$s=\"abcdef\"\noutput(string_copy($s,0,2))\n"
                                    "output(string_copy($s,3,100))\noutput(string_copy($s,7,1))\n"
                                    "output(string_copy($s,2,0))"
                                 << none << QStringList{"ab", "cdef", "", ""} << QString();
    QTest::newRow("string_delete and insert") << "var $s\n$s=\"abcdef\"\noutput(string_delete($s,0,2))\n"
                                                 "output(string_delete($s,2,2))\noutput(string_delete($s,5,9))\n"
                                                 "output(string_insert(\"x\",$s,0))\noutput(string_insert(\"x\",$s,3))\n"
                                                 "output(string_insert(\"x\",$s,99))"
                                              << none
                                              << QStringList{"abcdef", "adef", "abcd", "xabcdef", "abxcdef", "abcdefx"}
                                              << QString();
    QTest::newRow("string_concat joins two") << "output(string_concat(\"a\",\"b\",\"c\"))" << none
                                             << QStringList{"ab"} << QString();
    QTest::newRow("string_length") << "var $s,n\n$s=\"hello\"\noutput(string_length($s))\nn=string_length($s)\n"
                                      "output(n)"
                                   << none << QStringList{"", "5"} << QString();
    QTest::newRow("string_str and string_val") << "var n,m,$s\nn=3\n$s=string_str(n)\noutput($s)\n$s=\"2*3\"\n"
                                                  "m=string_val($s)\noutput(m)"
                                               << none << QStringList{"3", "6"} << QString();
    QTest::newRow("string case") << "var $s\n$s=string_uppercase(\"abc1\")\noutput($s)\n"
                                    "output(string_lowercase($s))"
                                 << none << QStringList{"ABC1", "abc1"} << QString();
    QTest::newRow("string_str of every number") << "var x,y,$s\nx=0.00000015\n$s=string_str(x)\noutput($s)\n"
                                                   "y=0-x\noutput(string_str(y))\nx=1e20\noutput(string_str(x))"
                                                << none << QStringList{"1.5E-7", "-1.5E-7", "1E20"} << QString();
    QTest::newRow("string_val of a number's text") << "var x,y\nx=2.5\ny=string_val(x)\noutput(y)" << none
                                                   << QStringList{"2.5"} << QString();
    QTest::newRow("string_val splits a negative exponent") << "var x,y\nx=0.00000015\ny=string_val(x)" << none << none
        << "'1.5E' is not a valid floating point value (line 3: y=string_val(x))";
    QTest::newRow("string_newline") << "var $s\n$s=string_newline\noutput(string_concat(\"a\",$s))" << none
                                    << QStringList{"a\r\n"} << QString();
    QTest::newRow("string_str of an empty text") << "var $s\n$s=string_str(workouts_info_date)" << none << none
        << "Missing operand (line 2: $s=string_str(workouts_info_date))";
    QTest::newRow("missing argument") << "var $s\n$s=string_copy(\"abc\",2)" << none << none
                                      << "Missing operand (line 2: $s=string_copy(\"abc\",2))";

    QTest::newRow("text function nesting itself") << "var $a,$b\n$a=input(\"f\",\"\")\n$b=string_str($a)"
                                                  << QStringList{"string_str($a)"} << none
        << "Functions are nested more than 1000 levels deep (line 3: $b=string_str($a))";
    QTest::newRow("numeric function nesting itself") << "var $a,n\n$a=input(\"f\",\"\")\nn=string_val($a)"
                                                     << QStringList{"string_val($a)"} << none
        << "Functions are nested more than 1000 levels deep (line 3: n=string_val($a))";
    QTest::newRow("function nesting below deep calls")
        << "var n,$a,$b\n$a=input(\"f\",\"\")\ncall r\nsub r\nn=n+1\nif n<400\ncall r\nendif\n$b=string_str($a)\nendsub"
        << QStringList{"string_str($a)"} << none
        << "Functions are nested more than 1000 levels deep (line 9: $b=string_str($a))";

    // array
    QTest::newRow("push, pop, at") << "var $a,k\n$a=array_push($a,1)\n$a=array_push($a,2)\n$a=array_push($a,3)\n"
                                      "output($a)\n$a=array_pop($a)\noutput($a)\nk=array_at($a,1)\noutput(k)"
                                   << none << QStringList{"3:2:1:", "3:2:", "3"} << QString();
    QTest::newRow("pop of empty") << "var $a\n$a=array_pop($a)\noutput(\"[$$a ]\")" << none << QStringList{"[ ]"}
                                  << QString();
    QTest::newRow("array_insert") << "var $a\n$a=\"1:2:3:\"\noutput(array_insert($a,9,0))\n"
                                     "output(array_insert($a,9,99))\noutput(array_insert($a,9,1))\n"
                                     "output(array_insert($a,9,2))\noutput(array_insert($a,9,4))"
                                  << none << QStringList{"1:2:3:9:", "1:2:3:9:", "9:1:2:3:", "1:9:2:3:", "1:2:3:9:"}
                                  << QString();
    QTest::newRow("array_remove and switch") << "var $a\n$a=\"1:2:3:\"\noutput(array_remove($a,5))\n"
                                                "output(array_remove($a,1))\noutput(array_remove($a,3))\n"
                                                "output(array_switch($a,5,9))\noutput(array_switch($a,2,9))"
                                             << none << QStringList{"1:2:3:", "2:3:", "1:2:", "1:2:3:9:", "1:9:3:"}
                                             << QString();
    QTest::newRow("array_sort") << "var $a\n$a=\"10:9:100:\"\noutput(array_sort($a))\n$a=\"05:2.50:x\"\n"
                                   "output(array_sort($a))"
                                << none << QStringList{"9:10:100:", "2.5:5:"} << QString();
    QTest::newRow("array_sort of a text") << "var $a\n$a=\"x:\"\n$a=array_sort($a)" << none << none
                                          << "'x' is not a valid floating point value (line 3: $a=array_sort($a))";
    QTest::newRow("array_find compares texts") << "var $a,k\n$a=\"5.0:5:\"\nk=array_find($a,5)\noutput(k)\n"
                                                  "k=array_find($a,7)\noutput(k)"
                                               << none << QStringList{"2", "0"} << QString();
    QTest::newRow("array_explode") << "var $a\n$a=\"1:2:3:\"\noutput(array_explode($a,\"|\"))\n"
                                      "output(array_explode($a,\",\"))"
                                   << none << QStringList{"1|2|3|", "123"} << QString();
    QTest::newRow("array_reverse and size") << "var $a,n\n$a=\"1:2:3\"\noutput(array_reverse($a))\n"
                                               "n=array_size($a)\noutput(n)"
                                            << none << QStringList{"2:1:", "2"} << QString();
    QTest::newRow("array position with a fraction") << "var $a,k\n$a=\"1:2:\"\nk=array_at($a,2.5)" << none << none
        << "'2.5' is not a valid integer value (line 3: k=array_at($a,2.5))";
    QTest::newRow("array position at the integer limit")
        << "var $a,$k\n$a=\"1:2:\"\n$k=input(\"k\",0)\noutput(array_insert($a,5,$k))\noutput(array_remove($a,$k))\n"
           "output(array_switch($a,$k,5))"
        << QStringList{"-9223372036854775808"} << QStringList{"1:2:5:", "1:2:", "1:2:5:"} << QString();
    QTest::newRow("array_at beyond the size") << "var $a,k\n$a=\"1:2:\"\nk=array_at($a,3)" << none << none
        << "'' is not a valid floating point value (line 3: k=array_at($a,3))";

    // Input
    QTest::newRow("input into a number") << "var n\nn=input(\"N?\",4)\noutput(n)" << QStringList{"12.5"}
                                         << QStringList{"12.5"} << QString();
    QTest::newRow("cancel gives the default") << "var n\nn=input(\"N?\",4)\noutput(n)" << QStringList{QString()}
                                              << QStringList{"4"} << QString();
    QTest::newRow("text answer kept as typed") << "var $s\n$s=input(\"Name?\",\"bob\")\noutput($s)"
                                               << QStringList{"MiXed Case"} << QStringList{"MiXed Case"} << QString();
    QTest::newRow("answer that is not a number") << "var n\nn=input(\"N?\",4)" << QStringList{"abc"} << none
        << "'abc' is not a valid floating point value (line 2: n=input(\"n?\",4))";
    QTest::newRow("input without a target") << "input(\"N?\",\"x\")\noutput(\"after\")" << QStringList{"7"}
                                            << QStringList{"after"} << QString();
    QTest::newRow("input without a target must convert") << "input(\"N?\",\"x\")" << QStringList{QString()} << none
        << "'x' is not a valid floating point value (line 1: input(\"n?\",\"x\"))";
}

// Each script runs twice: as it stands, where blocks that nest run as jumps, and
// with a last line that calls a subroutine named by a literal value, which is only
// known when the line runs and so makes the whole program run block by block.
void TestScriptInterpreter::scripts()
{
    QFETCH(QString, script);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, outputs);
    QFETCH(QString, error);

    for (const QString &form : {script, script + "\ncall \"$a\""}) {
        RecordingHost host;
        host.stopAfter = 10000; // a script that loops by mistake ends the test case
        for (const QString &a : answers)
            host.answers.enqueue(a);
        ScriptInterpreter interpreter(host);
        QCOMPARE(run(interpreter, form), error);
        QCOMPARE(host.outputs, outputs);
        QVERIFY(host.answers.isEmpty());
    }
}

void TestScriptInterpreter::inputDialog()
{
    RecordingHost host;
    host.answers << QString() << QStringLiteral("x");
    ScriptInterpreter interpreter(host);
    QCOMPARE(run(interpreter, "var n,$s\nn=input(\"How Many?\",3)\n$s=input(n,\"[$n ]\")"), QString());
    QCOMPARE(host.asked, (QStringList{"Input|how many?|3", "Input|3|[3 ]"}));
    QCOMPARE(interpreter.GetText("$s"), QStringLiteral("x"));
}

void TestScriptInterpreter::valuesPersistBetweenRuns()
{
    RecordingHost host;
    ScriptInterpreter interpreter(host);
    const QString counter = "var c,$log\nc=c+1\n$log=string_concat($log,\"x\")\noutput(\"$c $$log\")";
    QCOMPARE(run(interpreter, counter), QString());
    QCOMPARE(run(interpreter, counter), QString());
    QCOMPARE(host.outputs, (QStringList{"1 x", "2 xx"}));
    // A later script declaring the names in other slots finds the values left there.
    QCOMPARE(run(interpreter, "var d,c\noutput(d)"), QString());
    QCOMPARE(host.outputs.last(), QStringLiteral("2"));
    interpreter.SetNumber("nobody", 5);
    QCOMPARE(interpreter.GetNumber("nobody"), 0.0f);
}

void TestScriptInterpreter::stopFromHost()
{
    RecordingHost host;
    host.stopAfter = 3;
    ScriptInterpreter interpreter(host);
    QCOMPARE(run(interpreter, "var i\nwhile 1<2\ni=i+1\nendwhile"), QStringLiteral("The script was stopped (line 3: i=i+1)"));
    QCOMPARE(host.stopQuestions, 4);
    // An empty loop body is stopped as well.
    host.stopQuestions = 0;
    QCOMPARE(run(interpreter, "while 1<2\nendwhile"), QStringLiteral("The script was stopped (line 1: while 1<2)"));
}

void TestScriptInterpreter::endlessRecursionEndsWithError()
{
    RecordingHost host;
    ScriptInterpreter interpreter(host);
    QCOMPARE(run(interpreter, "sub r\ncall r\nendsub\ncall r"),
             QStringLiteral("Calls and blocks are nested more than 1000 levels deep (line 2: call r)"));
    // The interpreter is usable again afterwards.
    QCOMPARE(run(interpreter, "output(\"again\")"), QString());
    QCOMPARE(host.outputs, (QStringList{"again"}));
}

// Recursion through ifs, where every branch taken, an else branch too, is one more
// level of nesting. A program whose blocks all nest runs as one list of jumps; the
// same program with a pair of crossing blocks (never entered, at its end) runs on
// ranges. Both end alike: within the limit with the same outputs, beyond it with the
// same error at the same line.
void TestScriptInterpreter::nestingLimitAlikeInBothExecutors_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("outputs");
    QTest::addColumn<QString>("error"); // the start of the error; empty: none
    const QString limit = QStringLiteral("Calls and blocks are nested more than 1000 levels deep (line ");
    const auto recursion = [](int levels, const QString &ending) {
        return QStringLiteral("var n\nn=0\ncall r\noutput(n)\nsub r\nn=n+1\nif n<%1\ncall r\nelse\n%2endif\nendsub\n")
            .arg(levels)
            .arg(ending);
    };
    // Each level is a call and a branch: 500 calls and the else at the bottom make 1001.
    QTest::newRow("500 levels, empty else") << recursion(500, QString()) << QStringList() << limit;
    QTest::newRow("500 levels, else with a line") << recursion(500, "n=n+0\n") << QStringList() << limit;
    QTest::newRow("499 levels, empty else") << recursion(499, QString()) << QStringList{"499"} << QString();
    QTest::newRow("through the else branch")
        << QStringLiteral("var n\nn=0\ncall r\noutput(n)\nsub r\nn=n+1\nif n>=500\nelse\ncall r\nendif\nendsub\n")
        << QStringList() << limit;
    QTest::newRow("through the else branch, 499")
        << QStringLiteral("var n\nn=0\ncall r\noutput(n)\nsub r\nn=n+1\nif n>=499\nelse\ncall r\nendif\nendsub\n")
        << QStringList{"499"} << QString();
}

void TestScriptInterpreter::nestingLimitAlikeInBothExecutors()
{
    QFETCH(QString, script);
    QFETCH(QStringList, outputs);
    QFETCH(QString, error);
    RecordingHost flatHost, rangeHost;
    ScriptInterpreter flat(flatHost), ranges(rangeHost);
    const QString flatError = run(flat, script, QStringLiteral("flat.fvs"));
    const QString rangeError = run(ranges, script + QStringLiteral("if 1>2\nwhile 1>2\nendif\nendwhile\n"),
                                   QStringLiteral("ranges.fvs"));
    QCOMPARE(flatError, rangeError);
    QCOMPARE(flatHost.outputs, rangeHost.outputs);
    QCOMPARE(flatHost.outputs, outputs);
    if (error.isEmpty())
        QCOMPARE(flatError, QString());
    else
        QVERIFY2(flatError.startsWith(error), qPrintable(flatError));
}

void TestScriptInterpreter::regionalDecimalSeparator()
{
    RegionalSettings comma;
    comma.decimalSeparator = QLatin1Char(',');
    pinRegionalSettings(comma);
    RecordingHost host;
    ScriptInterpreter interpreter(host);
    QCOMPARE(run(interpreter, "var x\nx=5/2\noutput(x)\nx=2,5*2\noutput(\"$x\")\nx=2.5"),
             QStringLiteral("'2.5' is not a valid floating point value (line 6: x=2.5)"));
    QCOMPARE(host.outputs, (QStringList{"2,5", "5"}));
    pinRegionalSettings();
}

void TestScriptInterpreter::hostObjects()
{
    RecordingHost host;
    FakeWorkouts workouts;
    host.objects.insert("workouts", &workouts);
    ScriptInterpreter interpreter(host);
    QCOMPARE(run(interpreter, "var n,m,$d\nn=workouts_count\nm=workouts_twice(n)\n$d=workouts_info_date\n"
                              "output(\"$n $m $$d\")\nworkouts_load(2.5)\noutput(workouts_count)\nn=cardio_count\n"
                              "output(n)"),
             QString());
    QCOMPARE(host.outputs, (QStringList{"3 6 1.2.2024", "", "0"}));
    QCOMPARE(workouts.statements, (QStringList{"load(2.5)"}));
}

QTEST_GUILESS_MAIN(TestScriptInterpreter)
#include "tst_ScriptInterpreter.moc"
