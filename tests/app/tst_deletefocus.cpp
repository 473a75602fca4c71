// Del acts on the area that has the keyboard focus: reaching the list of past workouts
// or a grid with Tab, Shift+Tab or a shortcut counts as clicking it.

#include "app/Main.h"
#include "app/ProgramWindows.h"
#include "common/DayCount.h"
#include "editing/WorkoutGrid.h"
#include "support/TestEnvironment.h"
#include "support/TestPrompts.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {
const QByteArray kIni = "[Lists]\nBodypart=,Chest,Back\nType_cardio=,Running,Cycling\n"
                        "Type_training=,Light,Heavy\nType_execution=,Warmup,Working set\n"
                        "[Program]\nTop=100\nLeft=50\nTraining_file=workouts.dat\n";
}

class TestDeleteFocus : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnvironment> env;
    TestPrompts prompts;
    std::unique_ptr<ProgramWindows> windows;
    TfrmMain *window = nullptr;

    template <typename T>
    T *child(const char *name)
    {
        T *widget = window->findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QWidget *area(const QString &name) { return child<QWidget>(name.toLatin1().constData()); }
    QAction *action(const char *name) { return child<QAction>(name); }
    // The command Del runs now.
    QString delOwner()
    {
        for (const char *name : {"actObrisi", "actObrisiRed", "actObrisiKardio"})
            if (action(name)->shortcut() == QKeySequence(Qt::Key_Delete))
                return QString::fromLatin1(name);
        return QString();
    }

    // One stored workout with a cardio row and an exercise row, shown in the form; the
    // window is active so that focus moves as with a user at the keyboard.
    void startShowingAWorkout()
    {
        windows.reset();
        env = std::make_unique<TestEnvironment>();
        prompts = TestPrompts();
        env->writeFile("license.txt", "MIT License\n");
        env->writeFile("init.ini", kIni);
        WorkoutRecord r;
        r.Date = DayCount::fromDate(QDate(2009, 3, 2));
        r.Bodypart = "Chest";
        r.Cardio.append({"Running", 0, 0.3f, 5000, 0});
        r.Exercises.append({"Row", "Warmup", 3, 10, 0.0f});
        env->writeFile("workouts.dat", r.encode());
        windows = std::make_unique<ProgramWindows>(prompts);
        window = &windows->mainWindow();
        windows->startUp();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto *list = child<QListWidget>("lstProsliTreninzi");
        list->setCurrentRow(0);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(child<WorkoutGrid>("stgKardio")->entryCount(), 1);
    }

private slots:
    void keyboardFocusChoosesWhatDelDeletes_data()
    {
        QTest::addColumn<QString>("from");   // the area that has Del first
        QTest::addColumn<QString>("to");     // the area the keyboard reaches
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("owner");  // the command Del runs afterwards
        QTest::newRow("Shift+Tab back to the list") << "stgKardio" << "lstProsliTreninzi" << int(Qt::BacktabFocusReason)
                                                    << "actObrisi";
        QTest::newRow("Tab into the list") << "stgVjezbe" << "lstProsliTreninzi" << int(Qt::TabFocusReason)
                                           << "actObrisi";
        QTest::newRow("Tab into the cardio grid") << "lstProsliTreninzi" << "stgKardio" << int(Qt::TabFocusReason)
                                                  << "actObrisiKardio";
        QTest::newRow("Shift+Tab into the exercise grid") << "stgKardio" << "stgVjezbe" << int(Qt::BacktabFocusReason)
                                                          << "actObrisiRed";
        QTest::newRow("shortcut to the exercise grid") << "lstProsliTreninzi" << "stgVjezbe"
                                                       << int(Qt::ShortcutFocusReason) << "actObrisiRed";
        // Focus the program moves itself is not the user choosing the area.
        QTest::newRow("program moves the focus") << "stgKardio" << "lstProsliTreninzi" << int(Qt::OtherFocusReason)
                                                 << "actObrisiKardio";
    }
    void keyboardFocusChoosesWhatDelDeletes()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, reason);
        QFETCH(QString, owner);
        startShowingAWorkout();
        area(from)->setFocus(Qt::TabFocusReason);
        QVERIFY(area(from)->hasFocus());
        QCOMPARE(delOwner(), from == "lstProsliTreninzi" ? QStringLiteral("actObrisi")
                             : from == "stgKardio"       ? QStringLiteral("actObrisiKardio")
                                                         : QStringLiteral("actObrisiRed"));
        area(to)->setFocus(Qt::FocusReason(reason));
        QVERIFY(area(to)->hasFocus());
        QCOMPARE(delOwner(), owner);
    }

    // Tab from the cardio "Add" button into the cardio grid, then back to the list with
    // Shift+Tab: Del asks to delete the workout and leaves the cardio row alone.
    void delInTheListReachedByKeyboardAsksToDeleteTheWorkout()
    {
        startShowingAWorkout();
        auto *add = child<QPushButton>("bitDodajKardio");
        add->setFocus(Qt::TabFocusReason);
        QTest::keyClick(add, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("stgKardio"));
        QCOMPARE(delOwner(), QStringLiteral("actObrisiKardio"));
        area("lstProsliTreninzi")->setFocus(Qt::BacktabFocusReason);
        prompts.confirmAnswers << UserPrompts::Answer::No;
        QTest::keyClick(area("lstProsliTreninzi"), Qt::Key_Delete);
        QCOMPARE(prompts.take(), (QList<TestPrompts::Shown>{{"confirm", "Do your want to delete selected workout?"}}));
        QCOMPARE(child<WorkoutGrid>("stgKardio")->entryCount(), 1);
    }
};

QTEST_MAIN(TestDeleteFocus)
#include "tst_deletefocus.moc"
