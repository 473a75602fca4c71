#pragma once

#include "common/ProgramFolder.h"
#include "editor/ScriptTextEdit.h"
#include "editor/Skripta.h"
#include "support/TestEnvironment.h"
#include "support/TestPrompts.h"

#include <QTest>

#include <memory>

// What the script editor tests share: a fresh program folder, test prompts and an
// editor over them that reads its options from `options` (the previous text kept,
// unless a test changes that). A prepared answer no question used fails the test.
class EditorFixture : public QObject {
protected:
    std::unique_ptr<TestEnvironment> env;
    std::unique_ptr<TestPrompts> prompts;
    std::unique_ptr<TfrmSkripta> editor;
    ScriptEditorOptions options;

    void setUp(TfrmSkripta::Services services = {})
    {
        env = std::make_unique<TestEnvironment>();
        ProgramFolder::setPath(env->folder());
        prompts = std::make_unique<TestPrompts>();
        options = ScriptEditorOptions();
        options.opening = ScriptEditorOptions::Opening::KeepPrevious;
        services.options = [this] { return options; };
        editor = std::make_unique<TfrmSkripta>(*prompts, services);
    }
    void tearDown()
    {
        editor.reset();
        QVERIFY2(prompts->confirmAnswers.isEmpty() && prompts->inputAnswers.isEmpty() && prompts->fileAnswers.isEmpty(),
                 "every prepared answer is used");
    }

    ScriptTextEdit *text() const { return editor->textArea(); }
    // Shown and active with the keyboard in the text, as after a click into it.
    void showActive()
    {
        editor->show();
        editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor.get()));
        text()->setFocus();
    }
};
