#include "app/Commands.h"
#include "app/Main.h"
#include "common/CommandRegistry.h"
#include "editing/DrugiProzor.h"
#include "editor/Skripta.h"
#include "editor/ScriptTextEdit.h"
#include "exercises/Vjezbe.h"
#include "goals/Ciljevi.h"
#include "progressview/Napredak.h"
#include "support/MainWindowKeys.h"
#include "support/WholeProgram.h"
#include "support/WorkoutBuilder.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {
// The window an action belongs to: that of the nearest widget above it that is no menu.
const QWidget *windowOf(const QObject *action)
{
    for (const QObject *o = action->parent(); o; o = o->parent())
        if (o->isWidgetType() && !qobject_cast<const QMenu *>(o))
            return static_cast<const QWidget *>(o)->window();
    return nullptr;
}

// Every key held by an action of the window (its menus and pop-ups included) with the
// actions holding it.
QMultiHash<QKeySequence, QString> keyCarriers(const QWidget *window)
{
    QMultiHash<QKeySequence, QString> carriers;
    for (const QAction *action : window->findChildren<QAction *>())
        if (windowOf(action) == window)
            for (const QKeySequence &key : action->shortcuts())
            carriers.insert(key, action->objectName().isEmpty() ? action->text() : action->objectName());
    return carriers;
}
}

class TestWholeProgram : public QObject {
    Q_OBJECT

    std::unique_ptr<QtWarningTrap> trap;
    std::unique_ptr<WholeProgram> program;

    QWidget *control(const char *name) const { return program->main().findChild<QWidget *>(QLatin1String(name)); }

private slots:
    void init()
    {
        trap = std::make_unique<QtWarningTrap>();
        program = std::make_unique<WholeProgram>(
            WholeProgram::DefaultIni, QList<WorkoutRecord>{WorkoutBuilder::workout(QDate(2009, 3, 2), "Chest")});
        QVERIFY(program->waitUntilActive());
    }
    void cleanup()
    {
        program.reset();
        const QStringList warnings = trap->takeWarnings();
        trap.reset();
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
    }

    void startUpFocusIsOnTheList()
    {
        QCOMPARE(QApplication::focusWidget(), control("lstProsliTreninzi"));
        // Tab from the list reaches the date.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *date = control("dtpDatum");
        QVERIFY(QApplication::focusWidget() == date || date->isAncestorOf(QApplication::focusWidget()));
    }

    void ctrlPOpensTheProgressWindowAndEscClosesIt()
    {
        TfrmNapredak &progress = program->windows->progressWindow();
        QVERIFY(!progress.isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(progress.isVisible());
        QCOMPARE(progress.windowTitle(), QStringLiteral("Progress"));
        QTRY_COMPARE(QApplication::activeWindow(), &progress);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!progress.isVisible());
        QVERIFY(program->main().isVisible());
    }

    void everyWindowKeyRunsItsCommandOnceFromEveryFocus_data()
    {
        QTest::addColumn<QByteArray>("focus"); // empty: as start-up left it
        QTest::newRow("nothing clicked after start-up") << QByteArray();
        QTest::newRow("application menu button") << QByteArray("btnApplicationMenu");
        QTest::newRow("list") << QByteArray("lstProsliTreninzi");
        QTest::newRow("Date") << QByteArray("dtpDatum");
        QTest::newRow("Comment") << QByteArray("memKomentar");
        QTest::newRow("grid") << QByteArray("stgVjezbe");
        QTest::newRow("exercise choice") << QByteArray("cmbVjezba");
        QTest::newRow("spin box") << QByteArray("spnSerija");
    }
    void everyWindowKeyRunsItsCommandOnceFromEveryFocus()
    {
        QFETCH(QByteArray, focus);
        // Each command only counts how often it runs.
        QHash<QByteArray, int> ran;
        CommandRegistry &commands = program->main().commands();
        for (const auto &[name, key] : mainWindowKeys())
            commands.bind(QLatin1String(name), [&ran, name = name] { ++ran[name]; });
        for (const auto &[name, key] : mainWindowKeys()) {
            if (!focus.isEmpty()) {
                QWidget *widget = control(focus.constData());
                QVERIFY(widget);
                widget->setFocus(Qt::OtherFocusReason);
                QVERIFY(QApplication::focusWidget() == widget || widget->isAncestorOf(QApplication::focusWidget()));
            }
            QWidget *focused = QApplication::focusWidget();
            QVERIFY(focused);
            QTest::keyClick(focused, key[0].key(), key[0].keyboardModifiers());
            QVERIFY2(ran.value(name) == 1, qPrintable(QStringLiteral("%1 ran %2 times for %3")
                                                          .arg(QLatin1String(name))
                                                          .arg(ran.value(name))
                                                          .arg(key.toString())));
            QVERIFY(program->main().isVisible());
        }
    }

    void eachCommandIsOneActionAndNoKeyHasTwo()
    {
        TfrmMain &main = program->main();
        QStringList names;
        for (const MainCommand &command : mainCommands()) {
            const QString name = QLatin1String(command.name);
            QVERIFY2(!names.contains(name), qPrintable(name));
            names << name;
            int actions = 0;
            for (const QAction *action : main.findChildren<QAction *>(name))
                actions += windowOf(action) == &main;
            QCOMPARE(actions, 1);
        }
        // Ribbon button, application menu item and pop-up item show the command's own action.
        QAction *actVjezbe = program->command("actVjezbe");
        QCOMPARE(main.findChild<QToolButton *>("rbnactVjezbe")->defaultAction(), actVjezbe);
        QVERIFY(main.findChild<QMenu *>("mnuApplication")->actions().contains(actVjezbe));
        QAction *bitCut = program->command("bitCut");
        QCOMPARE(main.findChild<QToolButton *>("rbnbitCut")->defaultAction(), bitCut);
        QVERIFY(main.findChild<QMenu *>("pmnLista")->actions().contains(bitCut));

        // Keys of every window with keys, counted over all their actions.
        program->command("actNapredak")->trigger();
        program->command("actSkriptEditor")->trigger();
        program->command("actCiljevi")->trigger();
        const QList<const QWidget *> windows = {&main, &program->windows->scriptEditor(),
                                                &program->windows->exerciseWindow(), &program->windows->goalsWindow(),
                                                &program->windows->progressWindow()};
        for (const QWidget *window : windows) {
            const QMultiHash<QKeySequence, QString> carriers = keyCarriers(window);
            for (const QKeySequence &key : carriers.uniqueKeys())
                QVERIFY2(carriers.count(key) == 1, qPrintable(QStringLiteral("%1: %2 on %3")
                                                                  .arg(window->objectName(), key.toString(),
                                                                       QStringList(carriers.values(key)).join(", "))));
        }
        // Moving the delete keys keeps them on one command each.
        main.findChild<QWidget *>("stgVjezbe")->setFocus(Qt::TabFocusReason);
        QCOMPARE(program->command("actObrisiRed")->shortcut(), QKeySequence(Qt::Key_Delete));
        const QMultiHash<QKeySequence, QString> moved = keyCarriers(&main);
        QCOMPARE(moved.count(QKeySequence(Qt::Key_Delete)), 1);
        QCOMPARE(moved.count(QKeySequence(Qt::CTRL | Qt::Key_Delete)), 1);
        QCOMPARE(moved.count(QKeySequence(Qt::ALT | Qt::Key_Delete)), 1);
    }

    void closingTheMainWindowEndsTheProgram_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("editorText"); // empty: unmodified
        QTest::addColumn<int>("answer");         // to the save question
        QTest::addColumn<bool>("ends");
        const int none = -1, yes = int(UserPrompts::Answer::Yes), no = int(UserPrompts::Answer::No),
                  cancel = int(UserPrompts::Answer::Cancel);
        for (const QString way : {"Alt+F4", "close box", "Exit"}) {
            QTest::addRow("%s, nothing typed", qPrintable(way)) << way << QString() << none << true;
            QTest::addRow("%s, typed, No", qPrintable(way)) << way << "X = 1" << no << true;
            QTest::addRow("%s, typed, Cancel", qPrintable(way)) << way << "X = 1" << cancel << false;
        }
        QTest::newRow("typed, Yes saves, then ends") << "Alt+F4" << "X = 1" << yes << true;
    }
    void closingTheMainWindowEndsTheProgram()
    {
        QFETCH(QString, way);
        QFETCH(QString, editorText);
        QFETCH(int, answer);
        QFETCH(bool, ends);
        TfrmMain &main = program->main();
        // The progress window, the second window, the goals window and the script editor
        // are open.
        auto *list = main.findChild<QListWidget *>("lstProsliTreninzi");
        list->setCurrentRow(0);
        list->item(0)->setSelected(true);
        program->command("actNapredak")->trigger();
        QVERIFY(program->windows->progressWindow().isVisible());
        program->command("mniSecondWindow")->trigger();
        QVERIFY(program->windows->secondWindow().isVisible());
        program->command("actCiljevi")->trigger();
        QVERIFY(program->windows->goalsWindow().isVisible());
        program->command("actSkriptEditor")->trigger();
        TfrmSkripta &editor = program->windows->scriptEditor();
        QVERIFY(editor.isVisible());
        if (!editorText.isEmpty())
            editor.textArea()->insertPlainText(editorText);
        if (answer >= 0)
            program->prompts.confirmAnswers.enqueue(UserPrompts::Answer(answer));
        const QString saved = program->env.path("saved.fvs");
        if (answer == int(UserPrompts::Answer::Yes))
            program->prompts.fileAnswers.enqueue(saved);
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));

        bool closeDone = false;
        QTimer::singleShot(0, &main, [&] {
            if (way == QLatin1String("Alt+F4"))
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::AltModifier);
            else if (way == QLatin1String("close box"))
                main.windowHandle()->close();
            else
                program->command("actIzadji")->trigger();
            closeDone = true;
        });
        // The program either ends (the loop returns 0) or keeps running until the
        // test ends it.
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(7); });
        watchdog.start(3000);
        const int status = QApplication::exec();
        QVERIFY(closeDone);
        QCOMPARE(status, ends ? 0 : 7);
        QCOMPARE(main.isVisible(), !ends);
        const QStringList asked = program->prompts.texts(QStringLiteral("confirm"));
        QCOMPARE(asked, editorText.isEmpty() ? QStringList()
                                             : QStringList{QStringLiteral("Content has been modified. Save it first?")});
        if (answer == int(UserPrompts::Answer::Yes))
            QVERIFY(program->env.readFile("saved.fvs").startsWith("X = 1"));
        program->prompts.take();
        if (!ends)
            editor.textArea()->document()->setModified(false);
    }
};

QTEST_MAIN(TestWholeProgram)
#include "tst_wholeprogram.moc"
