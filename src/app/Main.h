#pragma once

#include "config/ConfigKeys.h"
#include "editing/WorkoutInfoControls.h"
#include "store/TrainingFile.h"
#include "store/WorkoutSession.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTimeEdit;
class TfrmDrugiProzor;
class TfrmVjezbe;
class WorkoutGrid;
class PromptsScriptHost;
class ScriptInterpreter;

// The main window: the ribbon, the list of past workouts and the workout editor. It
// owns the open training file, the save position and the undo state.
class TfrmMain : public QMainWindow, public WorkoutSession {
    Q_OBJECT
public:
    explicit TfrmMain(UserPrompts &prompts, QWidget *parent = nullptr);
    ~TfrmMain() override;

    // The start-up work: grid headers, configuration, training file.
    void startUp();
    void setSecondWindow(TfrmDrugiProzor *window);
    // The exercise list window: its names fill the exercise choice, Ctrl+E shows it.
    void setExerciseWindow(TfrmVjezbe *window);
    // Run when the window closes, before the configuration is written (closing the
    // exercise and goals files of the other windows).
    void addCloseHook(std::function<void()> hook) { m_closeHooks.push_back(std::move(hook)); }

    // Workout operations.
    void OpenTrainingFile(const QString &path);
    // damaged, when given, receives the number of records with row counts above 20.
    void FillWorkoutList(int *damaged = nullptr);
    void ShowWorkout(int n);
    void SaveWorkout();
    void NewWorkout();
    void DeleteWorkout();
    void UndoDeletion();
    void CopyWorkout();
    void PasteWorkout();
    void CutWorkout();
    void ViewInSecondWindow();
    // Runs a script file; values of its variables stay for the next run.
    void RunScriptFile(const QString &path);
    void NewTrainingFile();
    void OpenTrainingFileDialog();

    // Row operations of the editor.
    void AddCardioRow(const CardioEntry &entry);
    void AddExerciseRow(const ExerciseEntry &entry);
    void bitDodajClick();
    void bitDodajKardioClick();
    void actObrisiRedExecute();
    void actObrisiKardioExecute();

    // The ribbon: adds a command button to a group of a tab, creating the group.
    void addRibbonCommand(const QString &tab, const QString &group, QAction *action);
    // Runs a command through the error guard.
    void runCommand(const std::function<void()> &command);

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

    QStringList bodyparts() const;
    QComboBox *exerciseChoice() const { return cmbVjezba; }
    QString exerciseFileName() const { return ExerciseFileName; }
    QString goalsFileName() const { return GoalsFileName; }
    QString trainingFileName() const { return TrainingFileName; }
    bool copyBufferFull() const { return CopyBufferFull; }
    int undoKind() const { return UndoKind; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createActions();
    void createRibbon();
    void createEditor();
    void createWorkoutList(QWidget *parent);
    QGroupBox *createCardioGroup(QWidget *parent);
    QGroupBox *createExercisesGroup(QWidget *parent);
    QAction *addAction(const QString &name, const QString &text, const QKeySequence &key,
                       const std::function<void()> &command);
    void applyConfiguration(const StartupConfiguration &configuration);
    void placeWindow(int top, int left);
    void setDefaultAddButton(QPushButton *button);
    void assignDeleteKeys(QAction *del, QAction *ctrlDel, QAction *altDel);
    void onListPressed(const QPoint &position);
    void writeConfigurationOnClose();
    void clearUndo();
    void requireTrainingFile() const;
    void selectLine(int line);
    // The record number of the selected workout line; -1 for none or a separator.
    int selectedRecord() const;

    UserPrompts &m_prompts;
    std::vector<std::function<void()>> m_closeHooks;
    TfrmDrugiProzor *m_secondWindow = nullptr;
    TfrmVjezbe *m_exerciseWindow = nullptr;
    std::unique_ptr<PromptsScriptHost> m_scriptHost;
    std::unique_ptr<ScriptInterpreter> m_interpreter;

    // Training file state.
    TrainingFile m_training;
    QString TrainingFileName, TemplateFileName, ExerciseFileName, GoalsFileName;
    QString m_helpFile, m_configFile;
    int CurrentRecordIndex = 0;
    quint8 m_formTrainingType = 0; // the type shown when it lies beyond the list

    // One level of undo.
    quint8 UndoKind = 0;
    int UndoRecordNumber = 0;
    WorkoutRecord UndoRecord;
    int UndoExerciseRow = 0;
    ExerciseEntry UndoExercise;
    int UndoCardioRow = 0;
    CardioEntry UndoCardio;

    WorkoutRecord CopyBuffer;
    bool CopyBufferFull = false;

    // Controls.
    QTabWidget *m_ribbon = nullptr;
    QListWidget *lstProsliTreninzi = nullptr;
    WorkoutInfoControls m_form;
    QGroupBox *grbKardio = nullptr;
    QGroupBox *grbVjezbe = nullptr;
    QComboBox *cmbVrstaKardio = nullptr;
    QTimeEdit *dtpStartTime = nullptr;
    QLineEdit *mskTrajanje = nullptr;
    QSpinBox *spnUdaljenost = nullptr;
    QSpinBox *spnKalorije = nullptr;
    QPushButton *bitDodajKardio = nullptr;
    QComboBox *cmbVjezba = nullptr;
    QComboBox *cmbTipIzvodjenja = nullptr;
    QSpinBox *spnSerija = nullptr;
    QSpinBox *spnPonavljanja = nullptr;
    QLineEdit *mskTezina = nullptr;
    QPushButton *bitDodaj = nullptr;
    QPushButton *m_defaultAddButton = nullptr;
    QMenu *m_listMenu = nullptr;
    QMenu *m_applicationMenu = nullptr;

    // Commands.
    QAction *actNoviTrening = nullptr, *actOtvoriTrening = nullptr, *actNovi = nullptr, *actSpremi = nullptr;
    QAction *actObrisi = nullptr, *actObrisiRed = nullptr, *actObrisiKardio = nullptr, *actUndo = nullptr;
    QAction *bitCut = nullptr, *bitCopy = nullptr, *bitPaste = nullptr;
    QAction *mniOpenTraining = nullptr, *mniSecondWindow = nullptr, *mniCut = nullptr, *mniCopy = nullptr,
            *mniPaste = nullptr, *mniDelete = nullptr, *mniUndo = nullptr;
    QAction *actVolumen = nullptr, *actUkupniVolumen = nullptr, *actStatistikaTjedna = nullptr,
            *actStatIzvezi = nullptr, *actStatistika = nullptr, *actIzvezi = nullptr, *actHtml = nullptr;
    QAction *actVjezbe = nullptr, *actSkripta = nullptr;
    QAction *actInit2 = nullptr, *actHelp = nullptr, *actWebsite = nullptr, *actUpdates = nullptr,
            *actIzadji = nullptr;
};
