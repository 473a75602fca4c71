#include "PostavkeFixture.h"

// The settings window's list pages: adding and deleting entries, with buttons and
// with Enter.
class TestPostavkeLists : public PostavkeFixture {
    Q_OBJECT

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void listPages_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("loaded");
        QTest::newRow("Bodypart") << "Bodypart" << 1 << "lstBodypart" << "ledBodypart" << "Bodypart"
                                  << QStringList{"", "Chest", "Back"};
        QTest::newRow("Type of cardio") << "Type of cardio" << 2 << "lstCardio" << "ledCardio" << "Type_cardio"
                                        << QStringList{"", "Running"};
        QTest::newRow("Type of training") << "Type of training" << 3 << "lstTraining" << "ledTraining"
                                          << "Type_training" << QStringList{"", "Light", "Heavy"};
        QTest::newRow("Type of execution") << "Type of execution" << 4 << "lstExecution" << "ledExecution"
                                           << "Type_execution" << QStringList{"", "Warmup"};
    }
    void listPages()
    {
        QFETCH(QString, node);
        QFETCH(int, n);
        QFETCH(QString, list);
        QFETCH(QString, entry);
        QFETCH(QString, key);
        QFETCH(QStringList, loaded);
        env->writeFile("init.ini", iniWith());
        window->startUp();
        QStringList expected;
        runSettings([&] {
            clickNode(node);
            const QString add = QStringLiteral("bitAdd%1").arg(n);
            const QString del = QStringLiteral("bitDel%1").arg(n);
            QCOMPARE(items(list), loaded);
            QCOMPARE(control<QPushButton>(add)->toolTip(), QStringLiteral("Add item"));
            QCOMPARE(control<QPushButton>(del)->toolTip(), QStringLiteral("Delete item"));
            auto *field = control<QLineEdit>(entry);

            // Text goes to the end unchanged; an empty text and a duplicate are items too.
            QTest::keyClicks(field, QStringLiteral("Upper  neck"));
            click(add);
            QCOMPARE(field->text(), QString());
            click(add);
            field->setText(QStringLiteral("Upper  neck"));
            click(add);
            QCOMPARE(items(list), loaded + QStringList({"Upper  neck", "", "Upper  neck"}));

            // A comma would make two items of one once stored: refused, the text stays.
            field->setText(QStringLiteral("Biceps, Triceps"));
            click(add);
            QCOMPARE(prompts->take(), (QList<TestPrompts::Shown>{{"warning", "An entry cannot contain a comma."}}));
            QCOMPARE(field->text(), QStringLiteral("Biceps, Triceps"));
            QCOMPARE(items(list).size(), loaded.size() + 3);

            // Delete removes the selected item only.
            auto *l = control<QListWidget>(list);
            l->clearSelection();
            click(del);
            QCOMPARE(items(list).size(), loaded.size() + 3);
            l->item(1)->setSelected(true);
            click(del);
            l->item(0)->setSelected(true);
            click(del);
            expected = loaded.mid(2) + QStringList({"Upper  neck", "", "Upper  neck"});
            QCOMPARE(items(list), expected);

            click("bitOk");
        });
        // The other lists are untouched; OK wrote this one without its leading comma.
        QCOMPARE(prompts->take(), (QList<TestPrompts::Shown>{{"information", Restart}}));
        const IniFile file(env->path("init.ini"));
        QCOMPARE(file.readString("Lists", key, "<none>"), expected.join(','));
        QCOMPARE(file.readString("Lists", "Bodypart", "<none>").left(6), n == 1 ? QStringLiteral("Back,U") : ",Chest");
    }

    void enterInANewEntryFieldAddsIt_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("key");
        QTest::newRow("Bodypart") << "Bodypart" << "ledBodypart" << "lstBodypart" << "Bodypart";
        QTest::newRow("Type of cardio") << "Type of cardio" << "ledCardio" << "lstCardio" << "Type_cardio";
        QTest::newRow("Type of training") << "Type of training" << "ledTraining" << "lstTraining" << "Type_training";
        QTest::newRow("Type of execution") << "Type of execution" << "ledExecution" << "lstExecution"
                                           << "Type_execution";
    }
    void enterInANewEntryFieldAddsIt()
    {
        QFETCH(QString, node);
        QFETCH(QString, field);
        QFETCH(QString, list);
        QFETCH(QString, key);
        env->writeFile(QStringLiteral("init.ini"), iniWith());
        window->startUp();
        const int before = items(list).size();
        bool stayed = false;
        runSettings([&] {
            clickNode(node);
            auto *entry = control<QLineEdit>(field);
            entry->setFocus();
            QTest::keyClicks(entry, QStringLiteral("Rowing"));
            QTest::keyClick(entry, Qt::Key_Return); // adds, the window stays
            stayed = window->isVisible();
            QCOMPARE(entry->text(), QString());
            QTest::keyClick(entry, Qt::Key_Return); // an empty field: Enter is OK again
        });
        QVERIFY(stayed);
        QCOMPARE(window->result(), int(QDialog::Accepted));
        QCOMPARE(prompts->take(), (QList<TestPrompts::Shown>{{"information", Restart}}));
        QCOMPARE(items(list).size(), before + 1);
        QCOMPARE(items(list).last(), QStringLiteral("Rowing"));
        QVERIFY(IniFile(env->path(QStringLiteral("init.ini"))).readString("Lists", key, "<none>").endsWith(",Rowing"));
    }

    void enterOnAFocusedButtonPressesIt()
    {
        window->startUp();
        show();
        clickNode("Type of cardio");
        control<QLineEdit>("ledCardio")->setText("Rowing");
        control<QPushButton>("bitAdd2")->setFocus();
        QTest::keyClick(control<QPushButton>("bitAdd2"), Qt::Key_Return);
        QVERIFY(window->isVisible());
        QCOMPARE(items("lstCardio").last(), QStringLiteral("Rowing"));
    }
};

QTEST_MAIN(TestPostavkeLists)
#include "tst_postavkelists.moc"
