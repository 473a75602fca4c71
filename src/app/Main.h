#pragma once

#include "config/ConfigKeys.h"
#include "editing/CopyBuffer.h"
#include "editing/WorkoutEntryControls.h"
#include "editing/WorkoutInfoControls.h"
#include "store/TrainingFile.h"
#include "store/UndoBuffer.h"
#include "store/WorkoutSession.h"
#include "scriptdata/ShownWorkout.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class CommandRegistry;
class FileWatch;
class PastWorkoutsList;
class Ribbon;
class ScriptRunner;
class TrainingObjects;

// The main window: the ribbon, the list of past workouts and the workout editor. It
// owns the open training file, the save position and the undo state. It knows no other
// window: the owner of the windows binds the work of their commands and adds their
// close questions and close-time work through the functions below.
class TfrmMain : public QMainWindow, public WorkoutSession, public ShownWorkout {
    Q_OBJECT
public:
    explicit TfrmMain(UserPrompts &prompts, QWidget *parent = nullptr);
    ~TfrmMain() override;

    // The start-up work: grid headers, configuration, training file.
    void startUp();

    // The window's commands (the table in Commands.cpp): the owner of the other windows
    // attaches their work by name with bind().
    CommandRegistry &commands() const { return *m_commands; }
    // Asked when the window is about to close, before anything is closed: false keeps
    // the window open and the program running (the user chose Cancel).
    void addCloseQuestion(std::function<bool()> question) { m_closeQuestions.push_back(std::move(question)); }
    // Run when the window closes, before the configuration is written (closing the
    // files of the other windows).
    void addCloseHook(std::function<void()> hook) { m_closeHooks.push_back(std::move(hook)); }
    // Runs a command through the error guard.
    void runCommand(const std::function<void()> &command);

    // Workout operations.
    void OpenTrainingFile(const QString &path);
    // damaged, when given, receives the number of records with row counts above 20.
    void FillWorkoutList(int *damaged = nullptr);
    void ShowWorkout(int n);
    // Shows the workout of record n in the form, selects its line in the list and
    // brings the window to the front.
    void showRecord(int n);
    void SaveWorkout();
    void NewWorkout();
    void DeleteWorkout();
    void UndoDeletion();
    void CopyWorkout();
    void PasteWorkout();
    void CutWorkout();
    // Runs script files; values of their variables stay from one run to the next.
    ScriptRunner &scriptRunner() { return *m_scripts; }
    void newTrainingFile();
    void openTrainingFileDialog();

    // Row operations of the editor.
    void AddCardioRow(const CardioEntry &entry);
    void AddExerciseRow(const ExerciseEntry &entry);
    void bitDodajClick();
    void bitDodajKardioClick();
    void actObrisiRedExecute();
    void actObrisiKardioExecute();

    // WorkoutSession
    TrainingFile &trainingFile() override;
    QStringList workoutLines() const override;
    int selectedLine() const override;
    int currentRecordIndex() const override { return CurrentRecordIndex; }
    WorkoutRecord formWorkout() override;
    QList<QStringList> exerciseGridRows() override;
    QStringList trainingTypes() const override;
    QStringList cardioTypes() const override;
    QString templateFileName() const override { return TemplateFileName; }
    UserPrompts &prompts() override { return m_prompts; }
    ProgressCallback progress(const QString &label) override;

    // ShownWorkout: the editor as the scripts read it (MainScriptData.cpp).
    QString shownDateText() const override;
    QString shownTimeText() const override;
    QString shownDurationText() const override;
    QString shownBodypart() const override;
    QString shownTrainingType() const override;
    QString shownComment() const override;
    int shownCardioCount() const override;
    QString shownCardioCell(int row, int column) const override;
    int shownExerciseCount() const override;
    QString shownExerciseCell(int row, int column) const override;
    void loadShownWorkout(int n) override { ShowWorkout(n); }

    QStringList bodyparts() const;
    QComboBox *exerciseChoice() const { return m_entry.cmbVjezba; }
    QString exerciseFileName() const { return ExerciseFileName; }
    QString goalsFileName() const { return GoalsFileName; }
    QString trainingFileName() const { return TrainingFileName; }
    bool copyBufferFull() const { return m_copyBuffer.isFull(); }
    int undoKind() const { return m_undo.kind(); }

signals:
    // The list of past workouts was built anew: the training file was opened, saved to
    // or changed outside.
    void workoutsChanged();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void bindCommands();
    void createEditor();
    void createWorkoutList(QWidget *parent);
    void setTabOrder();
    void applyConfiguration(const StartupConfiguration &configuration);
    void writeConfigurationOnClose();
    void clearUndo();
    void requireTrainingFile() const;
    void registerTrainingObjects();
    // OutsideChanges.cpp: other programs writing the training file.
    void watchTrainingFile();
    void reloadChangedTrainingFile(bool tell);

    UserPrompts &m_prompts;
    std::vector<std::function<bool()>> m_closeQuestions;
    std::vector<std::function<void()>> m_closeHooks;
    std::unique_ptr<ScriptRunner> m_scripts;
    std::unique_ptr<TrainingObjects> m_trainingObjects;

    // Training file state.
    TrainingFile m_training;
    FileWatch *m_trainingWatch = nullptr;
    QString TrainingFileName, TemplateFileName, ExerciseFileName, GoalsFileName;
    QString m_helpFile, m_configFile;
    int CurrentRecordIndex = 0;
    quint8 m_formTrainingType = 0; // the type shown when it lies beyond the list

    UndoBuffer m_undo;
    CopyBuffer m_copyBuffer;

    // Controls.
    Ribbon *m_ribbon = nullptr;
    PastWorkoutsList *lstProsliTreninzi = nullptr;
    WorkoutInfoControls m_form;
    WorkoutEntryControls m_entry;

    CommandRegistry *m_commands = nullptr;
};
