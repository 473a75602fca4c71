#include "app/Main.h"

#include "analysis/AnalysisCommands.h"
#include "app/Commands.h"
#include "app/DeleteKeys.h"
#include "app/PastWorkoutsList.h"
#include "app/Ribbon.h"
#include "app/ProgressDialog.h"
#include "app/ScriptRunner.h"
#include "scriptdata/TrainingObjects.h"
#include "app/WindowKeys.h"
#include "app/WindowPlacement.h"
#include "common/CommandGuard.h"
#include "common/CommandRegistry.h"
#include "common/Errors.h"
#include "common/ProgramFolder.h"
#include "config/IniFile.h"
#include "progress/NewRecord.h"
#include "editing/WorkoutGrid.h"
#include "store/DamageCheck.h"
#include "store/RowTexts.h"
#include "store/WorkoutList.h"

#include <QAction>
#include <QCoreApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QThread>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {
const QString kDataFilter = QStringLiteral("Data files (*.dat)|*.dat");
}

TfrmMain::TfrmMain(UserPrompts &prompts, QWidget *parent)
    : QMainWindow(parent), m_prompts(prompts), m_scripts(std::make_unique<ScriptRunner>(prompts, this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Fortavo"));
    m_ribbon = new Ribbon(this);
    setMenuWidget(m_ribbon);
    createEditor();
    statusBar()->setObjectName(QStringLiteral("stbStatus"));
    m_commands = new CommandRegistry(this, [this](const std::function<void()> &command) { runCommand(command); });
    placeMainCommands(*m_commands, *m_ribbon, *lstProsliTreninzi);
    bindCommands();
    auto *deleteKeys = new DeleteKeys(*m_commands, QStringLiteral("actObrisi"), QStringLiteral("actObrisiRed"),
                                      QStringLiteral("actObrisiKardio"), this);
    deleteKeys->watch(lstProsliTreninzi, m_form.stgVjezbe, m_form.stgKardio);
    // The window's keys work from every control; Del and Ctrl+Del still edit text.
    new WindowKeys(*m_commands, {QKeySequence(Qt::Key_Delete), QKeySequence(Qt::CTRL | Qt::Key_Delete)});
    // At start-up the list of past workouts has the focus.
    lstProsliTreninzi->setFocus(Qt::OtherFocusReason);
    resize(1180, 760);
    registerTrainingObjects();
}

TfrmMain::~TfrmMain() = default;

// ---------------------------------------------------------------------------
// Commands and list

void TfrmMain::runCommand(const std::function<void()> &command)
{
    runGuarded(m_prompts, command);
}

void TfrmMain::bindCommands()
{
    CommandRegistry &c = *m_commands;
    c.bind("actNoviTrening", [this] { newTrainingFile(); });
    c.bind("actOtvoriTrening", [this] { openTrainingFileDialog(); });
    c.bind("actNovi", [this] { NewWorkout(); });
    c.bind("actSpremi", [this] { SaveWorkout(); });
    c.bind("actObrisi", [this] { DeleteWorkout(); });
    c.bind("actObrisiRed", [this] { actObrisiRedExecute(); });
    c.bind("actObrisiKardio", [this] { actObrisiKardioExecute(); });
    c.bind("actUndo", [this] { UndoDeletion(); });
    c.bind("mniUndo", [this] { UndoDeletion(); });
    c.bind("bitCut", [this] { CutWorkout(); });
    c.bind("bitCopy", [this] { CopyWorkout(); });
    c.bind("bitPaste", [this] { PasteWorkout(); });
    c.bind("mniOpenTraining", [this] {
        if (const int n = lstProsliTreninzi->selectedRecord(); n >= 0)
            ShowWorkout(n);
    });
    const auto openFile = [this](const QString &path) {
        if (!m_prompts.openWithDesktop(path))
            m_prompts.error(QStringLiteral("Unable to open %1").arg(path));
    };
    c.bind("actInit2", [=, this] {
        openFile(m_configFile);
        m_prompts.information(
            QStringLiteral("In order to make changes on the configuration file valid, Fortavo se must be restarted."));
    });
    c.bind("actHelp", [=, this] { openFile(m_helpFile); });
    c.bind("actSkripta", [this] { m_scripts->chooseAndRun(); });
    // The analyses and exports.
    const QList<QPair<const char *, void (*)(WorkoutSession &)>> reports = {
        {"actIzvezi", &ExportWorkoutText},         {"actHtml", &ExportHtml},
        {"actStatIzvezi", &ExportAllWeekAnalyses}, {"actVolumen", &ShowWorkoutDensity},
        {"actUkupniVolumen", &ShowDayDensity},     {"actStatistikaTjedna", &ShowWeekAnalysis},
        {"actStatistika", &ShowTrainingAnalysis},
    };
    for (const auto &[name, run] : reports)
        c.bind(name, [this, run = run] { run(*this); });
    c.bind("actIzadji", [this] { close(); });
}

void TfrmMain::createWorkoutList(QWidget *parent)
{
    lstProsliTreninzi = new PastWorkoutsList(parent);
    connect(lstProsliTreninzi, &QListWidget::itemDoubleClicked, this,
            [this] { m_commands->action(QStringLiteral("mniOpenTraining"))->trigger(); });
}

void TfrmMain::createEditor()
{
    auto *splitter = new QSplitter(this);
    auto *listPane = new QWidget(splitter);
    auto *listLayout = new QVBoxLayout(listPane);
    listLayout->setContentsMargins(4, 4, 4, 4);
    auto *listLabel = new QLabel(QStringLiteral("Previous workouts:"), listPane);
    createWorkoutList(listPane);
    listLabel->setBuddy(lstProsliTreninzi);
    listLayout->addWidget(listLabel);
    listLayout->addWidget(lstProsliTreninzi);

    auto *editor = new QWidget(splitter);
    editor->setObjectName(QStringLiteral("pnlEditor"));
    auto *editorLayout = new QVBoxLayout(editor);
    editorLayout->setContentsMargins(4, 4, 4, 4);
    m_form.createGrids(editor);
    auto *information = m_form.createInformationGroup(QStringLiteral("Information"), editor);
    information->setObjectName(QStringLiteral("grbInformacije"));
    editorLayout->addWidget(information);
    editorLayout->addWidget(m_entry.createCardioGroup(m_form.stgKardio, editor), 1);
    editorLayout->addWidget(m_entry.createExercisesGroup(m_form.stgVjezbe, editor), 1);
    connect(m_entry.bitDodajKardio, &QPushButton::clicked, this, [this] { runCommand([this] { bitDodajKardioClick(); }); });
    connect(m_entry.bitDodaj, &QPushButton::clicked, this, [this] { runCommand([this] { bitDodajClick(); }); });

    splitter->addWidget(listPane);
    splitter->addWidget(editor);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({300, 880});
    setCentralWidget(splitter);
    setTabOrder();
    m_entry.followMouse();
}

void TfrmMain::setTabOrder()
{
    // Tab walks the form from top to bottom, each grid after its entry fields.
    const QList<QWidget *> tabOrder = {lstProsliTreninzi, m_form.dtpDatum, m_form.dtpVrijeme,
                                       m_form.mskTrajanjeTrening, m_form.cmbDioTijela, m_form.cmbTipTreninga,
                                       m_form.memKomentar, m_entry.cmbVrstaKardio, m_entry.dtpStartTime,
                                       m_entry.mskTrajanje, m_entry.spnUdaljenost, m_entry.spnKalorije,
                                       m_entry.bitDodajKardio, m_form.stgKardio, m_entry.cmbVjezba,
                                       m_entry.cmbTipIzvodjenja, m_entry.spnSerija, m_entry.spnPonavljanja,
                                       m_entry.mskTezina, m_entry.bitDodaj, m_form.stgVjezbe};
    for (int i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));
}

// ---------------------------------------------------------------------------
// Start-up and close

void TfrmMain::startUp()
{
    m_undo.clear();
    m_helpFile = ProgramFolder::path() + QStringLiteral("help.hlp");
    m_configFile = ProgramFolder::configFile();
    m_form.stgKardio->clearEntries();
    m_form.stgVjezbe->clearEntries();
    const IniFile ini(m_configFile);
    if (!ini.exists()) {
        m_prompts.error(QStringLiteral("Configuration file not found!"));
        NewWorkout();
        return;
    }
    applyConfiguration(StartupConfiguration::read(ini));
}

void TfrmMain::applyConfiguration(const StartupConfiguration &c)
{
    const auto fill = [](QComboBox *box, const QStringList &items) {
        box->addItems(items);
        box->setCurrentIndex(0);
    };
    fill(m_form.cmbDioTijela, c.bodyparts);
    fill(m_entry.cmbVrstaKardio, c.cardioTypes);
    fill(m_form.cmbTipTreninga, c.trainingTypes);
    fill(m_entry.cmbTipIzvodjenja, c.executionTypes);
    placeWindow(this, c.top, c.left);
    runCommand([&] { OpenTrainingFile(c.trainingFile); });
    TemplateFileName = c.templateFile;
    ExerciseFileName = c.exerciseFile;
    GoalsFileName = c.goalsFile;
    if (!m_training.isOpen())
        NewWorkout();
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    for (const auto &question : m_closeQuestions) {
        if (!question()) {
            event->ignore();
            return;
        }
    }
    for (const auto &hook : m_closeHooks)
        runCommand(hook);
    m_training.close();
    writeConfigurationOnClose();
    event->accept();
    // Closing the main window ends the program, whatever other window is still open.
    // Without a running event loop (a test) there is nothing to end, and exit() would
    // make the next loop return at once.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

void TfrmMain::writeConfigurationOnClose()
{
    // The window closes even when the configuration cannot be written: the user is
    // told, and nothing of the training data depends on it.
    runCommand([this] {
        IniFile ini(m_configFile.isEmpty() ? ProgramFolder::configFile() : m_configFile);
        ConfigKeys::writeInteger(ini, ConfigKeys::Top, y());
        ConfigKeys::writeInteger(ini, ConfigKeys::Left, x());
        if (!TrainingFileName.isEmpty())
            ConfigKeys::writeText(ini, ConfigKeys::TrainingFile, TrainingFileName);
    });
}

// ---------------------------------------------------------------------------
// Training file

void TfrmMain::requireTrainingFile() const
{
    if (!m_training.isOpen())
        throw IoError(QStringLiteral("No training file is open. Open or create one with \"Open training file\" or "
                                     "\"New training file\"."));
}

TrainingFile &TfrmMain::trainingFile()
{
    requireTrainingFile();
    return m_training;
}

void TfrmMain::clearUndo()
{
    m_undo.clear();
    m_commands->action(QStringLiteral("mniUndo"))->setEnabled(false);
}

void TfrmMain::OpenTrainingFile(const QString &name)
{
    const QString path = ProgramFolder::resolve(name);
    lstProsliTreninzi->clear();
    // An undo remembered from another file must never write into this one.
    clearUndo();
    if (m_training.openForEditing(path) == TrainingFile::Access::ReadOnly)
        m_prompts.warning(QStringLiteral("\"%1\" cannot be opened for writing (%2), so it is open read-only: its workouts "
                                         "can be viewed, analysed and exported, but no change can be saved.")
                              .arg(QFileInfo(path).fileName(), m_training.readOnlyReason()));
    TrainingFileName = path;
    watchTrainingFile();
    // Whatever damage the file shows is told once, in one message.
    const QStringList findings = damageFindings(m_training, int(trainingTypes().size()));
    if (!findings.isEmpty())
        m_prompts.warning(findings.join(QStringLiteral("\n\n")));
    FillWorkoutList();
    NewWorkout();
}

void TfrmMain::newTrainingFile()
{
    UserPrompts::FileDialog dialog{QStringLiteral("New traning file"), kDataFilter, QStringLiteral("dat"),
                                   ProgramFolder::path(), false, true};
    const QString chosen = m_prompts.saveFileName(dialog);
    if (chosen.isEmpty())
        return;
    m_training.close();
    lstProsliTreninzi->clear();
    // New training files always lie beside the executable.
    OpenTrainingFile(QFileInfo(chosen).fileName());
}

void TfrmMain::openTrainingFileDialog()
{
    UserPrompts::FileDialog dialog{QStringLiteral("Open a traning file"), kDataFilter, QStringLiteral("dat"),
                                   QFileInfo(TrainingFileName).absolutePath(), true, false};
    const QString chosen = m_prompts.openFileName(dialog);
    if (chosen.isEmpty())
        return;
    m_training.close();
    lstProsliTreninzi->clear();
    OpenTrainingFile(QFileInfo(chosen).absoluteFilePath());
}

ProgressCallback TfrmMain::progress(const QString &label)
{
    return progressDialog(this, label);
}

void TfrmMain::FillWorkoutList(int *damaged)
{
    lstProsliTreninzi->clear();
    requireTrainingFile();
    const QStringList lines =
        WorkoutList::build(m_training, trainingTypes(), progress(QStringLiteral("Reading workouts...")), damaged);
    lstProsliTreninzi->addItems(lines);
    emit workoutsChanged();
}

QStringList TfrmMain::workoutLines() const
{
    return lstProsliTreninzi->lines();
}

int TfrmMain::selectedLine() const
{
    return lstProsliTreninzi->selectedLine();
}

QStringList TfrmMain::trainingTypes() const
{
    return comboItems(m_form.cmbTipTreninga);
}

QStringList TfrmMain::cardioTypes() const
{
    return comboItems(m_entry.cmbVrstaKardio);
}

QStringList TfrmMain::bodyparts() const
{
    return comboItems(m_form.cmbDioTijela);
}

// ---------------------------------------------------------------------------
// Workouts

void TfrmMain::ShowWorkout(int n)
{
    const WorkoutRecord record = trainingFile().ReadRecord(n);
    CurrentRecordIndex = n;
    m_formTrainingType = record.TrainingType;
    m_form.show(record);
}

WorkoutRecord TfrmMain::formWorkout()
{
    return m_form.read(m_formTrainingType);
}

QList<QStringList> TfrmMain::exerciseGridRows()
{
    QList<QStringList> rows;
    for (int row = 1; row <= m_form.stgVjezbe->entryCount(); ++row)
        rows << m_form.stgVjezbe->cells(row);
    return rows;
}

void TfrmMain::showRecord(int n)
{
    ShowWorkout(n);
    lstProsliTreninzi->selectLine(WorkoutList::lineOfRecord(lstProsliTreninzi->lines(), n));
    lstProsliTreninzi->scrollToItem(lstProsliTreninzi->currentItem());
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void TfrmMain::SaveWorkout()
{
    const int remembered = selectedLine();
    const WorkoutRecord record = formWorkout();
    statusBar()->clearMessage();
    trainingFile().WriteRecord(CurrentRecordIndex, record);
    FillWorkoutList();
    lstProsliTreninzi->selectLine(remembered >= 0 ? remembered : lstProsliTreninzi->count() - 1);
    // A record beaten by the saved workout is told in the status line, without a box.
    const QString news = NewRecordText(m_training, CurrentRecordIndex);
    if (!news.isEmpty())
        statusBar()->showMessage(news);
}

void TfrmMain::NewWorkout()
{
    m_form.clear();
    m_formTrainingType = 0;
    m_entry.clear();
    CurrentRecordIndex = m_training.isOpen() ? m_training.RecordCount() : 0;
}

void TfrmMain::DeleteWorkout()
{
    const int n = lstProsliTreninzi->selectedRecord();
    if (n < 0)
        return;
    if (m_prompts.confirm(QStringLiteral("Do your want to delete selected workout?")) != UserPrompts::Answer::Yes)
        return;
    const WorkoutRecord record = trainingFile().ReadRecord(n);
    CurrentRecordIndex = n;
    m_training.RemoveRecord(n, progress(QStringLiteral("Deleting the workout...")));
    m_undo.workoutDeleted(n, record);
    m_commands->action(QStringLiteral("mniUndo"))->setEnabled(true);
    FillWorkoutList();
    NewWorkout();
}

void TfrmMain::UndoDeletion()
{
    switch (m_undo.kind()) {
    case UndoBuffer::Nothing:
        m_prompts.message(QStringLiteral("There is no deletion to undo."));
        return;
    case UndoBuffer::Workout: {
        const int at = m_undo.restoreWorkout(trainingFile(), progress(QStringLiteral("Restoring the workout...")));
        // The save position keeps designating the same workout.
        if (CurrentRecordIndex >= at)
            ++CurrentRecordIndex;
        FillWorkoutList();
        break;
    }
    case UndoBuffer::ExerciseRow: {
        const auto [row, entry] = m_undo.takeExerciseRow(m_form.stgVjezbe->entryCount());
        m_form.stgVjezbe->insertEntry(row, RowTexts::exerciseCells(entry, 0, RowTexts::Numbers::Exact));
        break;
    }
    case UndoBuffer::CardioRow: {
        const auto [row, entry] = m_undo.takeCardioRow(m_form.stgKardio->entryCount());
        m_form.stgKardio->insertEntry(row, RowTexts::cardioCells(entry, 0, RowTexts::Numbers::Exact));
        break;
    }
    }
    clearUndo();
}

void TfrmMain::CopyWorkout()
{
    m_copyBuffer.copy(formWorkout());
}

void TfrmMain::PasteWorkout()
{
    if (const std::optional<WorkoutRecord> pasted = m_copyBuffer.paste(m_prompts)) {
        m_formTrainingType = pasted->TrainingType;
        m_form.show(*pasted);
    }
}

void TfrmMain::CutWorkout()
{
    CopyWorkout();
    DeleteWorkout();
}

// ---------------------------------------------------------------------------
// Rows

void TfrmMain::AddCardioRow(const CardioEntry &entry)
{
    m_form.stgKardio->appendEntry(RowTexts::cardioCells(entry, m_form.stgKardio->entryCount() + 1));
}

void TfrmMain::AddExerciseRow(const ExerciseEntry &entry)
{
    m_form.stgVjezbe->appendEntry(RowTexts::exerciseCells(entry, m_form.stgVjezbe->entryCount() + 1));
}

namespace {
// Whether the grid takes one more row; otherwise the warning says how many it holds.
bool hasRoom(WorkoutGrid *grid, UserPrompts &prompts, const QString &rows)
{
    if (grid->entryCount() < WorkoutRecord::MaxRows)
        return true;
    prompts.warning(QStringLiteral("A workout holds at most %1 %2.").arg(WorkoutRecord::MaxRows).arg(rows));
    return false;
}
}

void TfrmMain::bitDodajClick()
{
    if (hasRoom(m_form.stgVjezbe, m_prompts, QStringLiteral("exercise rows")))
        AddExerciseRow(m_entry.exerciseEntry());
}

void TfrmMain::bitDodajKardioClick()
{
    if (hasRoom(m_form.stgKardio, m_prompts, QStringLiteral("cardio rows")))
        AddCardioRow(m_entry.cardioEntry());
}

void TfrmMain::actObrisiRedExecute()
{
    if (const auto removed = m_form.stgVjezbe->takeCurrentRow(&RowTexts::readExercise))
        m_undo.exerciseRowDeleted(removed->first, removed->second);
}

void TfrmMain::actObrisiKardioExecute()
{
    if (const auto removed = m_form.stgKardio->takeCurrentRow(&RowTexts::readCardio))
        m_undo.cardioRowDeleted(removed->first, removed->second);
}

// ---------------------------------------------------------------------------
// Events

void TfrmMain::keyPressEvent(QKeyEvent *event)
{
    // Enter that no control took presses the button that has the focus, otherwise the
    // default "Add" button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier
        && m_entry.defaultAddButton()) {
        if (auto *focused = qobject_cast<QAbstractButton *>(focusWidget()))
            focused->click();
        else
            m_entry.defaultAddButton()->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}
