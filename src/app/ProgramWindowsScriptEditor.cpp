#include "app/ProgramWindows.h"

#include "app/Main.h"
#include "app/ScriptRunner.h"
#include "common/CommandRegistry.h"
#include "config/ColorDrawing.h"
#include "config/Postavke.h"
#include "editor/Skripta.h"
#include "editor/Wizard.h"

namespace {
ScriptEditorOptions::Opening openingOf(OpeningChoice choice)
{
    switch (choice) {
    case OpeningChoice::KeepPrevious: return ScriptEditorOptions::Opening::KeepPrevious;
    case OpeningChoice::RunWizard: return ScriptEditorOptions::Opening::RunWizard;
    default: return ScriptEditorOptions::Opening::ClearEditor; // also when none is selected
    }
}
}

// The script editor: Alt+R shows it, not modally. Its options live in the settings
// window, its scripts run on the main window's one interpreter, and its wizard is the
// wizard window, created after it in start-up order.
void ProgramWindows::createScriptEditor()
{
    TfrmSkripta::Services services;
    services.options = [this] {
        ScriptEditorOptions options;
        if (!m_settings)
            return options;
        const QPalette palette = m_editor->palette();
        options.opening = openingOf(m_settings->openingChoice());
        options.keywords = DrawingColor(m_settings->keywordColor(), palette);
        options.functions = DrawingColor(m_settings->functionColor(), palette);
        options.strings = DrawingColor(m_settings->stringColor(), palette);
        return options;
    };
    services.runScript = [this](const QString &path) { m_main->scriptRunner().runFile(path); };
    services.runWizard = [this](const TfrmWizard::FinishCheck &mayFinish) -> std::optional<WizardAnswers> {
        if (!m_wizard)
            return std::nullopt;
        return m_wizard->ask(mayFinish);
    };
    m_editor = std::make_unique<TfrmSkripta>(m_prompts, services, m_main.get());
    m_editor->setWindowFlag(Qt::Window);
    m_main->commands().bind("actSkriptEditor", [this] {
        m_editor->show();
        m_editor->raise();
        m_editor->activateWindow();
    });
    // The program ends with the main window: unsaved text of the editor is offered
    // for saving first, and Cancel keeps the program running.
    m_main->addCloseQuestion([this] { return m_editor->askToSaveGuarded(); });
}

void ProgramWindows::createWizard()
{
    m_wizard = std::make_unique<TfrmWizard>(m_prompts, m_editor.get());
}
