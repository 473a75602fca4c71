#include "app/ProgramWindows.h"

#include "about/About.h"
#include "app/Main.h"
#include "editor/Skripta.h"
#include "editor/Wizard.h"
#include "common/CommandRegistry.h"
#include "config/Postavke.h"
#include "converter/Converter.h"
#include "editing/DrugiProzor.h"
#include "exercises/Vjezbe.h"
#include "progressview/Napredak.h"
#include "goals/Ciljevi.h"
#include "store/TrainingFileConversion.h"

#include <QFileInfo>

// Adding a window: give it its own folder (its logic in a library without widgets,
// the window in a `_ui` library linked by fortavo_app_ui), then here a member, a
// create function called from startUp() at its place in the start-up order, and in
// that function its start-up work and its wiring. Its commands are rows of the main
// window's command table (Commands.cpp); here they only get their work. The goals
// window, for example:
//
//     void ProgramWindows::createGoalsWindow()
//     {
//         m_goals = std::make_unique<TfrmCiljevi>(m_prompts, m_main.get());
//         m_goals->startUp(m_main->goalsFileName());
//         m_main->commands().bind("actCiljevi", [this] { m_goals->showGoals(); });
//         m_main->addCloseHook([this] { m_goals->closeGoalsFile(); });
//     }

ProgramWindows::ProgramWindows(UserPrompts &prompts)
    : m_prompts(prompts), m_main(std::make_unique<TfrmMain>(prompts))
{
}

ProgramWindows::~ProgramWindows()
{
    // Later windows first: each is a child of the main window.
    m_progress.reset();
    m_about.reset();
    m_goals.reset();
    m_settings.reset();
    m_wizard.reset();
    m_editor.reset();
    m_secondWindow.reset();
    m_converter.reset();
    m_exercises.reset();
    m_main.reset();
}

void ProgramWindows::startUp()
{
    m_main->startUp();
    createExerciseWindow();
    createConverterWindow();
    createSecondWindow();
    createScriptEditor();
    createSettingsWindow();
    createWizard();
    createGoalsWindow();
    createAboutWindow();
    createProgressWindow();
    createCsvCommands();
}

void ProgramWindows::createExerciseWindow()
{
    m_exercises = std::make_unique<TfrmVjezbe>(m_prompts, *m_main, m_main.get());
    m_exercises->startUp(m_main->bodyparts(), m_main->exerciseFileName());
    m_exercises->fillExerciseChoice(*m_main->exerciseChoice());
    m_exercises->watchExerciseFile([this] { m_exercises->fillExerciseChoice(*m_main->exerciseChoice()); });
    m_main->commands().bind("actVjezbe", [this] {
        if (m_exercises->showModal())
            m_exercises->fillExerciseChoice(*m_main->exerciseChoice());
    });
    m_main->addCloseHook([this] { m_exercises->closeExerciseFile(); });
}

void ProgramWindows::createConverterWindow()
{
    m_converter = std::make_unique<TfrmConverter>(m_prompts, m_main.get());
    m_main->commands().bind("bitConverter", [this] { convertTrainingFile(); });
}

// The conversion runs here, for the main window: it may hold the file open, and then
// opens the converted file again so that it never goes on with the old content.
void ProgramWindows::convertTrainingFile()
{
    if (!m_converter->showModal() || !m_converter->convertsOldToNew())
        return;
    const QString path = QFileInfo(m_converter->oldFileName()).absoluteFilePath();
    const QString open = m_main->trainingFileName();
    const bool isOpen = !open.isEmpty() && QFileInfo(open).canonicalFilePath() == QFileInfo(path).canonicalFilePath();
    Converter::Options options;
    options.keepBackup = m_converter->keepBackup();
    options.progress = m_main->progress(QStringLiteral("Converting..."));
    ConvertTrainingFile(path, options);
    if (isOpen)
        m_main->OpenTrainingFile(open);
    m_prompts.message(QStringLiteral("Conversion completed!"));
}

void ProgramWindows::createSecondWindow()
{
    m_secondWindow = std::make_unique<TfrmDrugiProzor>(); // a window of its own, placed by the desktop
    m_secondWindow->setListItems(m_main->bodyparts(), m_main->trainingTypes());
    m_main->commands().bind("mniSecondWindow", [this] { m_secondWindow->ViewInSecondWindow(*m_main); });
}

void ProgramWindows::createGoalsWindow()
{
    m_goals = std::make_unique<TfrmCiljevi>(m_prompts, m_main.get());
    m_goals->startUp(m_main->goalsFileName());
    m_main->commands().bind("actCiljevi", [this] { m_goals->showGoals(); });
    m_main->addCloseHook([this] { m_goals->closeGoalsFile(); });
}
