#include "EditorFixture.h"

#include "editor/FindReplace.h"
#include "editor/InsertPanel.h"
#include "editor/Wizard.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QDir>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

class TestSkripta : public EditorFixture {
    Q_OBJECT

    QStringList ranScripts;
    std::optional<WizardAnswers> wizardAnswers;
    int wizardRuns = 0;
    TfrmWizard *realWizard = nullptr; // when set, the editor runs this wizard

    QAction *action(const char *name) const { return editor->findChild<QAction *>(QLatin1String(name)); }
    void setText(const QString &t, int caret)
    {
        // Typed in as a user would: the text counts as modified.
        text()->selectAll();
        text()->insertPlainText(t);
        QTextCursor c = text()->textCursor();
        c.setPosition(caret);
        text()->setTextCursor(c);
    }
    void select(int from, int to)
    {
        QTextCursor c = text()->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        text()->setTextCursor(c);
    }

private slots:
    void initTestCase() { pinRegionalSettings(); }

    void init()
    {
        ranScripts.clear();
        wizardAnswers.reset();
        wizardRuns = 0;
        realWizard = nullptr;
        TfrmSkripta::Services services;
        services.runScript = [this](const QString &path) { ranScripts.append(path); };
        services.runWizard = [this](const std::function<bool(const WizardAnswers &)> &mayFinish) {
            ++wizardRuns;
            if (realWizard)
                return realWizard->ask(mayFinish);
            if (wizardAnswers && mayFinish && !mayFinish(*wizardAnswers))
                return std::optional<WizardAnswers>();
            return wizardAnswers;
        };
        setUp(services);
    }
    void cleanup() { tearDown(); }

    void statusLine_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("column");
        QTest::newRow("empty") << "" << 0 << "Ln 1 : 0" << "Col 1";
        QTest::newRow("one line ended") << "abc\n" << 2 << "Ln 1 : 1" << "Col 3";
        QTest::newRow("last line") << "a\nbc\nd" << 6 << "Ln 3 : 3" << "Col 2";
        QTest::newRow("empty last line") << "a\n" << 2 << "Ln 2 : 1" << "Col 1";
    }
    void statusLine()
    {
        QFETCH(QString, content);
        QFETCH(int, caret);
        QFETCH(QString, line);
        QFETCH(QString, column);
        setText(content, caret);
        QCOMPARE(editor->statusPanel(1), line);
        QCOMPARE(editor->statusPanel(2), column);
        QCOMPARE(editor->statusPanel(0), QStringLiteral("Unsaved"));
    }

    void wrappedLinesCountAsDisplayed()
    {
        showActive();
        text()->resize(200, 200);
        setText(QString(400, u'x'), 0);
        const QString wrapped = editor->statusPanel(1);
        QVERIFY2(wrapped.endsWith(u" : 1") == false, qPrintable(wrapped));
        action("mniWordWrap")->trigger(); // first click keeps wrapping
        QCOMPARE(text()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        action("mniWordWrap")->trigger();
        QCOMPARE(text()->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(editor->statusPanel(1), QStringLiteral("Ln 1 : 1"));
    }

    void indentKeys()
    {
        showActive();
        setText(QStringLiteral("a\nb\nc"), 0);
        select(2, 5); // from line 2 into line 3
        QTest::keyClick(text(), Qt::Key_Tab);
        QCOMPARE(text()->toPlainText(), QStringLiteral("a\n   b\nc"));
        QCOMPARE(text()->textCursor().position(), 6); // end of the changed line
        QTest::keyClick(text(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(text()->toPlainText(), QStringLiteral("a\nb\nc"));
        setText(QStringLiteral("  x"), 1);
        QTest::keyClick(text(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(text()->toPlainText(), QStringLiteral("  x")); // fewer blanks than the unit
        QVERIFY(!text()->toPlainText().contains(u'\t'));
    }

    void indentWidth_data()
    {
        QTest::addColumn<QString>("answer"); // null: cancelled
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("error");
        QTest::newRow("five") << "5" << "     " << "";
        QTest::newRow("zero") << "0" << "" << "";
        QTest::newRow("negative") << "-2" << "" << "";
        QTest::newRow("cancel gives preset") << QString() << "   " << "";
        QTest::newRow("not a number") << "x" << "  " << "''x'' is not a valid integer value";
    }
    void indentWidth()
    {
        QFETCH(QString, answer);
        QFETCH(QString, unit);
        QFETCH(QString, error);
        editor->IndentUnit = QStringLiteral("  ");
        prompts->inputAnswers.enqueue(answer);
        action("mniIndentWidth")->trigger();
        QCOMPARE(editor->IndentUnit, unit);
        QCOMPARE(prompts->texts("error"), error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(prompts->shown.first().text,
                 QStringLiteral("Indent width|Input the number of spaces to be used as indentation:|3"));
        if (unit.isEmpty()) {
            setText(QStringLiteral("x"), 0);
            editor->indent();
            editor->unindent();
            QCOMPARE(text()->toPlainText(), QStringLiteral("x"));
        }
    }

    void automaticIndentation()
    {
        showActive();
        setText(QStringLiteral("    x"), 5);
        QTest::keyClick(text(), Qt::Key_Return);
        QCOMPARE(text()->toPlainText(), QStringLiteral("    x\n    "));
        QTest::keyClicks(text(), QStringLiteral("y"));
        QCOMPARE(text()->toPlainText(), QStringLiteral("    x\n    y"));
        setText(QStringLiteral("  ab"), 3); // broken in the middle: the rest gets nothing
        QTest::keyClick(text(), Qt::Key_Return);
        QCOMPARE(text()->toPlainText(), QStringLiteral("  a\nb"));
        setText(QStringLiteral(" \tx"), 3); // a tab ends the run of blanks
        QTest::keyClick(text(), Qt::Key_Return);
        QCOMPARE(text()->toPlainText(), QStringLiteral(" \tx\n "));
        setText(QString(), 0);
        QTest::keyClick(text(), Qt::Key_Return);
        QCOMPARE(text()->toPlainText(), QStringLiteral("\n"));
    }

    void saveOpenAndFilePanel()
    {
        const QString path = env->path(QStringLiteral("a.fvs"));
        setText(QStringLiteral("var x\noutput(\"Šah\")"), 0);
        QVERIFY(editor->isModified());
        prompts->fileAnswers.enqueue(path);
        action("mniSave")->trigger(); // no file yet: Save As
        QCOMPARE(env->readFile(QStringLiteral("a.fvs")), QByteArray("var x\r\noutput(\"\x8A" "ah\")\r\n"));
        QCOMPARE(prompts->fileDialogs.last().title, QStringLiteral("Save script file"));
        QVERIFY(prompts->fileDialogs.last().askBeforeOverwrite);
        QCOMPARE(editor->statusPanel(0), QStringLiteral("a.fvs"));
        QVERIFY(!editor->isModified());

        text()->appendPlainText(QStringLiteral("x=1"));
        action("mniSave")->trigger(); // writes without asking
        QVERIFY(env->readFile(QStringLiteral("a.fvs")).endsWith("x=1\r\n"));

        env->writeFile(QStringLiteral("b.fvs"), QByteArray("\xEF\xBB\xBFoutput(\"\xC5\xA0\")\r\n"));
        prompts->fileAnswers.enqueue(env->path(QStringLiteral("b.fvs")));
        action("mniOpen")->trigger();
        QCOMPARE(text()->toPlainText(), QStringLiteral("output(\"Š\")\n"));
        QCOMPARE(editor->statusPanel(0), QStringLiteral("b.fvs"));
        QCOMPARE(editor->CurrentScriptFile, env->path(QStringLiteral("b.fvs")));
        QVERIFY(!editor->isModified());

        // New after Open: Save then asks for a name instead of overwriting.
        action("mniNew")->trigger();
        QCOMPARE(editor->statusPanel(0), QStringLiteral("Unsaved"));
        setText(QStringLiteral("y"), 0);
        prompts->fileAnswers.enqueue(QString());
        action("mniSave")->trigger();
        QCOMPARE(env->readFile(QStringLiteral("b.fvs")), QByteArray("\xEF\xBB\xBFoutput(\"\xC5\xA0\")\r\n"));
    }

    void failedSaveKeepsTextAndFlag()
    {
        setText(QStringLiteral("x"), 0);
        editor->CurrentScriptFile = env->path(QStringLiteral("missing/a.fvs"));
        action("mniSave")->trigger();
        const QStringList errors = prompts->texts("error");
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(editor->CurrentScriptFile)),
                 qPrintable(errors.first()));
        QVERIFY(editor->isModified());
        QCOMPARE(text()->toPlainText(), QStringLiteral("x"));
    }

    void askingToSave()
    {
        setText(QStringLiteral("keep me"), 0);
        prompts->confirmAnswers.enqueue(UserPrompts::Answer::Cancel);
        action("mniNew")->trigger();
        QCOMPARE(text()->toPlainText(), QStringLiteral("keep me"));
        QCOMPARE(prompts->texts("confirm"), QStringList{"Content has been modified. Save it first?"});

        // Yes, then the save dialog cancelled: nothing typed is thrown away.
        prompts->confirmAnswers.enqueue(UserPrompts::Answer::Yes);
        prompts->fileAnswers.enqueue(QString());
        action("mniNew")->trigger();
        QCOMPARE(text()->toPlainText(), QStringLiteral("keep me"));

        prompts->confirmAnswers.enqueue(UserPrompts::Answer::No);
        action("mniNew")->trigger();
        QCOMPARE(text()->toPlainText(), QString());
        QVERIFY(!editor->isModified());
    }

    void closeHidesAndKeepsText()
    {
        showActive();
        QTest::keyClicks(text(), QStringLiteral("abc"));
        prompts->confirmAnswers.enqueue(UserPrompts::Answer::Yes);
        prompts->fileAnswers.enqueue(QString());
        QTest::keyClick(text(), Qt::Key_Escape);
        QVERIFY(!editor->isVisible());
        QCOMPARE(text()->toPlainText(), QStringLiteral("abc"));
        QVERIFY(editor->isModified());

        editor->show(); // "Keep previous": the text stays
        QCOMPARE(text()->toPlainText(), QStringLiteral("abc"));
        editor->close(); // the frame's close hides without asking
        QVERIFY(!editor->isVisible());
    }

    void openingChoice()
    {
        setText(QStringLiteral("old"), 0);
        editor->CurrentScriptFile = env->path(QStringLiteral("old.fvs"));
        options.opening = ScriptEditorOptions::Opening::ClearEditor;
        editor->show();
        QCOMPARE(text()->toPlainText(), QString());
        QVERIFY(editor->CurrentScriptFile.isEmpty());
        QCOMPARE(editor->statusPanel(0), QStringLiteral("Unsaved"));
        QVERIFY(!editor->isModified());
        QCOMPARE(wizardRuns, 0);
        editor->hide();
        options.opening = ScriptEditorOptions::Opening::RunWizard;
        editor->show();
        QCOMPARE(wizardRuns, 1);
    }

    void wizardWritesTheFirstLines()
    {
        setText(QStringLiteral("previous text"), 0);
        editor->CurrentScriptFile = env->path(QStringLiteral("keep.fvs"));
        wizardAnswers.reset(); // Cancel changes nothing
        action("mniWizard")->trigger();
        QCOMPARE(text()->toPlainText(), QStringLiteral("previous text"));
        QCOMPARE(editor->CurrentScriptFile, env->path(QStringLiteral("keep.fvs")));

        wizardAnswers = WizardAnswers{QStringLiteral("plan"), {"/s/a.fvs", "/s/b.fvs"}, "x, y", "n"};
        prompts->confirmAnswers.enqueue(UserPrompts::Answer::No); // modified text: thrown away on No
        action("mniWizard")->trigger();
        QCOMPARE(text()->toPlainText(), QStringLiteral("include /s/a.fvs\ninclude /s/b.fvs\nvar x, y\nvar $n\n"));
        QCOMPARE(editor->CurrentScriptFile, env->path(QStringLiteral("plan.fvs")));
        QCOMPARE(editor->statusPanel(0), QStringLiteral("plan.fvs"));
        QVERIFY(editor->isModified());
        action("mniSave")->trigger(); // saves to the wizard's name without a dialog
        QVERIFY(env->readFile(QStringLiteral("plan.fvs")).startsWith("include /s/a.fvs\r\n"));
    }

    void saveRefusesCharactersTheCodePageLacks()
    {
        const QString path = env->path(QStringLiteral("omega.fvs"));
        env->writeFile(QStringLiteral("omega.fvs"), "; omega\r\n");
        prompts->fileAnswers.enqueue(path);
        action("mniOpen")->trigger();
        showActive();
        QTest::keyClick(text(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(text(), Qt::Key_Up);
        QTest::keyClick(text(), Qt::Key_End);
        QTest::keyClick(text(), Qt::Key_Space);
        QTest::sendKeyEvent(QTest::Click, text(), Qt::Key_unknown, QStringLiteral("Ω"), Qt::NoModifier);
        QCOMPARE(text()->toPlainText(), QStringLiteral("; omega Ω\n"));

        prompts->confirmAnswers.enqueue(UserPrompts::Answer::No);
        QTest::keyClick(text(), Qt::Key_S, Qt::ControlModifier);
        const QStringList asked = prompts->texts("confirm");
        QCOMPARE(asked.size(), 1);
        QVERIFY2(asked.first().contains(QStringLiteral("\"Ω\" (U+03a9) at line 1, column 9")), qPrintable(asked.first()));
        QCOMPARE(env->readFile(QStringLiteral("omega.fvs")), QByteArray("; omega\r\n")); // left as it was
        QVERIFY(editor->isModified());

        // Execute runs nothing while the save is refused: the file is not this text.
        prompts->confirmAnswers.enqueue(UserPrompts::Answer::No);
        QTest::keyClick(text(), Qt::Key_E, Qt::ControlModifier);
        QVERIFY(ranScripts.isEmpty());

        // New asks to save; Yes with the save refused keeps the text.
        prompts->confirmAnswers.enqueue(UserPrompts::Answer::Yes);
        prompts->confirmAnswers.enqueue(UserPrompts::Answer::No);
        action("mniNew")->trigger();
        QCOMPARE(text()->toPlainText(), QStringLiteral("; omega Ω\n"));

        // Yes stores UTF-8 with a byte-order mark, and later saves keep that form unasked.
        prompts->confirmAnswers.enqueue(UserPrompts::Answer::Yes);
        QTest::keyClick(text(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(env->readFile(QStringLiteral("omega.fvs")), QByteArray("\xEF\xBB\xBF; omega \xCE\xA9\r\n"));
        QVERIFY(!editor->isModified());
        QTest::keyClicks(text(), QStringLiteral("x"));
        QTest::keyClick(text(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(env->readFile(QStringLiteral("omega.fvs")), QByteArray("\xEF\xBB\xBF; omega \xCE\xA9x\r\n"));

        // Save As asks before its dialog.
        prompts->confirmAnswers.enqueue(UserPrompts::Answer::No);
        action("mniSaveAs")->trigger();
        QCOMPARE(prompts->fileDialogs.size(), 1); // only Open's
    }

    // Types a name into the real wizard, goes to its last page and presses Finish.
    void finishWizard(TfrmWizard &wizard, const QString &name, const std::function<void()> &afterFinish)
    {
        QTimer::singleShot(0, &wizard, [&wizard, name, afterFinish] {
            wizard.findChild<QLineEdit *>(QStringLiteral("ledFileName"))->setText(name);
            auto *next = wizard.findChild<QPushButton *>(QStringLiteral("btnNext"));
            next->click();
            next->click();
            next->click();
            afterFinish();
        });
    }

    void wizardAsksBeforeReplacingTheText()
    {
        TfrmWizard wizard(*prompts);
        realWizard = &wizard;
        setText(QStringLiteral("; keep me"), 0);

        // Cancel: the text stays, and so does the wizard with its answers.
        prompts->confirmAnswers.enqueue(UserPrompts::Answer::Cancel);
        bool stayed = false;
        finishWizard(wizard, QStringLiteral("kept"), [&] {
            stayed = wizard.isVisible() && wizard.page() == 3
                && wizard.findChild<QLineEdit *>(QStringLiteral("ledFileName"))->text() == QStringLiteral("kept");
            wizard.findChild<QPushButton *>(QStringLiteral("btnCancel"))->click();
        });
        action("mniWizard")->trigger();
        QVERIFY(stayed);
        QCOMPARE(prompts->texts("confirm"), QStringList{"Content has been modified. Save it first?"});
        QCOMPARE(text()->toPlainText(), QStringLiteral("; keep me"));
        QVERIFY(editor->CurrentScriptFile.isEmpty());

        // Yes saves the old text first, then the wizard's lines replace it.
        const QString old = env->path(QStringLiteral("old.fvs"));
        prompts->confirmAnswers.enqueue(UserPrompts::Answer::Yes);
        prompts->fileAnswers.enqueue(old);
        finishWizard(wizard, QStringLiteral("fresh"), [] {});
        action("mniWizard")->trigger();
        QCOMPARE(env->readFile(QStringLiteral("old.fvs")), QByteArray("; keep me\r\n"));
        QCOMPARE(text()->toPlainText(), QStringLiteral("var \nvar \n"));
        QCOMPARE(editor->CurrentScriptFile, env->path(QStringLiteral("fresh.fvs")));
    }

    void wizardNameOfAnExistingScript()
    {
        env->writeFile(QStringLiteral("wizdemo.fvs"), "; someone's script\r\n");
        wizardAnswers = WizardAnswers{QStringLiteral("wizdemo"), {}, "x", ""};
        action("mniWizard")->trigger();
        QCOMPARE(editor->CurrentScriptFile, env->path(QStringLiteral("wizdemo.fvs")));

        prompts->confirmAnswers.enqueue(UserPrompts::Answer::No);
        action("mniSave")->trigger();
        QCOMPARE(prompts->texts("confirm"),
                 QStringList{QDir::toNativeSeparators(env->path(QStringLiteral("wizdemo.fvs"))) + " already exists. Replace it?"});
        QCOMPARE(env->readFile(QStringLiteral("wizdemo.fvs")), QByteArray("; someone's script\r\n"));
        QVERIFY(editor->isModified());

        prompts->confirmAnswers.enqueue(UserPrompts::Answer::Yes);
        action("mniSave")->trigger();
        QCOMPARE(env->readFile(QStringLiteral("wizdemo.fvs")), QByteArray("var x\r\nvar \r\n"));
        // Now the editor's own file: later saves replace it without asking.
        text()->appendPlainText(QStringLiteral("x=1"));
        action("mniSave")->trigger();
        QCOMPARE(prompts->texts("confirm").size(), 2);

        // A file the editor opened itself is replaced without a question, too.
        prompts->fileAnswers.enqueue(env->path(QStringLiteral("wizdemo.fvs")));
        action("mniOpen")->trigger();
        text()->appendPlainText(QStringLiteral("y=2"));
        action("mniSave")->trigger();
        QCOMPARE(prompts->texts("confirm").size(), 2);
        QVERIFY(env->readFile(QStringLiteral("wizdemo.fvs")).endsWith("y=2\r\n"));
    }

    void executeRunsTheSavedFile()
    {
        showActive();
        QTest::keyClicks(text(), QStringLiteral("output(1)"));
        prompts->fileAnswers.enqueue(QString()); // a new script whose save is cancelled: nothing runs
        QTest::keyClick(text(), Qt::Key_E, Qt::ControlModifier);
        QVERIFY(ranScripts.isEmpty());
        const QString path = env->path(QStringLiteral("run.fvs"));
        prompts->fileAnswers.enqueue(path);
        QTest::keyClick(text(), Qt::Key_E, Qt::ControlModifier); // the key reaches the command from the text
        QCOMPARE(ranScripts, QStringList{path});
        QCOMPARE(env->readFile(QStringLiteral("run.fvs")), QByteArray("output(1)\r\n"));
    }

    void findNextStepsForwardAndBeeps()
    {
        auto *find = editor->findChild<SearchDialog *>(QStringLiteral("fndFind"));
        find->findChild<QLineEdit *>(QStringLiteral("edtFindText"))->setText(QStringLiteral("ab"));
        setText(QStringLiteral("ab x AB ab"), 0);
        QList<int> found;
        for (int i = 0; i < 3; ++i) {
            editor->findNext();
            found.append(text()->textCursor().selectionStart());
        }
        QCOMPARE(found, (QList<int>{0, 5, 8}));
        QVERIFY(prompts->texts("beep").isEmpty());
        editor->findNext(); // nothing after the last: a beep, selection kept, no wrap round
        QCOMPARE(prompts->texts("beep").size(), 1);
        QCOMPARE(text()->textCursor().selectionStart(), 8);

        TextSearch::Options options{QStringLiteral("ab"), true, false};
        setText(QStringLiteral("ab x AB ab"), 0);
        QVERIFY(TextSearch::findNext(*text(), options));
        QVERIFY(TextSearch::findNext(*text(), options));
        QCOMPARE(text()->textCursor().selectionStart(), 8); // Match case skips AB
        options = {QStringLiteral("ab"), false, true};
        setText(QStringLiteral("abc ab"), 0);
        QVERIFY(TextSearch::findNext(*text(), options));
        QCOMPARE(text()->textCursor().selectionStart(), 4); // whole words only
    }

    void replace()
    {
        const TextSearch::Options options{QStringLiteral("a"), false, false};
        setText(QStringLiteral("a a a"), 0);
        QVERIFY(TextSearch::findNext(*text(), options)); // selects the first
        QVERIFY(TextSearch::replace(*text(), options, QStringLiteral("b")));
        QCOMPARE(text()->toPlainText(), QStringLiteral("a b a")); // the one after the selected
        // With the last occurrence selected nothing more is found: it is replaced itself.
        setText(QStringLiteral("a a"), 0);
        TextSearch::findNext(*text(), options);
        TextSearch::findNext(*text(), options);
        QVERIFY(!TextSearch::replace(*text(), options, QStringLiteral("c")));
        QCOMPARE(text()->toPlainText(), QStringLiteral("a c"));
    }

    void replaceAll_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<int>("selectFrom");
        QTest::addColumn<int>("selectTo");
        QTest::addColumn<QString>("result");
        QTest::newRow("all") << "x.x.x" << "x" << "yy" << 0 << 0 << "yy.yy.yy";
        QTest::newRow("joins found again from the start") << "aabb" << "ab" << "" << 0 << 0 << "";
        QTest::newRow("nothing found replaces the selection once") << "hello" << "z" << "J" << 1 << 3 << "hJlo";
        QTest::newRow("replacement holding the find text ends") << "a.a" << "a" << "aa" << 0 << 0 << "aa.aa";
        QTest::newRow("nothing found, nothing selected") << "abc" << "z" << "y" << 0 << 0 << "abc";
    }
    void replaceAll()
    {
        QFETCH(QString, content);
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(int, selectFrom);
        QFETCH(int, selectTo);
        QFETCH(QString, result);
        setText(content, 0);
        select(selectFrom, selectTo);
        TextSearch::replaceAll(*text(), {find, false, false}, replacement);
        QCOMPARE(text()->toPlainText(), result);
    }

    void insertionPanel()
    {
        auto *panel = editor->findChild<InsertPanel *>(QStringLiteral("tabInsert"));
        QCOMPARE(panel->currentIndex(), 0);
        QCOMPARE(panel->tabText(0), QStringLiteral("Code snippets"));
        QCOMPARE(panel->tabText(1), QStringLiteral("Built-in functions"));
        QCOMPARE(panel->snippets()->topLevelItemCount(), 10);

        setText(QStringLiteral("abcd"), 2);
        prompts->inputAnswers.enqueue(QStringLiteral("x"));
        panel->trvKodClick(panel->snippets()->topLevelItem(4)); // "If condition"
        QCOMPARE(text()->toPlainText(), QStringLiteral("abif x\n\nendifcd"));
        QCOMPARE(prompts->texts("input"), QStringList{"Input|Type the condition:|"});

        setText(QStringLiteral("n="), 2);
        select(0, 2); // a selection is not replaced: the text goes in at its start
        QTreeWidgetItem *workouts = panel->functions()->topLevelItem(0);
        panel->trvFunkcijeDblClick(workouts->child(3)->child(1)); // Info > $Date
        QCOMPARE(text()->toPlainText(), QStringLiteral("Workouts_Info_Daten="));
        setText(QString(), 0);
        panel->trvFunkcijeDblClick(workouts);
        QCOMPARE(text()->toPlainText(), QStringLiteral("Workouts"));
        panel->trvFunkcijeDblClick(nullptr);
        QCOMPARE(text()->toPlainText(), QStringLiteral("Workouts"));
    }

    // At the window's default size both tab captions of the insertion panel show whole,
    // without scroll arrows.
    void insertionTabsShowWhole()
    {
        showActive();
        auto *panel = editor->findChild<QTabWidget *>(QStringLiteral("tabInsert"));
        QTabBar *bar = panel->tabBar();
        QCOMPARE(bar->count(), 2);
        for (int i = 0; i < bar->count(); ++i) {
            const QRect tab = bar->tabRect(i);
            QVERIFY2(tab.left() >= 0 && tab.right() < bar->width(), qPrintable(bar->tabText(i)));
            QVERIFY2(tab.width() > bar->fontMetrics().horizontalAdvance(bar->tabText(i)), qPrintable(bar->tabText(i)));
        }
        for (QToolButton *arrow : bar->findChildren<QToolButton *>())
            QVERIFY(!arrow->isVisible());
    }

    void menusInOrder()
    {
        QStringList file;
        for (QAction *a : editor->menuBar()->actions().first()->menu()->actions())
            file.append(a->isSeparator() ? QStringLiteral("-") : a->text() + u'|' + a->shortcut().toString());
        QCOMPARE(file, (QStringList{"&New|Ctrl+N", "Script &Wizard|Ctrl+W", "-", "&Open|Ctrl+O", "&Save|Ctrl+S",
                                    "Save &As|F6", "-", "&Execute Code|Ctrl+E", "-", "&Close|Esc"}));
        QCOMPARE(action("mniUnindent")->shortcut().toString(), QStringLiteral("Shift+Tab"));
        QVERIFY(!action("mniWordWrap")->isChecked());
    }

    void aboutAndHelp()
    {
        action("mniAbout")->trigger();
        QCOMPARE(prompts->texts("information"), QStringList{"Fortavo Script Editor v.0.1"});
        prompts->fileAnswers.enqueue(QString());
        action("mniSampleCode")->trigger();
        QCOMPARE(prompts->fileDialogs.last().initialPath, ProgramFolder::resolve(QStringLiteral("Example scripts")));
    }

};

QTEST_MAIN(TestSkripta)
#include "tst_skripta.moc"
