#include "common/PlainText.h"
#include "editor/CodeInsertion.h"
#include "editor/ColorLine.h"
#include "editor/ScriptEncoding.h"
#include "editor/WizardCode.h"

#include <QTest>

using ScriptColoring::ColorClass;
using ScriptColoring::ColoredWord;
using Words = QList<ColoredWord>;
Q_DECLARE_METATYPE(Words)

namespace {
constexpr ColorClass K = ColorClass::Keyword, O = ColorClass::Object, S = ColorClass::String, C = ColorClass::Comment;
}

class TestEditorTexts : public QObject {
    Q_OBJECT
private slots:
    void colorLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<Words>("words");
        QTest::newRow("empty") << QString() << Words{};
        // output "Total: "; x  — four words: keyword, string, comment, comment.
        QTest::newRow("output with literal and comment")
            << QStringLiteral("output \"Total: \"; x") << Words{{0, 6, K}, {7, 6, S}, {15, 2, C}, {18, 1, C}};
        QTest::newRow("one-word literal toggles twice") << QStringLiteral("\"abc\"") << Words{};
        QTest::newRow("literal of several words")
            << QStringLiteral("\"a b c\" d") << Words{{0, 2, S}, {3, 1, S}};
        QTest::newRow("keyword in capitals") << QStringLiteral("IF x") << Words{{0, 2, K}};
        QTest::newRow("underscore separates") << QStringLiteral("If_x") << Words{{0, 2, K}};
        QTest::newRow("object before underscore") << QStringLiteral("y=workouts_count") << Words{{2, 8, O}};
        QTest::newRow("comment line") << QStringLiteral(";comment text") << Words{{0, 8, C}, {9, 4, C}};
        QTest::newRow("whole words only") << QStringLiteral("ifx endif2 $if") << Words{};
        QTest::newRow("keyword inside string keeps its colour")
            << QStringLiteral("\"say while now") << Words{{0, 4, S}, {5, 5, K}, {11, 3, S}};
        QTest::newRow("semicolon in string starts a comment")
            << QStringLiteral("\"a;b c") << Words{{0, 4, S}, {5, 1, S}};
        QTest::newRow("number only in string or comment") << QStringLiteral("12 ; 34") << Words{{3, 1, C}, {5, 2, C}};
        QTest::newRow("state does not cross lines") << QStringLiteral("x") << Words{};
        QTest::newRow("non-ASCII letters separate") << QStringLiteral("čif") << Words{{1, 2, K}};
    }
    void colorLine()
    {
        QFETCH(QString, line);
        QFETCH(Words, words);
        QCOMPARE(ScriptColoring::ColorLine(line), words);
    }

    void unstorableCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("places"); // character@line:column
        QTest::addColumn<int>("total");
        QTest::newRow("code page only") << QStringLiteral("; čćžšđ ČĆŽŠĐ äöü ß €") << QStringList{} << 0;
        QTest::newRow("one on the first line") << QStringLiteral("; omega Ω") << QStringList{"Ω@1:9"} << 1;
        QTest::newRow("columns restart on each line")
            << QStringLiteral("ab\nΩx\n  ¤ω") << QStringList{"Ω@2:1", "ω@3:4"} << 2;
        QTest::newRow("a character outside the basic plane is one column")
            << QStringLiteral("😀Ω") << QStringList{"😀@1:1", "Ω@1:2"} << 2;
        QTest::newRow("only the first five are listed")
            << QStringLiteral("αβγδεζη") << QStringList{"α@1:1", "β@1:2", "γ@1:3", "δ@1:4", "ε@1:5"} << 7;
    }
    void unstorableCharacters()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, places);
        QFETCH(int, total);
        int counted = -1;
        QStringList found;
        for (const ScriptEncoding::Unstorable &u : ScriptEncoding::unstorable(text, 5, &counted))
            found.append(QStringLiteral("%1@%2:%3").arg(u.character).arg(u.line).arg(u.column));
        QCOMPARE(found, places);
        QCOMPARE(counted, total);
    }

    void utf8ScriptBytes()
    {
        QCOMPARE(ScriptEncoding::utf8WithCrLf(QStringLiteral("a Ω\nb")), QByteArray("\xEF\xBB\xBF" "a \xCE\xA9\r\nb\r\n"));
        // What the editor stores this way reads back as it was typed.
        QCOMPARE(PlainText::decode(ScriptEncoding::utf8WithCrLf(QStringLiteral("Ω"))), QStringLiteral("Ω\r\n"));
    }

    void keywordTables()
    {
        for (const char *word : {"call", "else", "endif", "endsub", "endwhile", "if", "include", "input", "output",
                                 "sub", "var", "while"})
            QVERIFY2(ScriptColoring::isKeyword(QString::fromLatin1(word).toUpper()), word);
        for (const char *word : {"array", "cardio", "exercises", "math", "string", "workouts"})
            QVERIFY2(ScriptColoring::isObjectName(QString::fromLatin1(word)), word);
        QVERIFY(!ScriptColoring::isKeyword(u"math"));
        QVERIFY(!ScriptColoring::isObjectName(u"workout"));
    }

    void snippets_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("answers"); // a null entry answers Cancel (empty)
        QTest::addColumn<QString>("text");
        QTest::newRow("include adds extension") << "Include code" << QStringList{"lib"} << "include lib.fvs\n";
        QTest::newRow("include keeps extension") << "Include code" << QStringList{"lib.fvs"} << "include lib.fvs\n";
        QTest::newRow("include compares case") << "Include code" << QStringList{"lib.FVS"} << "include lib.FVS.fvs\n";
        QTest::newRow("include empty") << "Include code" << QStringList{QString()} << "include .fvs\n";
        QTest::newRow("include short name") << "Include code" << QStringList{"fvs"} << "include fvs.fvs\n";
        QTest::newRow("variables") << "Variable declaration" << QStringList{"a, $b"} << "var a, $b\n";
        QTest::newRow("input cancelled twice") << "Input" << QStringList{QString(), QString()} << "input(, )\n";
        QTest::newRow("input") << "Input" << QStringList{"\"Age?\"", "30"} << "input(\"Age?\", 30)\n";
        QTest::newRow("output as typed") << "Output" << QStringList{" x "} << "output( x )\n";
        QTest::newRow("if") << "If condition" << QStringList{"x"} << "if x\n\nendif";
        QTest::newRow("if-else") << "If-Else condition" << QStringList{"x>1"} << "if x>1\n\nelse\n\nendif";
        QTest::newRow("while") << "While loop" << QStringList{"i<3"} << "while i<3\n\nendwhile";
        QTest::newRow("sub") << "Subroutine" << QStringList{"s"} << "sub s\n\nendsub";
        QTest::newRow("call") << "Call subroutine" << QStringList{"s"} << "call s\n";
        QTest::newRow("comment") << "Comment" << QStringList{"note"} << "; note\n";
    }
    void snippets()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, answers);
        QFETCH(QString, text);
        QStringList prompts;
        const QString result = CodeInsertion::snippetText(name, [&](const QString &prompt) {
            prompts.append(prompt);
            return answers.isEmpty() ? QStringLiteral("UNEXPECTED") : answers.takeFirst();
        });
        QCOMPARE(result, text);
        QVERIFY2(answers.isEmpty(), "every prompt is asked");
    }

    void snippetPrompts()
    {
        QStringList prompts;
        CodeInsertion::snippetText(QStringLiteral("Input"), [&](const QString &p) { prompts.append(p); return QString(); });
        QCOMPARE(prompts, (QStringList{"Type the message to be displayed:", "Type the default input value:"}));
        prompts.clear();
        CodeInsertion::snippetText(QStringLiteral("While loop"), [&](const QString &p) { prompts.append(p); return QString(); });
        QCOMPARE(prompts, QStringList{"Type the condition of the loop:"});
    }

    void functionNames_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QStringList>("ancestors");
        QTest::addColumn<QString>("name");
        QTest::newRow("count") << "Count" << QStringList{"Workouts"} << "Workouts_Count";
        QTest::newRow("info date") << "$Date" << QStringList{"Info", "Workouts"} << "Workouts_Info_Date";
        QTest::newRow("cardio type") << "$Type" << QStringList{"_", "Cardio"} << "Cardio_ _Type";
        QTest::newRow("one rm") << "1RM" << QStringList{"_", "Exercises"} << "Exercises_ _1RM";
        QTest::newRow("min") << "Min( , )" << QStringList{"Math"} << "Math_Min( , )";
        QTest::newRow("copy") << "$Copy( , ,)" << QStringList{"String"} << "String_Copy( , ,)";
        QTest::newRow("top node") << "Array" << QStringList{} << "Array";
        QTest::newRow("row node") << "_" << QStringList{"Cardio"} << "Cardio__";
    }
    void functionNames()
    {
        QFETCH(QString, node);
        QFETCH(QStringList, ancestors);
        QFETCH(QString, name);
        QCOMPARE(CodeInsertion::functionName(node, ancestors), name);
    }

    void functionTree()
    {
        const QList<CodeInsertion::FunctionNode> &tree = CodeInsertion::functionTree();
        QStringList tops;
        for (const auto &node : tree)
            tops.append(node.text);
        QCOMPARE(tops, (QStringList{"Workouts", "Cardio", "Exercises", "Math", "String", "Array"}));
        QCOMPARE(tree[0].children.last().text, QStringLiteral("Info"));
        QCOMPARE(tree[0].children.last().children.size(), 6);
        QCOMPARE(tree[2].children.last().children.last().text, QStringLiteral("1RM"));
        QCOMPARE(tree[4].children.last().text, QStringLiteral("Newline"));
        QCOMPARE(tree[5].children.size(), 10);
    }

    void stringVariables_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("line");
        QTest::newRow("blank and comma") << "name, title" << "var $name, $title";
        QTest::newRow("comma") << "a,b" << "var $a,$b";
        QTest::newRow("already marked") << "$a, $b" << "var $a, $b";
        QTest::newRow("semicolon") << "a;b" << "var $a;b";
        QTest::newRow("digit after blank") << "a 1x" << "var $a 1x";
        QTest::newRow("leading blank") << " a" << "var $ $a";
        QTest::newRow("empty") << "" << "var ";
    }
    void stringVariables()
    {
        QFETCH(QString, typed);
        QFETCH(QString, line);
        QCOMPARE(QStringLiteral("var ") + WizardCode::prefixStringVariables(typed), line);
    }

    void wizardScript()
    {
        QCOMPARE(WizardCode::scriptText({"/s/a.fvs", "/s/b.fvs"}, "x, y", "n"),
                 QStringLiteral("include /s/a.fvs\ninclude /s/b.fvs\nvar x, y\nvar $n\n"));
        QCOMPARE(WizardCode::scriptText({}, "", ""), QStringLiteral("var \nvar \n"));
    }

    void scriptFileText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << "" << QByteArray();
        QTest::newRow("last line ended") << "a\nb" << QByteArray("a\r\nb\r\n");
        QTest::newRow("ended already") << "a\n" << QByteArray("a\r\n");
        QTest::newRow("empty line kept") << "a\n\nb\n" << QByteArray("a\r\n\r\nb\r\n");
        QTest::newRow("code page") << QStringLiteral("output(\"Čučanj 20€\")") << QByteArray("output(\"\xC8u\xE8" "anj 20\x80\")\r\n");
        QTest::newRow("unmappable") << QStringLiteral("x=\"\u4E2D\"") << QByteArray("x=\"?\"\r\n");
    }
    void scriptFileText()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(PlainText::encodeWithCrLf(text), bytes);
    }

    void decodeByByteOrderMark_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("code page") << QByteArray("\x8A" "ah") << QStringLiteral("Šah");
        QTest::newRow("utf-8 mark") << QByteArray("\xEF\xBB\xBF\xC5\xA0" "ah") << QStringLiteral("Šah");
        QTest::newRow("utf-16 le") << QByteArray("\xFF\xFE" "a\0b\0", 6) << QStringLiteral("ab");
        QTest::newRow("utf-16 be") << QByteArray("\xFE\xFF\0a\0b", 6) << QStringLiteral("ab");
    }
    void decodeByByteOrderMark()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(PlainText::decode(bytes), text);
    }
};

QTEST_APPLESS_MAIN(TestEditorTexts)
#include "tst_editortexts.moc"
