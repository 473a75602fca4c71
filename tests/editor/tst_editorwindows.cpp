#include "EditorFixture.h"

#include "editor/ScriptHelp.h"
#include "editor/Wizard.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

// The script editor's own windows: the scripting help that F1 shows, and the wizard's pages.
class TestEditorWindows : public EditorFixture {
    Q_OBJECT

private slots:
    void initTestCase() { pinRegionalSettings(); }
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    // F1 shows the help inside the program: no desktop helper is asked to open anything.
    void helpShowsTheLanguage()
    {
        showActive();
        QTest::keyClick(text(), Qt::Key_F1);
        auto *help = editor->findChild<ScriptHelpWindow *>();
        QVERIFY(help);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QVERIFY(prompts->texts("desktop").isEmpty());
        auto *browser = help->findChild<QTextBrowser *>(QStringLiteral("txtHelp"));
        const QString plain = browser->toPlainText();
        // Every statement, operator, object member and function of the language.
        const QStringList words = {
            "include", "var", "sub", "endsub", "call", "if", "else", "endif", "while", "endwhile", "output", "input",
            "+", "-", "*", "/", "^", "==", "<>", "<=", ">=",
            "workouts_count", "workouts_selected", "workouts_load(n)", "workouts_info_duration", "workouts_info_date",
            "workouts_info_time", "workouts_info_bodypart", "workouts_info_type", "workouts_info_comment",
            "cardio_count", "cardio_totalduration", "cardio_totaldistance", "cardio_totalcalories", "cardio_N_type",
            "cardio_N_time", "cardio_N_duration", "cardio_N_distance", "cardio_N_calories",
            "exercises_count", "exercises_totalsets", "exercises_totalreps", "exercises_totalweight",
            "exercises_N_name", "exercises_N_type", "exercises_N_sets", "exercises_N_reps", "exercises_N_weight",
            "exercises_N_1rm",
            "math_abs(x)", "math_max(x,y)", "math_min(x,y)", "math_round(x,n)", "math_trunc(x)", "math_log(x)",
            "math_sin(x)", "math_cos(x)", "math_tan(x)", "math_sqrt(x)",
            "string_length(t)", "string_val(t)", "string_newline", "string_concat(a,b)", "string_str(x)",
            "string_lowercase(t)", "string_uppercase(t)", "string_copy(t,i,n)", "string_insert(s,t,i)",
            "string_delete(t,i,n)",
            "array_size(a)", "array_at(a,k)", "array_find(a,v)", "array_push(a,v)", "array_pop(a)",
            "array_insert(a,v,k)", "array_remove(a,k)", "array_switch(a,k,v)", "array_sort(a)", "array_reverse(a)",
            "array_explode(a,s)",
            // the editor's keys
            "Ctrl+N", "Ctrl+W", "Ctrl+O", "Ctrl+S", "F6", "Ctrl+E", "Esc", "Ctrl+Z", "Ctrl+A", "Shift+Tab", "Ctrl+F",
            "F3", "Ctrl+R", "F1"};
        for (const QString &word : words)
            QVERIFY2(plain.contains(word), qPrintable(word));

        // The index lists the sections and shows the one clicked.
        auto *index = help->findChild<QListWidget *>(QStringLiteral("lstIndex"));
        QList<QListWidgetItem *> arrays = index->findItems(QStringLiteral("Object array"), Qt::MatchExactly);
        QCOMPARE(arrays.size(), 1);
        QVERIFY(!index->findItems(QStringLiteral("while, endwhile"), Qt::MatchContains).isEmpty());
        index->setCurrentItem(arrays.first());
        QCOMPARE(browser->textCursor().block().text(), QStringLiteral("Object array"));

        // Search selects the next occurrence and wraps; a missing word says so.
        auto *search = help->findChild<QLineEdit *>(QStringLiteral("edtSearch"));
        QTest::keyClicks(search, QStringLiteral("array_explode"));
        QCOMPARE(browser->textCursor().selectedText(), QStringLiteral("array_explode"));
        const int first = browser->textCursor().position();
        QTest::keyClick(search, Qt::Key_Return);
        QVERIFY(browser->textCursor().position() > first);
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(browser->textCursor().position(), first); // past the last one: from the top again
        search->clear();
        QTest::keyClicks(search, QStringLiteral("no such word"));
        QCOMPARE(help->findChild<QLabel *>(QStringLiteral("lblFound"))->text(), QStringLiteral("Not found"));
    }

    void wizardPages()
    {
        TfrmWizard wizard(*prompts);
        wizard.show();
        wizard.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&wizard));
        auto *next = wizard.findChild<QPushButton *>(QStringLiteral("btnNext"));
        auto *back = wizard.findChild<QPushButton *>(QStringLiteral("btnBack"));
        auto *name = wizard.findChild<QLineEdit *>(QStringLiteral("ledFileName"));
        QVERIFY(!next->isEnabled());
        QVERIFY(!back->isEnabled());
        name->setText(QStringLiteral("s"));
        QVERIFY(next->isEnabled());
        name->clear();
        QVERIFY(!next->isEnabled());
        name->setText(QStringLiteral("s"));
        QTest::keyClick(name, Qt::Key_Return); // Next is the default button
        QCOMPARE(wizard.page(), 2);
        QVERIFY(back->isEnabled());
        // Enter alone walks on to the last page, wherever the focus fell.
        QVERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(wizard.page(), 3);
        back->click();
        QCOMPARE(wizard.page(), 2);

        prompts->fileAnswers.enqueue(env->path(QStringLiteral("inc.fvs")));
        wizard.bitAddClick();
        auto *list = wizard.findChild<QListWidget *>(QStringLiteral("lstInclude"));
        QCOMPARE(list->count(), 1);
        QCOMPARE(prompts->fileDialogs.last().title, QStringLiteral("Include file"));
        wizard.bitDeleteClick(); // nothing selected: nothing removed
        QCOMPARE(list->count(), 1);

        next->click();
        QCOMPARE(wizard.page(), 3);
        QCOMPARE(next->text(), QStringLiteral("Finish"));
        back->click();
        QCOMPARE(wizard.page(), 2);
        QVERIFY(back->isEnabled());
        QCOMPARE(next->text(), QStringLiteral("Next >"));
        back->click();
        QCOMPARE(wizard.page(), 1);
        QVERIFY(!back->isEnabled());
        next->click();
        next->click();
        wizard.findChild<QLineEdit *>(QStringLiteral("ledStrs"))->setText(QStringLiteral("t"));
        next->click();
        QCOMPARE(wizard.result(), int(QDialog::Accepted));
        const WizardAnswers answers = wizard.answers();
        QCOMPARE(answers.name, QStringLiteral("s"));
        QCOMPARE(answers.includes, QStringList{env->path(QStringLiteral("inc.fvs"))});
        QCOMPARE(answers.stringVariables, QStringLiteral("t"));

        wizard.show(); // every showing starts afresh
        QCOMPARE(wizard.page(), 1);
        QCOMPARE(list->count(), 0);
        QVERIFY(name->text().isEmpty());
        QTest::keyClick(name, Qt::Key_Escape);
        QCOMPARE(wizard.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestEditorWindows)
#include "tst_editorwindows.moc"
