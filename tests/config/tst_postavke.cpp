#include "PostavkeFixture.h"

// The settings window: its defaults, the tree and its pages, the file choosers, the
// colours, the live options, what OK writes and the keys.
class TestPostavke : public PostavkeFixture {
    Q_OBJECT

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void withoutAFileShowsTheDefaultsAndOkCreatesIt()
    {
        window->startUp();
        show();
        QCOMPARE(items("lstCardio"), (QStringList{"", "Running", "Cycling", "Swimming", "Jumprope", "Walking"}));
        QCOMPARE(items("lstTraining"), (QStringList{"", "Light", "Heavy", "Volume", "Experimental"}));
        QCOMPARE(items("lstBodypart").size(), 20);
        QCOMPARE(items("lstBodypart").last(), QStringLiteral("Back/Biceps"));
        QCOMPARE(items("lstExecution").value(9), QStringLiteral("Ladder set"));
        QCOMPARE(control<QLineEdit>("ledTrainingFile")->text(), QStringLiteral("workouts.dat"));
        QCOMPARE(control<QLineEdit>("ledTemplateFile")->text(), QStringLiteral("template.html"));
        QCOMPARE(control<QLineEdit>("ledVjezbe")->text(), QStringLiteral("exercises.dat"));
        QVERIFY(control<QRadioButton>("rdbKeepPrevious")->isChecked());
        QCOMPARE(window->openingChoice(), OpeningChoice::KeepPrevious);
        QCOMPARE(window->keywordColor(), ColorValue(0x00FF0000));
        QCOMPARE(window->stringColor(), ColorValue(0x00008000));
        QCOMPARE(window->functionColor(), ColorValue(0x000000FF));
        QCOMPARE(visiblePages(), QStringList{"pnlFiles"});
        QCOMPARE(heading(), QStringLiteral("Files"));
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("Files"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Settings"));
        window->hide();

        runSettings([this] { click("bitOk"); });
        QCOMPARE(prompts->take(), (QList<TestPrompts::Shown>{{"information", Restart}}));
        const QString text = ini();
        QVERIFY(text.indexOf("[Program]") == 0);
        QVERIFY(text.indexOf("[Program]") < text.indexOf("[Lists]"));
        QVERIFY(text.indexOf("[Lists]") < text.indexOf("[Script editor]"));
        QVERIFY(text.contains("Training_file=workouts.dat\nHtml_template_file=template.html\nExercise_file=exercises.dat\n"));
        QVERIFY(text.contains("Type_cardio=,Running,Cycling,Swimming,Jumprope,Walking\n"));
        QVERIFY(text.contains("Upon_opening=0\nColor_keywords=clBlue\nColor_strings=clGreen\nColor_functions=clRed"));
    }

    void treeShowsOnePage_data()
    {
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("title");
        QTest::newRow("Files") << "Files" << "Files" << "pnlFiles" << "Files";
        QTest::newRow("Lists") << "Lists" << "Bodypart" << "grbBodypart" << "Lists";
        QTest::newRow("Bodypart") << "Bodypart" << "Bodypart" << "grbBodypart" << "Lists";
        QTest::newRow("Type of cardio") << "Type of cardio" << "Type of cardio" << "grbCardio" << "Lists";
        QTest::newRow("Type of training") << "Type of training" << "Type of training" << "grbTraining" << "Lists";
        QTest::newRow("Type of execution") << "Type of execution" << "Type of execution" << "grbExecution" << "Lists";
        QTest::newRow("Script editor") << "Script editor" << "Script editor" << "pnlEditor" << "Script editor";
    }
    void treeShowsOnePage()
    {
        QFETCH(QString, clicked);
        QFETCH(QString, selected);
        QFETCH(QString, page);
        QFETCH(QString, title);
        window->startUp();
        show();
        clickNode("Type of training"); // start from a page of the lists
        clickNode(clicked);
        QCoreApplication::processEvents();
        QCOMPARE(tree()->currentItem()->text(0), selected);
        QCOMPARE(tree()->selectedItems(), QList<QTreeWidgetItem *>{node(selected)}); // the highlight follows
        QCOMPARE(visiblePages(), QStringList{page});
        QCOMPARE(heading(), title);
        if (page.startsWith("grb"))
            QCOMPARE(control<QGroupBox>(page)->title(), selected);
    }

    void treeStaysExpandedAndKeysPassOverLists()
    {
        window->startUp();
        show();
        tree()->setFocus();
        QTest::keyClick(tree(), Qt::Key_Left);
        QTest::mouseDClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(node("Lists")).center());
        QTest::keyClick(tree(), Qt::Key_Minus);
        QVERIFY(node("Lists")->isExpanded());
        QVERIFY(tree()->visualItemRect(node("Type of execution")).isValid());

        tree()->setCurrentItem(node("Files"));
        QTest::keyClick(tree(), Qt::Key_Down);
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("Bodypart"));
        QCOMPARE(visiblePages(), QStringList{"grbBodypart"});
        QTest::keyClick(tree(), Qt::Key_Down);
        QCOMPARE(visiblePages(), QStringList{"grbCardio"});
        QTest::keyClick(tree(), Qt::Key_End);
        QCOMPARE(visiblePages(), QStringList{"pnlEditor"});
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(tree(), Qt::Key_Up);
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("Bodypart"));
        QTest::keyClick(tree(), Qt::Key_Up);
        QCOMPARE(tree()->currentItem()->text(0), QStringLiteral("Files"));
        QCOMPARE(visiblePages(), QStringList{"pnlFiles"});
        QCOMPARE(heading(), QStringLiteral("Files"));
    }

    void openingChoice_data()
    {
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("written");
        QTest::newRow("0") << QByteArray("0") << "rdbKeepPrevious" << int(OpeningChoice::KeepPrevious) << "0";
        QTest::newRow("1") << QByteArray("1") << "rdbClearEditor" << int(OpeningChoice::ClearEditor) << "1";
        QTest::newRow("2") << QByteArray("2") << "rdbRunWizard" << int(OpeningChoice::RunWizard) << "2";
        QTest::newRow("$2") << QByteArray("$2") << "rdbRunWizard" << int(OpeningChoice::RunWizard) << "2";
        QTest::newRow("not a number") << QByteArray("abc") << "rdbKeepPrevious" << int(OpeningChoice::KeepPrevious)
                                      << "0";
        QTest::newRow("7 selects nothing") << QByteArray("7") << "" << int(OpeningChoice::NoneSelected) << "2";
        QTest::newRow("-1 selects nothing") << QByteArray("-1") << "" << int(OpeningChoice::NoneSelected) << "2";
    }
    void openingChoice()
    {
        QFETCH(QByteArray, code);
        QFETCH(QString, checked);
        QFETCH(int, choice);
        QFETCH(QString, written);
        env->writeFile("init.ini", iniWith(code));
        window->startUp();
        for (const char *name : {"rdbKeepPrevious", "rdbClearEditor", "rdbRunWizard"})
            QCOMPARE(control<QRadioButton>(name)->isChecked(), checked == QLatin1String(name));
        QCOMPARE(int(window->openingChoice()), choice);
        runSettings([this] { click("bitOk"); });
        QCOMPARE(prompts->take(), (QList<TestPrompts::Shown>{{"information", Restart}}));
        QCOMPARE(stored(ConfigKeys::UponOpening), written);
    }

    void anOutOfRangeCodeKeepsTheButtons()
    {
        env->writeFile("init.ini", iniWith("1"));
        window->startUp();
        env->writeFile("init.ini", iniWith("7"));
        show();
        QVERIFY(control<QRadioButton>("rdbClearEditor")->isChecked());
        QCOMPARE(window->openingChoice(), OpeningChoice::ClearEditor);
    }

    void fileChoosers_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<bool>("mustExist");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("initial");
        QTest::newRow("training") << "bitOpenTraining" << "ledTrainingFile" << "Open training file"
                                  << "Data files (*.dat)|*.dat" << "dat" << false << "Open training file"
                                  << "<folder>mine.dat";
        QTest::newRow("template") << "bitOpenTemplate" << "ledTemplateFile" << "Open HTML template file"
                                  << "HTML files (*.html)|*.html" << "html" << true << "Open template file"
                                  << "<folder>page.html";
        QTest::newRow("exercises") << "bitVjezbe" << "ledVjezbe" << "Open exercise file"
                                   << "Data files (*.dat)|*.dat" << "dat" << false << "Open exercise file"
                                   << "/data/ex.dat";
    }
    void fileChoosers()
    {
        QFETCH(QString, button);
        QFETCH(QString, field);
        QFETCH(QString, title);
        QFETCH(QString, filter);
        QFETCH(QString, extension);
        QFETCH(bool, mustExist);
        QFETCH(QString, hint);
        QFETCH(QString, initial);
        env->writeFile("init.ini", iniWith());
        window->startUp();
        show();
        QCOMPARE(control<QPushButton>(button)->toolTip(), hint);
        auto *edit = control<QLineEdit>(field);
        const QString before = edit->text();

        prompts->fileAnswers.enqueue(QString()); // cancelled
        click(button);
        QCOMPARE(edit->text(), before);
        prompts->fileAnswers.enqueue(QStringLiteral("/home/u/picked.file"));
        click(button);
        QCOMPARE(edit->text(), QStringLiteral("/home/u/picked.file"));
        QCOMPARE(prompts->take().size(), 2);
        const UserPrompts::FileDialog d = prompts->fileDialogs.constFirst();
        QCOMPARE(d.title, title);
        QCOMPARE(d.filter, filter);
        QCOMPARE(d.defaultExtension, extension);
        QCOMPARE(d.mustExist, mustExist);
        QCOMPARE(d.initialPath, QString(initial).replace("<folder>", env->folder()));

        // Typed text counts as it stands.
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral(" typed.dat"));
        const SettingsValues values = window->values();
        const QStringList files = {values.trainingFile, values.templateFile, values.exerciseFile};
        QCOMPARE(files.count(QStringLiteral(" typed.dat")), 1);
    }

    void coloursReadAndWritten_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("written");
        QTest::newRow("lower case name") << QByteArray("clblue") << quint32(0x00FF0000) << "clBlue" << "clBlue";
        QTest::newRow("upper case name") << QByteArray("CLBLUE") << quint32(0x00FF0000) << "clBlue" << "clBlue";
        QTest::newRow("hexadecimal") << QByteArray("$000080FF") << quint32(0x000080FF) << "$000080FF" << "$000080FF";
        QTest::newRow("decimal of a name") << QByteArray("255") << quint32(0x000000FF) << "clRed" << "clRed";
        QTest::newRow("no colour") << QByteArray("clNone") << quint32(0x1FFFFFFF) << "clNone" << "clNone";
        QTest::newRow("system") << QByteArray("clInfoBk") << quint32(0xFF000018) << "clInfoBk" << "clInfoBk";
    }
    void coloursReadAndWritten()
    {
        QFETCH(QByteArray, text);
        QFETCH(quint32, value);
        QFETCH(QString, shown);
        QFETCH(QString, written);
        env->writeFile("init.ini", iniWith("0", text));
        window->startUp();
        QCOMPARE(window->stringColor(), ColorValue(value));
        QCOMPARE(control<ColorChooser>("clbStringovi")->currentText(), shown);
        runSettings([this] { click("bitOk"); });
        QCOMPARE(prompts->take(), (QList<TestPrompts::Shown>{{"information", Restart}}));
        QCOMPARE(stored(ConfigKeys::ColorStrings), written);
        QCOMPARE(stored(ConfigKeys::ColorKeywords), QStringLiteral("clTeal"));
    }

    void aBadColourEndsTheLoad()
    {
        env->writeFile("init.ini", iniWith("0", "clYellow", "clLime"));
        window->startUp();
        show();
        clickNode("Script editor");
        window->hide();

        env->writeFile("init.ini", iniWith("1", "not a colour", "clAqua").replace("clTeal", "clNavy"));
        show();
        QCOMPARE(prompts->take(),
                 (QList<TestPrompts::Shown>{{"error", "''not a colour'' is not a valid integer value"}}));
        QCOMPARE(window->keywordColor(), ColorValue(0x00800000)); // read before the bad one
        QCOMPARE(window->stringColor(), ColorValue(0x0000FFFF)); // kept
        QCOMPARE(window->functionColor(), ColorValue(0x0000FF00)); // kept
        QCOMPARE(window->openingChoice(), OpeningChoice::ClearEditor);
        QCOMPARE(visiblePages(), QStringList{"pnlEditor"});
    }

    void liveOptionsAndCancel_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Cancel button") << false;
        QTest::newRow("Esc") << true;
    }
    void liveOptionsAndCancel()
    {
        QFETCH(bool, byEscape);
        env->writeFile("init.ini", iniWith("7"));
        const QByteArray before = env->readFile("init.ini");
        window->startUp();
        QCOMPARE(control<QPushButton>("bitCancel")->text(), QStringLiteral("Cancel"));
        runSettings([&] {
            clickNode("Script editor");
            // The editor sees a change at once, before the window is left.
            chooseColor("clbKljucne", "clMaroon");
            QCOMPARE(window->keywordColor(), ColorValue(0x00000080));
            control<QRadioButton>("rdbKeepPrevious")->click();
            QCOMPARE(window->openingChoice(), OpeningChoice::KeepPrevious);
            clickNode("Bodypart");
            control<QLineEdit>("ledBodypart")->setText("Neck");
            click("bitAdd1");
            control<QLineEdit>("ledBodypart")->setText("half typed");
            clickNode("Files");
            control<QLineEdit>("ledVjezbe")->setText("other.dat");
            if (byEscape)
                QTest::keyClick(control<QLineEdit>("ledVjezbe"), Qt::Key_Escape);
            else
                click("bitCancel");
        });
        // Cancel writes nothing and puts back what the file holds.
        QCOMPARE(env->readFile("init.ini"), before);
        QCOMPARE(window->keywordColor(), ColorValue(0x00808000));
        QCOMPARE(window->openingChoice(), OpeningChoice::NoneSelected);
        QCOMPARE(items("lstBodypart"), (QStringList{"", "Chest", "Back"}));
        QCOMPARE(control<QLineEdit>("ledBodypart")->text(), QString());
        QCOMPARE(control<QLineEdit>("ledVjezbe")->text(), QStringLiteral("/data/ex.dat"));
    }

    void okWritesEverythingInOrder()
    {
        env->writeFile("init.ini", "; kept\n[Other]\nA=1\n");
        window->startUp();
        runSettings([this] {
            control<QLineEdit>("ledTrainingFile")->setText("  spaced.dat");
            clickNode("Type of cardio");
            control<QLineEdit>("ledCardio")->setText("Rowing");
            click("bitAdd2");
            clickNode("Script editor");
            control<QRadioButton>("rdbRunWizard")->click();
            chooseColor("clbKljucne", "clTeal");
            chooseColor("clbStringovi", "clHotLight");
            click("bitOk");
        });
        QCOMPARE(prompts->take(), (QList<TestPrompts::Shown>{{"information", Restart}}));
        const QString text = ini();
        QVERIFY(text.startsWith("; kept\n[Other]\nA=1\n[Program]\n"));
        const QStringList keys = {"Training_file=", "Html_template_file=", "Exercise_file=", "Bodypart=",
                                  "Type_cardio=", "Type_training=", "Type_execution=", "Upon_opening=2",
                                  "Color_keywords=clTeal", "Color_strings=clHotLight", "Color_functions=clRed"};
        for (int i = 1; i < keys.size(); ++i)
            QVERIFY2(text.indexOf(keys[i - 1]) < text.indexOf(keys[i]), qPrintable(keys[i]));
        QVERIFY(text.contains("Type_cardio=,Running,Cycling,Swimming,Jumprope,Walking,Rowing\n"));

        // The next start reads the new list and file name.
        const StartupConfiguration next = StartupConfiguration::read(IniFile(env->path("init.ini")));
        QCOMPARE(next.cardioTypes.last(), QStringLiteral("Rowing"));
        QCOMPARE(next.trainingFile, QStringLiteral("spaced.dat")); // blanks around a value drop on reading
    }

    void aFailedWriteIsReported()
    {
        QVERIFY(QDir(env->folder()).mkdir("init.ini")); // a folder where the file should be
        window->startUp();
        runSettings([this] { click("bitOk"); });
        const QList<TestPrompts::Shown> shown = prompts->take();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, QStringLiteral("error"));
        QCOMPARE(shown[0].text, QStringLiteral("Unable to write to %1").arg(env->path("init.ini")));
    }

    void keysFromEveryKindOfField_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("accepted");
        const QList<QPair<QString, QString>> fields = {
            {"Files", "trvDrvo"},          {"Files", "ledTrainingFile"},  {"Bodypart", "ledBodypart"},
            {"Bodypart", "lstBodypart"},   {"Script editor", "rdbClearEditor"}, {"Script editor", "clbFunkcije"},
            {"Files", "bitOk"}};
        for (const auto &[node, field] : fields) {
            QTest::addRow("Enter in %s", qPrintable(field)) << node << field << int(Qt::Key_Return) << true;
            QTest::addRow("Esc in %s", qPrintable(field)) << node << field << int(Qt::Key_Escape) << false;
        }
        QTest::newRow("Enter in bitCancel") << "Files" << "bitCancel" << int(Qt::Key_Return) << false;
        QTest::newRow("keypad Enter in ledVjezbe") << "Files" << "ledVjezbe" << int(Qt::Key_Enter) << true;
    }
    void keysFromEveryKindOfField()
    {
        QFETCH(QString, node);
        QFETCH(QString, field);
        QFETCH(int, key);
        QFETCH(bool, accepted);
        window->startUp();
        runSettings([&] {
            clickNode(node);
            auto *widget = control<QWidget>(field);
            widget->setFocus();
            QCOMPARE(QApplication::focusWidget(), widget);
            QTest::keyClick(widget, Qt::Key(key));
        });
        QCOMPARE(window->result(), accepted ? int(QDialog::Accepted) : int(QDialog::Rejected));
        if (accepted)
            QCOMPARE(prompts->take(), (QList<TestPrompts::Shown>{{"information", Restart}}));
    }
};

QTEST_MAIN(TestPostavke)
#include "tst_postavke.moc"
