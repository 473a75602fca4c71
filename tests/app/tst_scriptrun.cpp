#include "app/Main.h"
#include "app/ProgramWindows.h"
#include "app/ScriptRunDialog.h"
#include "app/ScriptRunner.h"
#include "common/Errors.h"
#include "common/QtUserPrompts.h"
#include "editing/WorkoutGrid.h"
#include "support/TestEnvironment.h"
#include "support/WorkoutBuilder.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTimer>

#include <memory>

namespace {
const QByteArray kIni = "[Lists]\nBodypart=,Chest\nType_cardio=,Running\nType_training=,Light\n"
                        "Type_execution=,Working set\n[Program]\nTraining_file=workouts.dat\n";

// A prompt of the run as the user saw it: "input", "message" (no icon),
// "information", "warning" or "error", and its text.
struct Seen {
    QString kind;
    QString text;
    bool operator==(const Seen &o) const { return kind == o.kind && text == o.text; }
};
char *toString(const Seen &seen)
{
    return QTest::toString(seen.kind + QStringLiteral(": ") + seen.text);
}

QString kindOf(QWidget *prompt)
{
    if (qobject_cast<QInputDialog *>(prompt))
        return QStringLiteral("input");
    switch (static_cast<QMessageBox *>(prompt)->icon()) {
    case QMessageBox::Information:
        return QStringLiteral("information");
    case QMessageBox::Warning:
        return QStringLiteral("warning");
    case QMessageBox::Critical:
        return QStringLiteral("error");
    default:
        return QStringLiteral("message");
    }
}

QString textOf(QWidget *prompt)
{
    if (auto *input = qobject_cast<QInputDialog *>(prompt))
        return input->labelText();
    return static_cast<QMessageBox *>(prompt)->text();
}

// A user at the keyboard: answers each prompt of a run once it has been open longer
// than the run dialog waits before it shows, by typing into whatever has the focus, and
// notes anything that stood in the prompt's way.
class KeyboardUser : public QObject {
public:
    struct Answer {
        QString typed;                 // typed over the preset text of an input box
        bool stopWhileWaiting = false; // Stop arrives while this prompt waits
    };

    explicit KeyboardUser(QWidget *window) : m_window(window)
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        m_timer.start(20);
    }

    QList<Answer> answers;
    QList<Seen> seen;
    QStringList faults;
    bool sawRunDialog = false;
    bool clickStopWhenRunning = false;

private:
    QWidget *runDialog() const { return m_window->findChild<QDialog *>(QStringLiteral("dlgScriptRun")); }

    void tick()
    {
        QWidget *modal = QApplication::activeModalWidget();
        QWidget *run = runDialog();
        const bool prompt = qobject_cast<QInputDialog *>(modal) || qobject_cast<QMessageBox *>(modal);
        if (!prompt) {
            if (run && run->isVisible()) {
                sawRunDialog = true;
                if (clickStopWhenRunning && modal == run) {
                    clickStopWhenRunning = false;
                    QTest::mouseClick(run->findChild<QPushButton *>(QStringLiteral("bitStop")), Qt::LeftButton);
                }
            }
            return;
        }
        if (run && run->isVisible())
            faults << QStringLiteral("the run dialog shows with \"%1\"").arg(textOf(modal));
        if (modal == m_answered)
            return; // closing
        if (modal != m_current) {
            m_current = modal;
            m_openFor.start();
            seen << Seen{kindOf(modal), textOf(modal)};
        }
        if (m_openFor.elapsed() < ScriptRunDialog::ShowDelayMs * 3 / 2)
            return;
        answer(modal);
    }

    void answer(QWidget *prompt)
    {
        m_answered = prompt;
        const Answer a = answers.isEmpty() ? Answer() : answers.takeFirst();
        if (a.stopWhileWaiting)
            runDialog()->findChild<QPushButton *>(QStringLiteral("bitStop"))->click();
        QWidget *focused = QApplication::focusWidget();
        if (!focused || !prompt->isAncestorOf(focused)) {
            faults << QStringLiteral("the keys do not reach \"%1\"").arg(textOf(prompt));
            focused = prompt;
        }
        if (qobject_cast<QInputDialog *>(prompt)) {
            QTest::keyClick(focused, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(focused, a.typed);
        }
        QTest::keyClick(focused, Qt::Key_Return);
    }

    QWidget *m_window;
    QTimer m_timer;
    QElapsedTimer m_openFor;
    QPointer<QWidget> m_current;
    QPointer<QWidget> m_answered;
};

// The window's own host: counts the prompts and runs the test's code while one waits.
class PromptingHost : public ScriptHost {
public:
    int prompts = 0;
    std::function<void()> whileWaiting;

    void showOutput(const QString &) override { prompt(); }
    QString askInput(const QString &, const QString &, const QString &defaultText) override
    {
        prompt();
        return defaultText;
    }

private:
    void prompt()
    {
        ++prompts;
        if (whileWaiting)
            whileWaiting();
    }
};

// Lets events run for a while, as the window does while a prompt waits.
bool showsWithin(QWidget &dialog, int ms)
{
    QElapsedTimer waited;
    waited.start();
    bool shown = false;
    while (waited.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        shown = shown || dialog.isVisible();
    }
    return shown;
}
}

class TestScriptRun : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<QtUserPrompts> prompts;
    std::unique_ptr<ProgramWindows> windows;
    TfrmMain *window = nullptr;

    void run(const QByteArray &script)
    {
        env->writeFile("run.fvs", script);
        window->runCommand([this] { window->scriptRunner().runFile(env->path("run.fvs")); });
    }

    // Starts the windows afresh over a training file of these bytes.
    void restartWith(const QByteArray &trainingFile)
    {
        windows.reset();
        env->writeFile("workouts.dat", trainingFile);
        env->writeFile("license.txt", "MIT License\n"); // or the about window complains at start-up
        windows = std::make_unique<ProgramWindows>(*prompts);
        window = &windows->mainWindow();
        prompts->setParent(window);
        windows->startUp();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    // Two workouts, a Wednesday and the next Monday, list as workout, separator,
    // workout: clicks the third line and opens it with Enter.
    void openThirdLine()
    {
        auto *list = window->findChild<QListWidget *>(QStringLiteral("lstProsliTreninzi"));
        QCOMPARE(list->count(), 3);
        QVERIFY(list->item(2)->text().startsWith(QStringLiteral("11.3.2024")));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
        QTest::keyClick(list, Qt::Key_Return);
    }

    // Ctrl+R pressed on the given control; the user picks the script in the file dialog
    // by typing its name. Returns once the dialog has been answered.
    void pressCtrlRAndPick(const QString &script, QWidget *focused)
    {
        bool picked = false;
        QTimer picker;
        connect(&picker, &QTimer::timeout, this, [&] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
                name->setText(script);
                QTest::keyClick(name, Qt::Key_Return);
                picked = true;
            }
        });
        picker.start(50);
        QTest::keyClick(focused, Qt::Key_R, Qt::ControlModifier);
        QVERIFY(picked);
    }

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        env->writeFile("init.ini", kIni);
        prompts = std::make_unique<QtUserPrompts>();
        windows = std::make_unique<ProgramWindows>(*prompts);
        window = &windows->mainWindow();
        prompts->setParent(window);
        // Whatever the other windows report at start-up is closed at once.
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->accept();
        });
        closer.start(50);
        windows->startUp();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    void cleanup()
    {
        windows.reset();
        prompts.reset();
        env.reset();
    }

    void runDialogStaysAwayWhileAPromptWaits_data()
    {
        QTest::addColumn<bool>("output");
        QTest::newRow("input box") << false;
        QTest::newRow("output message") << true;
    }
    void runDialogStaysAwayWhileAPromptWaits()
    {
        QFETCH(bool, output);
        ScriptRunDialog dialog(QStringLiteral("long.fvs"), window);
        PromptingHost prompting;
        ScriptRunHost host(prompting, dialog);
        const auto prompt = [&] {
            if (output)
                host.showOutput(QStringLiteral("text"));
            else
                host.askInput(QStringLiteral("Input"), QStringLiteral("n?"), QStringLiteral("1"));
        };

        // A prompt right at the start: the dialog does not show while it waits.
        bool shownDuringPrompt = false;
        prompting.whileWaiting = [&] { shownDuringPrompt = showsWithin(dialog, ScriptRunDialog::ShowDelayMs * 2); };
        prompt();
        QVERIFY(!shownDuringPrompt);

        // The script runs on: the dialog shows after the delay, and hides for the next prompt.
        QTRY_VERIFY(!host.stopRequested() && dialog.isVisible());
        prompt();
        QVERIFY(!shownDuringPrompt);
        QVERIFY(!dialog.isVisible());
        QTRY_VERIFY(!host.stopRequested() && dialog.isVisible());
        QCOMPARE(prompting.prompts, 2);
        QVERIFY(!host.stopped());
    }

    void stopEndsTheRunBeforeTheNextPrompt_data()
    {
        QTest::addColumn<bool>("duringPrompt");
        QTest::addColumn<int>("promptsShown");
        QTest::newRow("Stop before the prompt") << false << 0;
        QTest::newRow("Stop while the prompt waits") << true << 1;
    }
    void stopEndsTheRunBeforeTheNextPrompt()
    {
        QFETCH(bool, duringPrompt);
        QFETCH(int, promptsShown);
        ScriptRunDialog dialog(QStringLiteral("long.fvs"), window);
        PromptingHost prompting;
        ScriptRunHost host(prompting, dialog);
        auto *stop = dialog.findChild<QPushButton *>(QStringLiteral("bitStop"));
        QTRY_VERIFY(!host.stopRequested() && dialog.isVisible());
        if (duringPrompt)
            prompting.whileWaiting = [stop] { stop->click(); };
        else
            QTest::mouseClick(stop, Qt::LeftButton);
        try {
            host.askInput(QStringLiteral("Input"), QStringLiteral("n?"), QStringLiteral("1"));
            QFAIL("the run went on after Stop");
        } catch (const ScriptError &e) {
            QCOMPARE(e.message(), ScriptRunHost::StoppedText);
        }
        QCOMPARE(prompting.prompts, promptsShown);
        QVERIFY(host.stopped());
        QVERIFY_THROWS_EXCEPTION(ScriptError, host.stopRequested());
    }

    void escapeStops()
    {
        ScriptRunDialog dialog(QStringLiteral("long.fvs"), window);
        PromptingHost prompting;
        ScriptRunHost host(prompting, dialog);
        QTRY_VERIFY(!host.stopRequested() && dialog.isVisible());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY_THROWS_EXCEPTION(ScriptError, host.stopRequested());
    }

    void promptsAreAnsweredByTyping()
    {
        KeyboardUser user(window);
        user.answers = {{QStringLiteral("Anna")}, {}, {QStringLiteral("3")}, {}};
        run("var n,$name\n"
            "$name=input(\"your name?\",\"nobody\")\n"
            "output(\"hello $$name\")\n"
            "n=input(\"how many sets?\",\"1\")\n"
            "n=n*2\n"
            "output(\"twice: $n\")\n");
        QCOMPARE(user.seen, (QList<Seen>{{"input", "your name?"},
                                         {"message", "hello Anna"},
                                         {"input", "how many sets?"},
                                         {"message", "twice: 6"}}));
        QCOMPARE(user.faults, QStringList());
        QVERIFY(!window->findChild<QDialog *>(QStringLiteral("dlgScriptRun")));
    }

    void stopWhileAPromptWaitsEndsTheRunBeforeTheNext()
    {
        KeyboardUser user(window);
        user.answers = {{QStringLiteral("Anna"), true}, {}};
        run("var $name\n"
            "$name=input(\"your name?\",\"nobody\")\n"
            "output(\"hello $$name\")\n"
            "$name=input(\"again?\",\"\")\n");
        // Stopped at the first prompt's line: an information, not an error.
        QCOMPARE(user.seen.size(), 2);
        QCOMPARE(user.seen.at(0), (Seen{"input", "your name?"}));
        QCOMPARE(user.seen.at(1).kind, QStringLiteral("information"));
        QVERIFY2(user.seen.at(1).text.startsWith(QStringLiteral("The script was stopped. (line 2: ")),
                 qPrintable(user.seen.at(1).text));
        QCOMPARE(user.faults, QStringList());
    }

    void stopWhileLinesRunIsInformation()
    {
        KeyboardUser user(window);
        user.clickStopWhenRunning = true;
        run("var i\n"
            "i=0\n"
            "while i<1\n"
            "   i=0\n"
            "endwhile\n"
            "output(\"never\")\n");
        QVERIFY(user.sawRunDialog);
        QCOMPARE(user.seen.size(), 1);
        QCOMPARE(user.seen.at(0).kind, QStringLiteral("information"));
        QVERIFY2(user.seen.at(0).text.startsWith(QStringLiteral("The script was stopped. (line ")), qPrintable(user.seen.at(0).text));
        QCOMPARE(user.faults, QStringList());

        // The next run starts afresh.
        KeyboardUser next(window);
        run("output(\"again\")\n");
        QCOMPARE(next.seen, (QList<Seen>{{"message", "again"}}));
    }

    // Ctrl+R, a script chosen in the file dialog: the training-data objects read the
    // workout on screen, with the rows and the comment typed since it was opened.
    void ctrlRReadsTheWorkoutOnScreen()
    {
        using namespace WorkoutBuilder;
        const QList<WorkoutRecord> records{
            workout(QDate(2024, 3, 6), "Chest", 1, {exercise("Bench press", 3, 10, 50)}),
            workout(QDate(2024, 3, 11), "Chest", 1, {exercise("Row", 4, 8, 60)})};
        const QByteArray bytes = fileBytes(records);
        restartWith(bytes);
        openThirdLine();
        QCOMPARE(window->findChild<WorkoutGrid *>(QStringLiteral("stgVjezbe"))->entryCount(), 1);

        // Typed, not saved: a squat of 3 x 10 at 50, dips of 3 x 12 at body weight, a comment.
        const auto addExercise = [this](const QString &name, int sets, int reps, const QString &weight) {
            window->findChild<QComboBox *>(QStringLiteral("cmbVjezba"))->setEditText(name);
            window->findChild<QSpinBox *>(QStringLiteral("spnSerija"))->setValue(sets);
            window->findChild<QSpinBox *>(QStringLiteral("spnPonavljanja"))->setValue(reps);
            window->findChild<QLineEdit *>(QStringLiteral("mskTezina"))->setText(weight);
            QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("bitDodaj")), Qt::LeftButton);
        };
        addExercise(QStringLiteral("Squat"), 3, 10, QStringLiteral("0050.00"));
        addExercise(QStringLiteral("Dips"), 3, 12, QStringLiteral("0000.00"));
        QTest::keyClicks(window->findChild<QPlainTextEdit *>(QStringLiteral("memKomentar")), QStringLiteral("Felt strong"));

        env->writeFile("onscreen.fvs", "var w,r,n,s\n"
                                       "w=exercises_totalweight\n"
                                       "r=exercises_totalreps\n"
                                       "n=exercises_count\n"
                                       "s=workouts_selected\n"
                                       "output(\"$w $r $n $s\")\n"
                                       "output(workouts_info_comment)\n");
        KeyboardUser user(window);
        pressCtrlRAndPick(env->path("onscreen.fvs"), window);
        QTRY_COMPARE(user.seen.size(), 2);

        // Row 4 x 8 x 60 and squat 3 x 10 x 50 weigh 3420; the dips add 36 repetitions
        // and no weight. The second workout counts 2 with the separator passed over.
        QCOMPARE(user.seen, (QList<Seen>{{"message", "3420 98 3 2"}, {"message", "Felt strong"}}));
        QCOMPARE(user.faults, QStringList());
        QCOMPARE(env->readFile("workouts.dat"), bytes); // nothing was saved
    }

    // Cells changed in place in both grids reach the script: the exercise's weight and
    // name confirmed with Enter, a cardio distance still being typed when Ctrl+R comes.
    void cellsTypedIntoTheGridsReachTheScript()
    {
        using namespace WorkoutBuilder;
        WorkoutRecord shown = workout(QDate(2024, 3, 11), "Chest", 1,
                                      {exercise("Row", 4, 8, 60), exercise("Pull-up", 3, 10, 0)},
                                      {cardio("Running", 0.5f, 300, 5000), cardio("Running", 0.25f, 200, 12000)});
        shown.Comment = QStringLiteral("Light day\r\nknee ok");
        const QByteArray bytes = fileBytes({workout(QDate(2024, 3, 6), "Chest", 1, {exercise("Bench press", 3, 10, 50)}),
                                            shown});
        restartWith(bytes);
        openThirdLine();
        auto *exercisesGrid = window->findChild<WorkoutGrid *>(QStringLiteral("stgVjezbe"));
        auto *cardioGrid = window->findChild<WorkoutGrid *>(QStringLiteral("stgKardio"));
        QCOMPARE(cardioGrid->cell(2, 4), QStringLiteral("12000"));

        // Grid row r is table row r - 1. The user clicks the cell and types over it: the
        // first key opens the cell's editor, the rest go where the focus then is.
        const auto typeIntoCell = [](WorkoutGrid *grid, int row, int column, const QString &text, bool confirm) {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualItemRect(grid->item(row - 1, column)).center());
            for (const QChar c : text)
                QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            QWidget *editor = QApplication::focusWidget();
            QVERIFY(editor && grid->isAncestorOf(editor) && editor != grid);
            if (confirm)
                QTest::keyClick(editor, Qt::Key_Return);
        };
        typeIntoCell(exercisesGrid, 1, 5, QStringLiteral("65"), true);
        typeIntoCell(exercisesGrid, 2, 1, QStringLiteral("Chin-up"), true);
        auto *comment = window->findChild<QPlainTextEdit *>(QStringLiteral("memKomentar"));
        comment->setFocus();
        comment->moveCursor(QTextCursor::End);
        QTest::keyClicks(comment, QStringLiteral(", felt strong"));
        typeIntoCell(cardioGrid, 2, 4, QStringLiteral("15000"), false);

        env->writeFile("cells.fvs", "var w,r,n,d,k,c,s,x\n"
                                    "w=exercises_totalweight\n"
                                    "r=exercises_totalreps\n"
                                    "n=exercises_count\n"
                                    "d=cardio_totaldistance\n"
                                    "k=cardio_totalcalories\n"
                                    "c=cardio_count\n"
                                    "s=workouts_selected\n"
                                    "x=exercises_1_weight\n"
                                    "output(\"$w $r $n $d $k $c $s $x\")\n"
                                    "output(exercises_2_name)\n"
                                    "output(workouts_info_comment)\n");
        KeyboardUser user(window);
        pressCtrlRAndPick(env->path("cells.fvs"), QApplication::focusWidget());
        QTRY_COMPARE(user.seen.size(), 3);

        // Row 4 x 8 x 65 weighs 2080, the chin-ups at body weight nothing; repetitions
        // 32 + 30; distances 5000 + 15000; calories 300 + 200; the Monday is workout 2.
        QCOMPARE(user.seen, (QList<Seen>{{"message", "2080 62 2 20000 500 2 2 65"},
                                         {"message", "Chin-up"},
                                         {"message", "Light day\r\nknee ok, felt strong"}}));
        QCOMPARE(user.faults, QStringList());
        QCOMPARE(env->readFile("workouts.dat"), bytes); // nothing was saved
    }

    void scriptErrorsStayErrors()
    {
        KeyboardUser user(window);
        run("var x\nx=1/0\n");
        QCOMPARE(user.seen.size(), 1);
        QCOMPARE(user.seen.at(0).kind, QStringLiteral("error"));
    }
};

QTEST_MAIN(TestScriptRun)
#include "tst_scriptrun.moc"
