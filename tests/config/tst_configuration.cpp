#include "common/Errors.h"
#include "config/ColorValue.h"
#include "config/ConfigKeys.h"
#include "config/IniFile.h"
#include "config/ListValue.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QTest>

class TestConfiguration : public QObject {
    Q_OBJECT
private slots:
    void readsValues_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QByteArray ini = "[Lists]\nBodypart= ,a \nEmpty=\nQuoted=\"x, y\"\n[Script editor]\nColor_keywords=clblue\n";
        QTest::newRow("blanks dropped") << ini << "Lists" << "Bodypart" << ",a";
        QTest::newRow("names without case") << ini << "lists" << "BODYPART" << ",a";
        QTest::newRow("present but empty") << ini << "Lists" << "Empty" << "";
        QTest::newRow("quotes dropped") << ini << "Lists" << "Quoted" << "x, y";
        QTest::newRow("section with a blank") << ini << "script EDITOR" << "Color_keywords" << "clblue";
        QTest::newRow("missing key") << ini << "Lists" << "Nope" << "<default>";
        QTest::newRow("key of another section") << ini << "Program" << "Bodypart" << "<default>";
        QTest::newRow("long value cut") << QByteArray("[A]\nK=" + QByteArray(3000, 'v') + "\n") << "A" << "K"
                                        << QString(2047, QLatin1Char('v'));
    }
    void readsValues()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TestEnvironment env;
        env.writeFile("init.ini", content);
        QCOMPARE(IniFile(env.path("init.ini")).readString(section, key, "<default>"), expected);
    }

    void readsIntegers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << "300" << 300;
        QTest::newRow("invalid gives the default") << "abc" << 240;
        QTest::newRow("empty gives the default") << "" << 240;
        QTest::newRow("0x hexadecimal") << "0x20" << 32;
        QTest::newRow("dollar hexadecimal") << "$2" << 2;
        QTest::newRow("bare 0x") << "0x" << 240;
        QTest::newRow("negative") << "-15" << -15;
    }
    void readsIntegers()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        TestEnvironment env;
        env.writeFile("init.ini", "[Program]\nTop=" + text.toUtf8() + "\n");
        QCOMPARE(IniFile(env.path("init.ini")).readInteger("Program", "Top", 240), expected);
    }

    void writesInPlaceAndKeepsOtherLines()
    {
        TestEnvironment env;
        env.writeFile("init.ini", "; my notes\r\n[Program]\r\nTraining_file=a.dat\r\nExercise_file=e.dat\r\n\r\n"
                                  "[Other]\r\nX=1\r\n");
        IniFile ini(env.path("init.ini"));
        ini.writeString("program", "TRAINING_FILE", "b.dat");
        ini.writeInteger("Program", "Top", 10);
        ini.writeString("Lists", "Bodypart", ",Chest");
        QCOMPARE(env.readFile("init.ini"),
                 QByteArray("; my notes\r\n[Program]\r\nTRAINING_FILE=b.dat\r\nExercise_file=e.dat\r\nTop=10\r\n\r\n"
                            "[Other]\r\nX=1\r\n[Lists]\r\nBodypart=,Chest\r\n"));
        QCOMPARE(ini.readString("Program", "Training_file", ""), QStringLiteral("b.dat"));
    }

    void closeTimeWriteKeepsTheFileEncoding_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("trainingFile");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QString>("bodypart");
        QTest::addColumn<QString>("note");
        // Written by the earlier program: Windows-1250, CRLF, a hand-typed line, and a
        // last line without a line end.
        QTest::newRow("Windows-1250")
            << QByteArray("[Lists]\r\nBodypart=,Trbu\x9anjaci,Le\xe6" "a\r\n[Program]\r\nTop=10\r\nLeft=20\r\n"
                          "Training_file=C:\\Fortavo\\workouts.dat\r\nNote=\xc6" "evapi \x80\r\n[Other]\r\nX=\xe8")
            << QString::fromUtf8("/home/ana/Tjedni plan š.dat")
            << QByteArray("[Lists]\r\nBodypart=,Trbu\x9anjaci,Le\xe6" "a\r\n[Program]\r\nTop=240\r\nLeft=77\r\n"
                          "Training_file=/home/ana/Tjedni plan \x9a.dat\r\nNote=\xc6" "evapi \x80\r\n[Other]\r\nX=\xe8")
            << QString::fromUtf8(",Trbušnjaci,Leća") << QString::fromUtf8("Ćevapi €");
        QTest::newRow("UTF-8 without a byte-order mark, LF, mixed line ends kept")
            << QByteArray("[Lists]\nBodypart=,Trbu\xc5\xa1njaci\r\n[Program]\nTop=10\nNote=\xc4\x86" "evapi\n")
            << QString::fromUtf8("/home/ana/Trbušnjaci.dat")
            << QByteArray("[Lists]\nBodypart=,Trbu\xc5\xa1njaci\r\n[Program]\nTop=240\nNote=\xc4\x86" "evapi\n"
                          "Left=77\nTraining_file=/home/ana/Trbu\xc5\xa1njaci.dat\n")
            << QString::fromUtf8(",Trbušnjaci") << QString::fromUtf8("Ćevapi");
        QTest::newRow("UTF-8 with a byte-order mark")
            << QByteArray("\xef\xbb\xbf[Program]\r\nNote=\xc4\x86" "evapi\r\n")
            << QStringLiteral("w.dat")
            << QByteArray("\xef\xbb\xbf[Program]\r\nNote=\xc4\x86" "evapi\r\nTop=240\r\nLeft=77\r\nTraining_file=w.dat\r\n")
            << ConfigKeys::Bodypart.defaultText() << QString::fromUtf8("Ćevapi");
        QTest::newRow("keys added after a last line without a line end")
            << QByteArray("[Program]\r\nTop=10") << QStringLiteral("w.dat")
            << QByteArray("[Program]\r\nTop=240\r\nLeft=77\r\nTraining_file=w.dat\r\n")
            << ConfigKeys::Bodypart.defaultText() << QString();
        // A path the code page cannot hold turns the file into UTF-8, every line's text kept.
        QTest::newRow("Windows-1250 given a path beyond the code page")
            << QByteArray("[Program]\r\nNote=\xc6" "evapi\r\n")
            << QString::fromUtf8("/home/ana/Señor.dat")
            << QByteArray("[Program]\r\nNote=\xc4\x86" "evapi\r\nTop=240\r\nLeft=77\r\n"
                          "Training_file=/home/ana/Se\xc3\xb1or.dat\r\n")
            << ConfigKeys::Bodypart.defaultText() << QString::fromUtf8("Ćevapi");
    }
    void closeTimeWriteKeepsTheFileEncoding()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, trainingFile);
        QFETCH(QByteArray, after);
        QFETCH(QString, bodypart);
        QFETCH(QString, note);
        TestEnvironment env;
        env.writeFile("init.ini", before);
        IniFile ini(env.path("init.ini"));
        // Start: the values read as the user typed them.
        const StartupConfiguration start = StartupConfiguration::read(ini);
        QCOMPARE(JoinListValue(start.bodyparts), bodypart);
        QCOMPARE(ini.readString("Program", "Note", ""), note);
        // Close: the window's place and the open training file.
        ConfigKeys::writeInteger(ini, ConfigKeys::Top, 240);
        ConfigKeys::writeInteger(ini, ConfigKeys::Left, 77);
        ConfigKeys::writeText(ini, ConfigKeys::TrainingFile, trainingFile);
        QCOMPARE(env.readFile("init.ini"), after);
        QCOMPARE(ConfigKeys::readText(ini, ConfigKeys::TrainingFile), trainingFile);
        QCOMPARE(ini.readString("Program", "Note", ""), note);
    }

    void createsTheFileOnFirstWrite()
    {
        TestEnvironment env;
        IniFile ini(env.path("init.ini"));
        QVERIFY(!ini.exists());
        ini.writeString("Program", "Training_file", "w.dat");
        ini.writeString("Lists", "Bodypart", "");
        ini.writeInteger("Program", "Top", 1);
        QCOMPARE(env.readFile("init.ini"), QByteArray("[Program]\nTraining_file=w.dat\nTop=1\n[Lists]\nBodypart=\n"));
        // An empty list value reads back as one empty item, not as the default list.
        QCOMPARE(ConfigKeys::readList(ini, ConfigKeys::Bodypart), QStringList{QString()});
    }

    void unwritableFileIsReported()
    {
        // A folder that is not there cannot take the file, whatever the user's rights.
        TestEnvironment env;
        IniFile ini(env.path("gone/init.ini"));
        try {
            ini.writeInteger("Program", "Top", 2);
            QFAIL("write reported as done");
        } catch (const IoError &e) {
            QCOMPARE(e.message(), QStringLiteral("Unable to write to ") + env.path("gone/init.ini"));
        }
    }

    void startupConfigurationDefaults()
    {
        TestEnvironment env;
        env.writeFile("init.ini", "[Program]\nGoals_file=g.dat\nTop=abc\n");
        const StartupConfiguration c = StartupConfiguration::read(IniFile(env.path("init.ini")));
        QCOMPARE(c.trainingTypes, (QStringList{"", "Light", "Heavy", "Volume", "Experimental"}));
        QCOMPARE(c.bodyparts.size(), 20);
        QCOMPARE(c.top, 240);
        QCOMPARE(c.left, 77);
        QCOMPARE(c.trainingFile, QStringLiteral("workouts.dat"));
        QCOMPARE(c.goalsFile, env.path("g.dat"));
        // An empty training file name opens the default file, never the folder itself.
        env.writeFile("init.ini", "[Program]\nTraining_file=\n");
        QCOMPARE(StartupConfiguration::read(IniFile(env.path("init.ini"))).trainingFile, QStringLiteral("workouts.dat"));
    }

    void listValues_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("empty value") << "" << QStringList{""};
        QTest::newRow("empty items kept") << ",a,,b," << QStringList{"", "a", "", "b", ""};
        QTest::newRow("no trimming of items") << "x, y" << QStringList{"x", " y"};
        QTest::newRow("leading comma") << ",Running,Cycling" << QStringList{"", "Running", "Cycling"};
    }
    void listValues()
    {
        QFETCH(QString, value);
        QFETCH(QStringList, items);
        QCOMPARE(SplitListValue(value), items);
        QCOMPARE(JoinListValue(items), value);
        QCOMPARE(JoinListValue({}), QString());
    }

    void colours_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QString>("writtenBack");
        QTest::newRow("lower case name") << "clblue" << 0x00FF0000u << "clBlue";
        QTest::newRow("upper case name") << "CLBLUE" << 0x00FF0000u << "clBlue";
        QTest::newRow("hex without a name") << "$000080FF" << 0x000080FFu << "$000080FF";
        QTest::newRow("decimal of a named colour") << "255" << 0x000000FFu << "clRed";
        QTest::newRow("teal by number") << "$00808000" << 0x00808000u << "clTeal";
        QTest::newRow("system colour") << "clBtnFace" << 0xFF00000Fu << "clBtnFace";
        QTest::newRow("menu bar") << "clMenuBar" << 0xFF00001Eu << "clMenuBar";
        QTest::newRow("none") << "clNone" << 0x1FFFFFFFu << "clNone";
        QTest::newRow("default") << "clDefault" << 0x20000000u << "clDefault";
    }
    void colours()
    {
        QFETCH(QString, text);
        QFETCH(quint32, value);
        QFETCH(QString, writtenBack);
        QCOMPARE(TextToColor(text), value);
        QCOMPARE(ColorToText(value), writtenBack);
    }

    void colourTable()
    {
        QCOMPARE(colorIdentifiers().size(), 52);
        for (const ColorIdentifier &id : colorIdentifiers())
            QCOMPARE(TextToColor(QString::fromLatin1(id.name)), id.value);
    }

    void everyNamedColour_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<quint32>("value");
        const QList<QPair<const char *, quint32>> ordinary = {
            {"clBlack", 0x00000000}, {"clMaroon", 0x00000080}, {"clGreen", 0x00008000}, {"clOlive", 0x00008080},
            {"clNavy", 0x00800000}, {"clPurple", 0x00800080}, {"clTeal", 0x00808000}, {"clGray", 0x00808080},
            {"clSilver", 0x00C0C0C0}, {"clRed", 0x000000FF}, {"clLime", 0x0000FF00}, {"clYellow", 0x0000FFFF},
            {"clBlue", 0x00FF0000}, {"clFuchsia", 0x00FF00FF}, {"clAqua", 0x00FFFF00}, {"clWhite", 0x00FFFFFF},
            {"clMoneyGreen", 0x00C0DCC0}, {"clSkyBlue", 0x00F0CAA6}, {"clCream", 0x00F0FBFF}, {"clMedGray", 0x00A4A0A0},
            {"clNone", 0x1FFFFFFF}, {"clDefault", 0x20000000}};
        for (const auto &[name, value] : ordinary)
            QTest::newRow(name) << QString::fromLatin1(name) << value;
        // System colours: 0xFF0000nn with the index nn; index 25 has no name.
        const QList<QPair<const char *, int>> system = {
            {"clScrollBar", 0}, {"clBackground", 1}, {"clActiveCaption", 2}, {"clInactiveCaption", 3},
            {"clMenu", 4}, {"clWindow", 5}, {"clWindowFrame", 6}, {"clMenuText", 7}, {"clWindowText", 8},
            {"clCaptionText", 9}, {"clActiveBorder", 10}, {"clInactiveBorder", 11}, {"clAppWorkSpace", 12},
            {"clHighlight", 13}, {"clHighlightText", 14}, {"clBtnFace", 15}, {"clBtnShadow", 16},
            {"clGrayText", 17}, {"clBtnText", 18}, {"clInactiveCaptionText", 19}, {"clBtnHighlight", 20},
            {"cl3DDkShadow", 21}, {"cl3DLight", 22}, {"clInfoText", 23}, {"clInfoBk", 24}, {"clHotLight", 26},
            {"clGradientActiveCaption", 27}, {"clGradientInactiveCaption", 28}, {"clMenuHighlight", 29},
            {"clMenuBar", 30}};
        for (const auto &[name, index] : system)
            QTest::newRow(name) << QString::fromLatin1(name) << (0xFF000000u | quint32(index));
    }
    void everyNamedColour()
    {
        QFETCH(QString, name);
        QFETCH(quint32, value);
        QCOMPARE(TextToColor(name), value);
        QCOMPARE(TextToColor(name.toUpper()), value);
        QCOMPARE(ColorToText(value), name);
    }

    void unnamedSystemColourIsWrittenAsANumber()
    {
        QCOMPARE(TextToColor(QStringLiteral("$FF000019")), 0xFF000019u);
        QCOMPARE(ColorToText(0xFF000019u), QStringLiteral("$FF000019"));
    }

    void invalidColour()
    {
        try {
            TextToColor("blueish");
            QFAIL("accepted");
        } catch (const ConversionError &e) {
            QCOMPARE(e.message(), QStringLiteral("''blueish'' is not a valid integer value"));
        }
    }
};

QTEST_GUILESS_MAIN(TestConfiguration)
#include "tst_configuration.moc"
