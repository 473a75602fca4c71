#pragma once

#include <functional>
#include <memory>

namespace CsvImport {
struct Plan;
}
class QString;

class TfrmConverter;
class TfrmAbout;
class TfrmCiljevi;
class TfrmDrugiProzor;
class TfrmMain;
class TfrmNapredak;
class TfrmPostavke;
class TfrmVjezbe;
class TfrmSkripta;
class TfrmWizard;
class UserPrompts;

// The program's windows: created once, in start-up order, and kept for the whole run.
// Each window is wired into the main window here: the work of its commands (rows of
// the main window's command table, bound by name), its close question and its
// close-time work, so the main window knows no other window.
class ProgramWindows {
public:
    // Creates the main window; nothing is read yet.
    explicit ProgramWindows(UserPrompts &prompts);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

    // The main window's start-up work, then every other window, in order, each doing
    // its own start-up work as it is created.
    void startUp();

    TfrmMain &mainWindow() const { return *m_main; }
    TfrmVjezbe &exerciseWindow() const { return *m_exercises; }
    TfrmConverter &converterWindow() const { return *m_converter; }
    TfrmDrugiProzor &secondWindow() const { return *m_secondWindow; }
    TfrmCiljevi &goalsWindow() const { return *m_goals; }
    TfrmPostavke &settingsWindow() const { return *m_settings; }
    TfrmAbout &aboutWindow() const { return *m_about; }
    TfrmSkripta &scriptEditor() const { return *m_editor; }
    TfrmWizard &wizardWindow() const { return *m_wizard; }
    TfrmNapredak &progressWindow() const { return *m_progress; }
    // Tests answer the import preview instead of the dialog.
    void setImportConfirmation(std::function<bool(const CsvImport::Plan &)> confirm) { m_confirmImport = std::move(confirm); }

private:
    void createExerciseWindow();
    void createConverterWindow();
    void convertTrainingFile();
    void createSecondWindow();
    void createGoalsWindow();
    void createSettingsWindow();
    void createAboutWindow();
    void createScriptEditor();
    void createWizard();
    void createProgressWindow();
    void createCsvCommands();
    void importCsv();
    bool confirmImport(const QString &fileName, const CsvImport::Plan &plan);
    void exportCsvFile();

    UserPrompts &m_prompts;
    std::function<bool(const CsvImport::Plan &)> m_confirmImport;
    // Declared in creation order: the others, children of the main window, go first
    // when the owner is destroyed.
    std::unique_ptr<TfrmMain> m_main;
    std::unique_ptr<TfrmVjezbe> m_exercises;
    std::unique_ptr<TfrmConverter> m_converter;
    std::unique_ptr<TfrmDrugiProzor> m_secondWindow;
    std::unique_ptr<TfrmSkripta> m_editor;
    std::unique_ptr<TfrmWizard> m_wizard;
    std::unique_ptr<TfrmPostavke> m_settings;
    std::unique_ptr<TfrmCiljevi> m_goals;
    std::unique_ptr<TfrmAbout> m_about;
    std::unique_ptr<TfrmNapredak> m_progress;
};
