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
