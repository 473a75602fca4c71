#include "app/Ribbon.h"

#include <QAction>
#include <QGroupBox>
#include <QLayout>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

// Groups keep the ribbon's fixed order whatever order their commands come in; the
// application menu shows the commands' own actions.
class TestRibbon : public QObject {
    Q_OBJECT

    static QStringList groupsOfTab(const QWidget *anyButton)
    {
        const QWidget *page = anyButton->parentWidget()->parentWidget();
        QStringList titles;
        for (int i = 0; i < page->layout()->count(); ++i)
            if (auto *group = qobject_cast<QGroupBox *>(page->layout()->itemAt(i)->widget()))
                titles << group->title();
        return titles;
    }

private slots:
    void groupsStandInTheTabsOrder()
    {
        Ribbon ribbon;
        QAction goals("Edit your goals"), open("Open training file"), newFile("New training file"),
            converter("Format converter"), scripts("Run a script");
        goals.setObjectName("actCiljevi");
        open.setObjectName("actOtvoriTrening");
        converter.setObjectName("bitConverter");
        ribbon.addCommand(Ribbon::TrainingTab, "Goals", &goals);
        ribbon.addCommand(Ribbon::TrainingTab, "Files", &open);
        ribbon.addCommand(Ribbon::TrainingTab, "Files", &newFile);
        ribbon.addCommand(Ribbon::ToolsTab, "Converter", &converter);
        ribbon.addCommand(Ribbon::ToolsTab, "Scripting", &scripts);
        QCOMPARE(groupsOfTab(ribbon.findChild<QToolButton *>("rbnactCiljevi")), (QStringList{"Files", "Goals"}));
        QCOMPARE(groupsOfTab(ribbon.findChild<QToolButton *>("rbnbitConverter")), (QStringList{"Scripting", "Converter"}));
        // Buttons of a group stand in the order they were added.
        auto *files = ribbon.findChild<QGroupBox *>("grpFiles");
        QCOMPARE(qobject_cast<QToolButton *>(files->layout()->itemAt(0)->widget())->defaultAction(), &open);
        QCOMPARE(qobject_cast<QToolButton *>(files->layout()->itemAt(1)->widget())->defaultAction(), &newFile);
    }

    void menuShowsTheCommandsOwnActions()
    {
        Ribbon ribbon;
        QAction newWorkout("&New"), help("Help"), exit("E&xit Fortavo");
        newWorkout.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
        ribbon.addMenuItem(&newWorkout);
        ribbon.addMenuItem("New &workout", &newWorkout);
        ribbon.addMenuSeparator();
        ribbon.addMenuItem(&help);
        ribbon.addMenuItem(&exit);
        QCOMPARE(ribbon.findChild<QToolButton *>("btnApplicationMenu")->text(), QStringLiteral("Fortavo main menu"));
        auto *menu = ribbon.findChild<QMenu *>("mnuApplication");
        const QList<QAction *> items = menu->actions();
        QCOMPARE(items.size(), 5);
        QCOMPARE(items.at(0), &newWorkout);
        QVERIFY(items.at(2)->isSeparator());
        QCOMPARE(items.at(3), &help);
        QCOMPARE(items.at(4), &exit);
        // A second item of a command shows its key, carries none, and triggers the command.
        QAction *second = items.at(1);
        QCOMPARE(second->text(), QStringLiteral("New &workout\t") + QKeySequence(Qt::CTRL | Qt::Key_N).toString(QKeySequence::NativeText));
        QVERIFY(second->shortcuts().isEmpty());
        QSignalSpy triggered(&newWorkout, &QAction::triggered);
        second->trigger();
        QCOMPARE(triggered.size(), 1);
        // It follows the command's key and state.
        newWorkout.setShortcut(QKeySequence(Qt::Key_F9));
        QCOMPARE(second->text(), QStringLiteral("New &workout\tF9"));
        newWorkout.setEnabled(false);
        QVERIFY(!second->isEnabled());
    }
};

QTEST_MAIN(TestRibbon)
#include "tst_ribbon.moc"
