#include "app/Main.h"
#include "common/DayCount.h"
#include "config/IniFile.h"
#include "config/Postavke.h"
#include "editor/ScriptHelp.h"
#include "editor/ScriptTextEdit.h"
#include "editor/Skripta.h"
#include "editor/Wizard.h"
#include "goals/Ciljevi.h"
#include "goals/GoalsFile.h"
#include "support/WholeProgram.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScopeGuard>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>

using Press = QuestionBoxes::Press;

namespace {
const QString SaveQuestion = QStringLiteral("Content has been modified. Save it first?");

// The key goes to whatever holds the keyboard focus, as a user's key press does. A
// question box just closed gives the focus back a moment later.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTRY_VERIFY(QApplication::focusWidget());
    QWidget *focused = QApplication::focusWidget();
    QTest::keyClick(focused, key, modifiers);
}

void type(const QString &text)
{
    QTRY_VERIFY(QApplication::focusWidget());
    QWidget *focused = QApplication::focusWidget();
    // One key event per character, with its text, so characters beyond Latin-1 arrive whole.
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, focused, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Waits for the modal window of the given kind to be the active window.
template <typename Window>
Window *activeModal()
{
    Window *window = nullptr;
    const bool shown = QTest::qWaitFor([&] {
        window = qobject_cast<Window *>(QApplication::activeModalWidget());
        return window && window->windowHandle() && window->windowHandle()->isExposed();
    });
    if (!shown)
        return nullptr;
    // What a window manager does for a new window; Xvfb has none.
    window->activateWindow();
    return QTest::qWaitFor([&] { return QApplication::activeWindow() == window; }) ? window : nullptr;
}
}

// The script editor, its wizard, the goals window and the settings window in the whole
// program under a real X server, used with the keyboard and the mouse: what the user typed
// or answered is never lost.
class TestWindowsInUse : public QObject {
    Q_OBJECT

    std::unique_ptr<QtWarningTrap> trap;
    std::unique_ptr<WholeProgram> program;

    TfrmSkripta &editor() const { return program->windows->scriptEditor(); }

    // Alt+R from the main window; the editor comes up with the focus in its text.
    void openEditor()
    {
        press(Qt::Key_R, Qt::AltModifier);
        QVERIFY(QTest::qWaitForWindowExposed(&editor()));
        // What a window manager does for a new window; Xvfb has none.
        editor().activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(&editor()));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(editor().textArea()));
    }

    // Presses the key that opens a modal window and lets act work in it, then makes
    // sure the window is gone, so a failed check never leaves the test waiting.
    template <typename Window>
    void inModal(Qt::Key key, Qt::KeyboardModifiers modifiers, const std::function<void(Window &)> &act)
    {
        bool acted = false;
        // A timer of this call only: when the key opened nothing, it dies with the call.
        QTimer start;
        start.setSingleShot(true);
        connect(&start, &QTimer::timeout, qApp, [&] {
            Window *window = activeModal<Window>();
            QVERIFY2(window, "the window did not come up");
            const auto closeLeftOver = qScopeGuard([window] {
                if (window->isVisible())
                    window->reject();
            });
            act(*window);
            acted = true;
        });
        start.start(0);
        QWidget *before = QApplication::activeWindow();
        press(key, modifiers);
        QVERIFY(acted);
        // What a window manager does when a dialog closes; Xvfb has none.
        if (!QApplication::activeWindow() && before) {
            before->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), before);
        }
    }

    // The wizard from the editor: Ctrl+W, a name typed where the focus is, then only Enter.
    void walkWizardWithEnter(const QString &name, const std::function<void(TfrmWizard &)> &atTheEnd = {})
    {
        inModal<TfrmWizard>(Qt::Key_W, Qt::ControlModifier, [&](TfrmWizard &wizard) {
            type(name);
            for (int page = 1; page <= 3 && wizard.isVisible(); ++page)
                press(Qt::Key_Return);
            if (atTheEnd)
                atTheEnd(wizard);
        });
    }

    QByteArray goalsBytes(quint8 status, const QString &name) const
    {
        GoalRecord goal;
        goal.StartDate = DayCount::fromDate(QDate::currentDate()) - 10;
        goal.Deadline = DayCount::fromDate(QDate::currentDate()) - 1;
        goal.Name = name;
        goal.Description = QStringLiteral("ten more kilos");
        goal.Status = status;
        return goal.encode();
    }

    QTreeWidgetItem *settingsNode(TfrmPostavke &settings, const QString &text) const
    {
        auto *tree = settings.findChild<QTreeWidget *>(QStringLiteral("trvDrvo"));
        const QList<QTreeWidgetItem *> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.size() == 1 ? found.first() : nullptr;
    }
    void clickSettingsNode(TfrmPostavke &settings, const QString &text) const
    {
        auto *tree = settings.findChild<QTreeWidget *>(QStringLiteral("trvDrvo"));
        QTreeWidgetItem *node = settingsNode(settings, text);
        QVERIFY(node);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
    }

private slots:
    void initTestCase() { pinRegionalSettings(); }

    void init()
    {
        trap = std::make_unique<QtWarningTrap>();
        program = std::make_unique<WholeProgram>();
        QVERIFY(program->waitUntilActive());
        program->prompts.realQuestions = true;
    }
    void cleanup()
    {
        const bool answersLeft = !program->prompts.fileAnswers.isEmpty();
        const QList<TestPrompts::Shown> shown = program->prompts.take();
        program.reset();
        const QStringList warnings = trap->takeWarnings();
        trap.reset();
        QVERIFY2(!answersLeft, "a prepared file name was not asked for");
        // Questions are answered in their boxes; any other message is taken by its test.
        for (const TestPrompts::Shown &message : shown)
            QVERIFY2(message.kind == QStringLiteral("confirm") || message.kind == QStringLiteral("open"),
                     qPrintable(message.kind + QStringLiteral(": ") + message.text));
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
    }

    // Ctrl+S of a character the script's code page cannot hold: the question names it,
    // No leaves the file as it was with the text still modified, Yes stores UTF-8 with a
    // byte-order mark.
    void saveRefusesWhatTheCodePageCannotHold()
    {
        program->env.writeFile(QStringLiteral("saved.fvs"), "; saved\r\n");
        openEditor();
        program->prompts.fileAnswers.enqueue(program->env.path(QStringLiteral("saved.fvs")));
        press(Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(editor().CurrentScriptFile, program->env.path(QStringLiteral("saved.fvs")));
        press(Qt::Key_End, Qt::ControlModifier);
        type(QStringLiteral("; omega Ω"));

        QuestionBoxes boxes({Press::No});
        press(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(boxes.allAnswered());
        QCOMPARE(boxes.asked.size(), 1);
        QVERIFY2(boxes.asked.first().contains(QStringLiteral("\"Ω\" (U+03a9) at line 2, column 9")),
                 qPrintable(boxes.asked.first()));
        QCOMPARE(program->env.readFile(QStringLiteral("saved.fvs")), QByteArray("; saved\r\n"));
        QVERIFY(editor().isModified());

        boxes.add(Press::Yes);
        press(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(boxes.allAnswered());
        QCOMPARE(program->env.readFile(QStringLiteral("saved.fvs")),
                 QByteArray("\xEF\xBB\xBF; saved\r\n; omega \xCE\xA9\r\n"));
        QVERIFY(!editor().isModified());
        QCOMPARE(boxes.unexpected, QStringList());
    }

    // Ctrl+W over modified text asks to save it first when Finish is pressed; Cancel
    // keeps the text, and the wizard stays on its last page with the answers.
    void wizardAsksBeforeReplacingModifiedText()
    {
        openEditor();
        type(QStringLiteral("; keep me"));
        QuestionBoxes boxes({Press::Cancel});
        walkWizardWithEnter(QStringLiteral("kept"), [&](TfrmWizard &wizard) {
            QVERIFY(wizard.isVisible());
            QCOMPARE(wizard.page(), 3);
            QCOMPARE(wizard.findChild<QLineEdit *>(QStringLiteral("ledFileName"))->text(), QStringLiteral("kept"));
            press(Qt::Key_Escape);
        });
        QCOMPARE(boxes.asked, QStringList{SaveQuestion});
        QCOMPARE(boxes.unexpected, QStringList());
        QCOMPARE(editor().textArea()->toPlainText(), QStringLiteral("; keep me"));
        QVERIFY(editor().isModified());
        QVERIFY(editor().CurrentScriptFile.isEmpty());
    }

    // Enter alone walks the wizard from its name to Finish, and its lines replace the
    // empty editor.
    void enterWalksTheWizardToItsEnd()
    {
        openEditor();
        QuestionBoxes boxes;
        walkWizardWithEnter(QStringLiteral("walk"));
        QVERIFY(!program->windows->wizardWindow().isVisible());
        QCOMPARE(program->windows->wizardWindow().result(), int(QDialog::Accepted));
        QCOMPARE(editor().textArea()->toPlainText(), QStringLiteral("var \nvar \n"));
        QCOMPARE(editor().CurrentScriptFile, program->env.path(QStringLiteral("walk.fvs")));
        QCOMPARE(boxes.unexpected, QStringList());
    }

    // A wizard name of a script already in the program folder: Ctrl+S asks before
    // replacing it; No keeps the old script, Yes replaces it.
    void wizardFileAsksBeforeReplacingAScript()
    {
        program->env.writeFile(QStringLiteral("wizdemo.fvs"), "; someone's script\r\n");
        openEditor();
        walkWizardWithEnter(QStringLiteral("wizdemo"));
        QCOMPARE(editor().CurrentScriptFile, program->env.path(QStringLiteral("wizdemo.fvs")));

        const QString question =
            QDir::toNativeSeparators(program->env.path(QStringLiteral("wizdemo.fvs"))) + " already exists. Replace it?";
        QuestionBoxes boxes({Press::No});
        press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(boxes.asked, QStringList{question});
        QCOMPARE(program->env.readFile(QStringLiteral("wizdemo.fvs")), QByteArray("; someone's script\r\n"));
        QVERIFY(editor().isModified());

        boxes.add(Press::Yes);
        press(Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(boxes.asked, (QStringList{question, question}));
        QCOMPARE(program->env.readFile(QStringLiteral("wizdemo.fvs")), QByteArray("var \r\nvar \r\n"));
        QCOMPARE(boxes.unexpected, QStringList());
    }

    // F1 in the editor shows the scripting help inside the program, where no desktop
    // launcher could open anything.
    void f1ShowsTheScriptingHelp()
    {
        program->prompts.desktopOpenSucceeds = false;
        openEditor();
        press(Qt::Key_F1);
        auto *help = editor().findChild<ScriptHelpWindow *>();
        QVERIFY(help);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        const QString text = help->findChild<QTextBrowser *>(QStringLiteral("txtHelp"))->toPlainText();
        for (const char *word : {"endwhile", "workouts_load(n)", "exercises_N_1rm", "string_concat(a,b)",
                                 "array_explode(a,s)", "math_round(x,n)", "Ctrl+W"})
            QVERIFY2(text.contains(QLatin1String(word)), word);
        QCOMPARE(program->prompts.take(), QList<TestPrompts::Shown>());
    }

    // Ctrl+G with a pending goal past its deadline: only No fails it; Esc and the close
    // box leave it pending, and it is asked about again the next time.
    void dismissedDeadlineQuestionKeepsTheGoal_data()
    {
        QTest::addColumn<int>("dismissal");
        QTest::addColumn<int>("status");
        QTest::newRow("Esc") << int(Press::Escape) << int(GoalStatus::Pending);
        QTest::newRow("close box") << int(Press::CloseBox) << int(GoalStatus::Pending);
        QTest::newRow("No") << int(Press::No) << int(GoalStatus::Unsuccessful);
    }
    void dismissedDeadlineQuestionKeepsTheGoal()
    {
        QFETCH(int, dismissal);
        QFETCH(int, status);
        program.reset();
        program = std::make_unique<WholeProgram>(
            WholeProgram::DefaultIni, QList<WorkoutRecord>{},
            QList<QPair<QString, QByteArray>>{{"goals.dat", goalsBytes(GoalStatus::Pending, "Bench 100")}});
        QVERIFY(program->waitUntilActive());
        program->prompts.realQuestions = true;
        const QString question =
            QStringLiteral("Deadline of the goal \"Bench 100\" has been met.\r\nHas the goal been completed successfully?");
        QuestionBoxes boxes({Press(dismissal)});
        press(Qt::Key_G, Qt::ControlModifier);
        TfrmCiljevi &goals = program->windows->goalsWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&goals));
        QCOMPARE(boxes.asked, QStringList{question});
        QCOMPARE(quint8(program->env.readFile(QStringLiteral("goals.dat")).at(323)), quint8(status)); // the status byte
        auto *pending = goals.findChild<QListWidget *>(QStringLiteral("lstPending"));
        QCOMPARE(pending->count(), status == GoalStatus::Pending ? 1 : 0);

        // Closed and opened again: a goal still pending is asked about again.
        goals.windowHandle()->close();
        QTRY_VERIFY(!goals.isVisible());
        program->main().activateWindow();
        QVERIFY(program->waitUntilActive());
        boxes.add(Press::Yes);
        press(Qt::Key_G, Qt::ControlModifier);
        QVERIFY(QTest::qWaitForWindowExposed(&goals));
        QCOMPARE(boxes.asked.size(), status == GoalStatus::Pending ? 2 : 1);
        QCOMPARE(boxes.unexpected, QStringList());
    }

    // F2, a list page, a click in "New entry:", a name and Enter: the entry is added and
    // the window stays; Enter in the empty field is OK, which writes the settings.
    void enterInNewEntryAddsIt()
    {
        inModal<TfrmPostavke>(Qt::Key_F2, Qt::NoModifier, [&](TfrmPostavke &settings) {
            clickSettingsNode(settings, QStringLiteral("Bodypart"));
            auto *entry = settings.findChild<QLineEdit *>(QStringLiteral("ledBodypart"));
            QTest::mouseClick(entry, Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(entry));
            type(QStringLiteral("Legs"));
            press(Qt::Key_Return);
            QVERIFY2(settings.isVisible(), "Enter closed the window");
            QCOMPARE(settings.findChild<QListWidget *>(QStringLiteral("lstBodypart"))->findItems(QStringLiteral("Legs"), Qt::MatchExactly).size(),
                     1);
            QVERIFY(entry->text().isEmpty());
            press(Qt::Key_Return);
            QVERIFY(!settings.isVisible());
        });
        QCOMPARE(program->windows->settingsWindow().result(), int(QDialog::Accepted));
        QCOMPARE(IniFile(program->env.path(QStringLiteral("init.ini"))).readString("Lists", "Bodypart", "<none>"),
                 QStringLiteral(",Chest,Back,Legs"));
        QCOMPARE(program->prompts.texts(QStringLiteral("information")).size(), 1); // restart to apply
        program->prompts.take();
    }

    // A click on "Lists" shows the Bodypart page and moves the tree's highlight there.
    void clickOnListsHighlightsBodypart()
    {
        inModal<TfrmPostavke>(Qt::Key_F2, Qt::NoModifier, [&](TfrmPostavke &settings) {
            clickSettingsNode(settings, QStringLiteral("Files"));
            clickSettingsNode(settings, QStringLiteral("Lists"));
            QTest::qWait(50);
            auto *tree = settings.findChild<QTreeWidget *>(QStringLiteral("trvDrvo"));
            QTreeWidgetItem *bodypart = settingsNode(settings, QStringLiteral("Bodypart"));
            QCOMPARE(tree->currentItem(), bodypart);
            QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem *>{bodypart});
            QVERIFY(settings.findChild<QGroupBox *>(QStringLiteral("grbBodypart"))->isVisible());
            press(Qt::Key_Escape);
        });
        QCOMPARE(program->windows->settingsWindow().result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestWindowsInUse)
#include "tst_windowsinuse.moc"
