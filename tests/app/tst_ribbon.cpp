#include "app/Ribbon.h"

#include <QAction>
#include <QGroupBox>
#include <QLayout>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

// Windows add their commands in start-up order; the ribbon and the application menu
// keep their own fixed order whatever that is.
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

    void menuItemsStandInTheirOrder()
    {
        Ribbon ribbon;
        QAction exit, help, goals, scriptEditor, save, other;
        ribbon.addMenuItem("E&xit Fortavo", &exit);
        ribbon.addMenuItem("Help", &help);
        ribbon.addMenuItem("S&cript editor", &scriptEditor);
        ribbon.addMenuItem("Some later item", &other);
        ribbon.addMenuItem("&Goals", &goals);
        ribbon.addMenuItem("&Save workout", &save);
        QStringList items;
        auto *menu = ribbon.findChild<QMenu *>("mnuApplication");
        for (QAction *a : menu->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(items, (QStringList{"&Save workout", "&Goals", "S&cript editor", "Some later item", "-", "Help",
                                     "E&xit Fortavo"}));
        // Each item triggers its command.
        QSignalSpy triggered(&goals, &QAction::triggered);
        menu->actions().at(1)->trigger();
        QCOMPARE(triggered.size(), 1);
    }

    void applicationMenuShowsItsCaptionAndTheKeys()
    {
        Ribbon ribbon;
        QAction save, exit;
        save.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
        exit.setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
        ribbon.addMenuItem("&Save workout", &save);
        ribbon.addMenuItem("E&xit Fortavo", &exit);
        QCOMPARE(ribbon.findChild<QToolButton *>("btnApplicationMenu")->text(), QStringLiteral("Fortavo main menu"));
        auto *menu = ribbon.findChild<QMenu *>("mnuApplication");
        QCOMPARE(menu->actions().first()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(menu->actions().last()->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
        // A key given to the command later shows there too.
        save.setShortcut(QKeySequence(Qt::Key_F9));
        QCOMPARE(menu->actions().first()->shortcut(), QKeySequence(Qt::Key_F9));
    }
};

QTEST_MAIN(TestRibbon)
#include "tst_ribbon.moc"
