#include "app/Main.h"

#include "analysis/AnalysisCommands.h"

#include "common/CommandGuard.h"
#include "common/DayCount.h"
#include "common/Errors.h"
#include "common/ProgramFolder.h"
#include "common/RegionalSettings.h"
#include "common/ValueConversions.h"
#include "config/IniFile.h"
#include "editing/DrugiProzor.h"
#include "editing/WorkoutGrid.h"
#include "exercises/Vjezbe.h"
#include "script/PromptsScriptHost.h"
#include "script/ScriptInterpreter.h"
#include "store/RowTexts.h"
#include "store/WorkoutList.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString kTrainingTab = QStringLiteral("Training management");
const QString kToolsTab = QStringLiteral("Tools");
const QString kHelpTab = QStringLiteral("Help && support");

// The groups of each ribbon tab, in the order they stand.
const QList<QPair<QString, QStringList>> &ribbonLayout()
{
    static const QList<QPair<QString, QStringList>> layout = {
        {kTrainingTab, {"Files", "Workouts", "Editing", "Exercise list", "Goals"}},
        {kToolsTab, {"Export", "Workout analysis", "Training analysis", "Scripting", "Converter"}},
        {kHelpTab, {"Settings", "Help", "Web"}},
    };
    return layout;
}

// A ribbon caption on two lines, broken at the blank nearest the middle.
QString ribbonCaption(QString text)
{
    int best = -1;
    for (int i = 0; i < text.size(); ++i)
        if (text.at(i) == QLatin1Char(' ') && (best < 0 || qAbs(i - text.size() / 2) < qAbs(best - text.size() / 2)))
            best = i;
    if (best > 0)
        text[best] = QLatin1Char('\n');
    return text;
}

// The entry fields of a grid group at their natural widths, side by side, with the
// spare room to their right.
void compactEntry(QHBoxLayout *entry, QFormLayout *fields, QFormLayout *more)
{
    for (QFormLayout *form : {fields, more}) {
        form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
        form->setVerticalSpacing(2);
        entry->addLayout(form);
    }
    entry->setSpacing(18);
    entry->addStretch(1);
}

const QString kDataFilter = QStringLiteral("Data files (*.dat)|*.dat");
constexpr int kOldRecordSize = 2032;
}

TfrmMain::TfrmMain(UserPrompts &prompts, QWidget *parent)
    : QMainWindow(parent), m_prompts(prompts), m_scriptHost(std::make_unique<PromptsScriptHost>(prompts)),
      m_interpreter(std::make_unique<ScriptInterpreter>(*m_scriptHost))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Fortavo"));
    createActions();
    createEditor();
    createRibbon();
    resize(1180, 760);
}

TfrmMain::~TfrmMain() = default;

QAction *TfrmMain::addAction(const QString &name, const QString &text, const QKeySequence &key,
                             const std::function<void()> &command)
{
    auto *action = new QAction(text, this);
    action->setObjectName(name);
    if (!key.isEmpty())
        action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
    QMainWindow::addAction(action);
    return action;
}

void TfrmMain::runCommand(const std::function<void()> &command)
{
    runGuarded(m_prompts, command);
}

void TfrmMain::createActions()
{
    actNoviTrening = addAction("actNoviTrening", "New training file", QKeySequence(Qt::ALT | Qt::Key_N),
                               [this] { NewTrainingFile(); });
    actOtvoriTrening = addAction("actOtvoriTrening", "Open training file", QKeySequence(Qt::ALT | Qt::Key_O),
                                 [this] { OpenTrainingFileDialog(); });
    actNovi = addAction("actNovi", "New workout", QKeySequence(Qt::CTRL | Qt::Key_N), [this] { NewWorkout(); });
    actSpremi = addAction("actSpremi", "Save changes", QKeySequence(Qt::CTRL | Qt::Key_S), [this] { SaveWorkout(); });
    actObrisi = addAction("actObrisi", "Delete workout", QKeySequence(Qt::Key_Delete), [this] { DeleteWorkout(); });
    actObrisiRed = addAction("actObrisiRed", "Delete exercise row", QKeySequence(Qt::CTRL | Qt::Key_Delete),
                             [this] { actObrisiRedExecute(); });
    actObrisiKardio = addAction("actObrisiKardio", "Delete cardio row", QKeySequence(Qt::ALT | Qt::Key_Delete),
                                [this] { actObrisiKardioExecute(); });
    actUndo = addAction("actUndo", "Undo deletion", QKeySequence(Qt::ALT | Qt::Key_Z), [this] { UndoDeletion(); });
    bitCut = addAction("bitCut", "Cut workout", {}, [this] { CutWorkout(); });
    bitCopy = addAction("bitCopy", "Copy workout", {}, [this] { CopyWorkout(); });
    bitPaste = addAction("bitPaste", "Paste workout", {}, [this] { PasteWorkout(); });
    bitCut->setToolTip(QStringLiteral("Cut workout (Ctrl+X)"));
    bitCopy->setToolTip(QStringLiteral("Copy workout (Ctrl+C)"));
    bitPaste->setToolTip(QStringLiteral("Paste workout (Ctrl+V)"));
    actInit2 = addAction("actInit2", "Change settings file directly", QKeySequence(Qt::CTRL | Qt::Key_F2), [this] {
        if (!m_prompts.openWithDesktop(m_configFile))
            m_prompts.error(QStringLiteral("Unable to open %1").arg(m_configFile));
        m_prompts.information(
            QStringLiteral("In order to make changes on the configuration file valid, Fortavo se must be restarted."));
    });
    actHelp = addAction("actHelp", "Help", QKeySequence(Qt::Key_F1), [this] {
        if (!m_prompts.openWithDesktop(m_helpFile))
            m_prompts.error(QStringLiteral("Unable to open %1").arg(m_helpFile));
    });
    actVjezbe = addAction("actVjezbe", "Exercise list", QKeySequence(Qt::CTRL | Qt::Key_E), [this] {
        if (m_exerciseWindow && m_exerciseWindow->showModal())
            m_exerciseWindow->fillExerciseChoice(*cmbVjezba);
    });
    actSkripta = addAction("actSkripta", "Run a script", QKeySequence(Qt::CTRL | Qt::Key_R), [this] {
        UserPrompts::FileDialog dialog{QStringLiteral("Open script file"), QStringLiteral("Fortavo scripts (*.fvs)|*.fvs"),
                                       QStringLiteral("fvs"), ProgramFolder::path(), true, false};
        const QString chosen = m_prompts.openFileName(dialog);
        if (!chosen.isEmpty())
            RunScriptFile(QFileInfo(chosen).absoluteFilePath());
    });
    actVolumen = addAction("actVolumen", "Workout density", QKeySequence(Qt::Key_F3), [this] { ShowWorkoutDensity(*this); });
    actUkupniVolumen = addAction("actUkupniVolumen", "Density for the enitre day", QKeySequence(Qt::Key_F4),
                                 [this] { ShowDayDensity(*this); });
    actStatistikaTjedna = addAction("actStatistikaTjedna", "Analysis of a week", QKeySequence(Qt::Key_F5),
                                    [this] { ShowWeekAnalysis(*this); });
    actStatIzvezi = addAction("actStatIzvezi", "Export all week analysises", QKeySequence(Qt::Key_F6),
                              [this] { ExportAllWeekAnalyses(*this); });
    actStatistika = addAction("actStatistika", "Training analysis", QKeySequence(Qt::Key_F7),
                              [this] { ShowTrainingAnalysis(*this); });
    actIzvezi = addAction("actIzvezi", "Export to a text file", QKeySequence(Qt::ALT | Qt::Key_T),
                          [this] { ExportWorkoutText(*this); });
    actHtml = addAction("actHtml", "Export to an HTML file", QKeySequence(Qt::ALT | Qt::Key_H),
                        [this] { ExportHtml(*this); });
    actIzadji = addAction("actIzadji", "E&xit Fortavo", QKeySequence(Qt::ALT | Qt::Key_F4), [this] { close(); });
}

void TfrmMain::createRibbon()
{
    auto *ribbonArea = new QWidget(this);
    auto *areaLayout = new QHBoxLayout(ribbonArea);
    areaLayout->setContentsMargins(4, 4, 4, 0);

    auto *menuButton = new QToolButton(ribbonArea);
    menuButton->setObjectName(QStringLiteral("btnApplicationMenu"));
    menuButton->setText(QStringLiteral("Fortavo"));
    menuButton->setToolTip(QStringLiteral("Fortavo main menu"));
    menuButton->setPopupMode(QToolButton::InstantPopup);
    m_applicationMenu = new QMenu(QStringLiteral("Fortavo main menu"), menuButton);
    m_applicationMenu->setObjectName(QStringLiteral("mnuApplication"));
    const auto menuItem = [this](const QString &text, QAction *target) {
        QAction *item = m_applicationMenu->addAction(text);
        connect(item, &QAction::triggered, target, &QAction::trigger);
    };
    menuItem(QStringLiteral("New &training file"), actNoviTrening);
    menuItem(QStringLiteral("&New"), actNovi);
    menuItem(QStringLiteral("New &workout"), actNovi);
    menuItem(QStringLiteral("&Save workout"), actSpremi);
    menuItem(QStringLiteral("&Exercises list"), actVjezbe);
    m_applicationMenu->addSeparator();
    menuItem(QStringLiteral("Help"), actHelp);
    menuItem(QStringLiteral("E&xit Fortavo"), actIzadji);
    menuButton->setMenu(m_applicationMenu);
    menuButton->setMinimumHeight(64);

    m_ribbon = new QTabWidget(ribbonArea);
    m_ribbon->setObjectName(QStringLiteral("ribbon"));
    m_ribbon->setMaximumHeight(118);
    for (const auto &[tab, groups] : ribbonLayout()) {
        auto *page = new QWidget(m_ribbon);
        auto *layout = new QHBoxLayout(page);
        layout->setContentsMargins(2, 2, 2, 2);
        layout->addStretch();
        m_ribbon->addTab(page, tab);
    }
    auto *caption = new QLabel(QStringLiteral("Fortavo 0.9b"), ribbonArea);
    caption->setObjectName(QStringLiteral("lblRibbonCaption"));
    caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
    areaLayout->addWidget(menuButton, 0, Qt::AlignTop);
    areaLayout->addWidget(m_ribbon, 1);
    areaLayout->addWidget(caption, 0, Qt::AlignTop);
    setMenuWidget(ribbonArea);

    addRibbonCommand(kTrainingTab, "Files", actNoviTrening);
    addRibbonCommand(kTrainingTab, "Files", actOtvoriTrening);
    addRibbonCommand(kTrainingTab, "Workouts", actNovi);
    addRibbonCommand(kTrainingTab, "Workouts", actSpremi);
    addRibbonCommand(kTrainingTab, "Workouts", actObrisi);
    addRibbonCommand(kTrainingTab, "Workouts", actUndo);
    addRibbonCommand(kTrainingTab, "Editing", bitCut);
    addRibbonCommand(kTrainingTab, "Editing", bitCopy);
    addRibbonCommand(kTrainingTab, "Editing", bitPaste);
    addRibbonCommand(kTrainingTab, "Exercise list", actVjezbe);
    addRibbonCommand(kToolsTab, "Export", actIzvezi);
    addRibbonCommand(kToolsTab, "Export", actHtml);
    addRibbonCommand(kToolsTab, "Export", actStatIzvezi);
    addRibbonCommand(kToolsTab, "Workout analysis", actVolumen);
    addRibbonCommand(kToolsTab, "Workout analysis", actUkupniVolumen);
    addRibbonCommand(kToolsTab, "Training analysis", actStatistikaTjedna);
    addRibbonCommand(kToolsTab, "Training analysis", actStatistika);
    addRibbonCommand(kToolsTab, "Scripting", actSkripta);
    addRibbonCommand(kHelpTab, "Settings", actInit2);
    addRibbonCommand(kHelpTab, "Help", actHelp);
}

void TfrmMain::addRibbonCommand(const QString &tab, const QString &group, QAction *action)
{
    int tabIndex = 0;
    QStringList groups;
    for (; tabIndex < ribbonLayout().size(); ++tabIndex)
        if (ribbonLayout().at(tabIndex).first == tab) {
            groups = ribbonLayout().at(tabIndex).second;
            break;
        }
    QWidget *page = m_ribbon->widget(tabIndex);
    auto *layout = static_cast<QHBoxLayout *>(page->layout());
    const QString groupName = QStringLiteral("grp") + QString(group).remove(QLatin1Char(' '));
    auto *box = page->findChild<QGroupBox *>(groupName, Qt::FindDirectChildrenOnly);
    if (!box) {
        box = new QGroupBox(group, page);
        box->setObjectName(groupName);
        new QHBoxLayout(box);
        // Groups keep the tab's order whatever order they are created in.
        int position = 0;
        for (int i = 0; i < layout->count(); ++i) {
            auto *other = qobject_cast<QGroupBox *>(layout->itemAt(i)->widget());
            if (other && groups.indexOf(other->title()) < groups.indexOf(group))
                position = i + 1;
        }
        layout->insertWidget(position, box);
    }
    auto *button = new QToolButton(box);
    button->setDefaultAction(action);
    button->setObjectName(QStringLiteral("rbn") + action->objectName());
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setMinimumHeight(48);
    button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    // The button takes the action's own text again whenever the action changes (the
    // delete keys move between commands), so the caption and the key are put back then.
    const auto caption = [button, action] {
        button->setText(ribbonCaption(action->iconText()));
        QString tip = action->toolTip();
        if (!action->shortcut().isEmpty())
            tip += QStringLiteral(" (%1)").arg(action->shortcut().toString(QKeySequence::NativeText));
        button->setToolTip(tip);
    };
    caption();
    connect(action, &QAction::changed, button, caption);
    box->layout()->addWidget(button);
}

void TfrmMain::createWorkoutList(QWidget *parent)
{
    lstProsliTreninzi = new QListWidget(parent);
    lstProsliTreninzi->setObjectName(QStringLiteral("lstProsliTreninzi"));
    lstProsliTreninzi->setSelectionMode(QAbstractItemView::SingleSelection);
    lstProsliTreninzi->setContextMenuPolicy(Qt::CustomContextMenu);
    lstProsliTreninzi->viewport()->installEventFilter(this);
    connect(lstProsliTreninzi, &QListWidget::itemDoubleClicked, this, [this] { mniOpenTraining->trigger(); });
    connect(lstProsliTreninzi, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &position) { m_listMenu->popup(lstProsliTreninzi->viewport()->mapToGlobal(position)); });

    // The pop-up menu; its keys work while the list has the focus.
    m_listMenu = new QMenu(lstProsliTreninzi);
    m_listMenu->setObjectName(QStringLiteral("pmnLista"));
    const auto item = [this](const QString &name, const QString &text, const QKeySequence &key,
                             const std::function<void()> &command) {
        auto *action = new QAction(text, lstProsliTreninzi);
        action->setObjectName(name);
        if (!key.isEmpty()) {
            action->setShortcuts({key});
            action->setShortcutContext(Qt::WidgetShortcut);
            lstProsliTreninzi->addAction(action);
        }
        connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
        m_listMenu->addAction(action);
        return action;
    };
    mniOpenTraining = item("mniOpenTraining", "&View", QKeySequence(Qt::Key_Return), [this] {
        if (const int n = selectedRecord(); n >= 0)
            ShowWorkout(n);
    });
    mniOpenTraining->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    mniSecondWindow = item("mniSecondWindow", "Vie&w in second window", QKeySequence(Qt::CTRL | Qt::Key_Return),
                           [this] { ViewInSecondWindow(); });
    mniSecondWindow->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    m_listMenu->addSeparator();
    mniCut = item("mniCut", "C&ut", QKeySequence(Qt::CTRL | Qt::Key_X), [this] { CutWorkout(); });
    mniCopy = item("mniCopy", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C), [this] { CopyWorkout(); });
    mniPaste = item("mniPaste", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V), [this] { PasteWorkout(); });
    m_listMenu->addSeparator();
    mniDelete = item("mniDelete", "&Delete", {}, [this] { DeleteWorkout(); });
    mniUndo = item("mniUndo", "&Undo deletion", {}, [this] { UndoDeletion(); });
    mniUndo->setEnabled(false);
}

QGroupBox *TfrmMain::createCardioGroup(QWidget *parent)
{
    grbKardio = new QGroupBox(QStringLiteral("Cardio"), parent);
    grbKardio->setObjectName(QStringLiteral("grbKardio"));
    auto *layout = new QVBoxLayout(grbKardio);
    auto *entry = new QHBoxLayout;
    auto *fields = new QFormLayout;
    cmbVrstaKardio = new QComboBox(grbKardio);
    cmbVrstaKardio->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cmbVrstaKardio->setMinimumWidth(140);
    cmbVrstaKardio->setObjectName(QStringLiteral("cmbVrstaKardio"));
    dtpStartTime = new QTimeEdit(grbKardio);
    dtpStartTime->setObjectName(QStringLiteral("dtpStartTime"));
    dtpStartTime->setDisplayFormat(RegionalSettings::current().timeFormat);
    mskTrajanje = createMaskEdit(QStringLiteral("mskTrajanje"), QStringLiteral("00:00"), grbKardio);
    spnUdaljenost = new QSpinBox(grbKardio);
    spnUdaljenost->setObjectName(QStringLiteral("spnUdaljenost"));
    spnUdaljenost->setRange(0, 9999999);
    spnUdaljenost->setSuffix(QStringLiteral(" m"));
    spnKalorije = new QSpinBox(grbKardio);
    spnKalorije->setObjectName(QStringLiteral("spnKalorije"));
    spnKalorije->setRange(0, 10000);
    fields->addRow(QStringLiteral("Type:"), cmbVrstaKardio);
    fields->addRow(QStringLiteral("Start time:"), dtpStartTime);
    fields->addRow(QStringLiteral("Duration:"), mskTrajanje);
    auto *more = new QFormLayout;
    more->addRow(QStringLiteral("Distance:"), spnUdaljenost);
    more->addRow(QStringLiteral("Calories burned:"), spnKalorije);
    bitDodajKardio = new QPushButton(QStringLiteral("Add"), grbKardio);
    bitDodajKardio->setObjectName(QStringLiteral("bitDodajKardio"));
    connect(bitDodajKardio, &QPushButton::clicked, this, [this] { runCommand([this] { bitDodajKardioClick(); }); });
    more->addRow(QString(), bitDodajKardio);
    compactEntry(entry, fields, more);
    layout->addLayout(entry);
    layout->addWidget(m_form.stgKardio);
    grbKardio->installEventFilter(this);
    return grbKardio;
}

QGroupBox *TfrmMain::createExercisesGroup(QWidget *parent)
{
    grbVjezbe = new QGroupBox(QStringLiteral("Exercises"), parent);
    grbVjezbe->setObjectName(QStringLiteral("grbVjezbe"));
    auto *layout = new QVBoxLayout(grbVjezbe);
    auto *entry = new QHBoxLayout;
    auto *fields = new QFormLayout;
    cmbVjezba = new QComboBox(grbVjezbe);
    cmbVjezba->setObjectName(QStringLiteral("cmbVjezba"));
    cmbVjezba->setEditable(true);
    cmbVjezba->setInsertPolicy(QComboBox::NoInsert);
    cmbVjezba->lineEdit()->setMaxLength(ExerciseEntry::NameCapacity);
    cmbVjezba->setMinimumWidth(220);
    cmbTipIzvodjenja = new QComboBox(grbVjezbe);
    cmbTipIzvodjenja->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cmbTipIzvodjenja->setMinimumWidth(140);
    cmbTipIzvodjenja->setObjectName(QStringLiteral("cmbTipIzvodjenja"));
    fields->addRow(QStringLiteral("Exercise:"), cmbVjezba);
    fields->addRow(QStringLiteral("Type of execution:"), cmbTipIzvodjenja);
    auto *more = new QFormLayout;
    spnSerija = new QSpinBox(grbVjezbe);
    spnSerija->setObjectName(QStringLiteral("spnSerija"));
    spnSerija->setRange(1, 500);
    spnPonavljanja = new QSpinBox(grbVjezbe);
    spnPonavljanja->setObjectName(QStringLiteral("spnPonavljanja"));
    spnPonavljanja->setRange(0, 500);
    mskTezina = createMaskEdit(QStringLiteral("mskTezina"), QStringLiteral("0000.00"), grbVjezbe);
    auto *weight = new QHBoxLayout;
    weight->addWidget(mskTezina);
    weight->addWidget(new QLabel(QStringLiteral("kg/lbs"), grbVjezbe));
    more->addRow(QStringLiteral("Sets #:"), spnSerija);
    more->addRow(QStringLiteral("Reps #:"), spnPonavljanja);
    more->addRow(QStringLiteral("Weight used:"), weight);
    bitDodaj = new QPushButton(QStringLiteral("Add"), grbVjezbe);
    bitDodaj->setObjectName(QStringLiteral("bitDodaj"));
    connect(bitDodaj, &QPushButton::clicked, this, [this] { runCommand([this] { bitDodajClick(); }); });
    weight->addSpacing(12);
    weight->addWidget(bitDodaj);
    compactEntry(entry, fields, more);
    layout->addLayout(entry);
    layout->addWidget(m_form.stgVjezbe);
    grbVjezbe->installEventFilter(this);
    return grbVjezbe;
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
    editorLayout->addWidget(createCardioGroup(editor), 1);
    editorLayout->addWidget(createExercisesGroup(editor), 1);

    splitter->addWidget(listPane);
    splitter->addWidget(editor);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({300, 880});
    setCentralWidget(splitter);

    // Tab walks the form from top to bottom, each grid after its entry fields.
    const QList<QWidget *> tabOrder = {lstProsliTreninzi, m_form.dtpDatum, m_form.dtpVrijeme,
                                       m_form.mskTrajanjeTrening, m_form.cmbDioTijela, m_form.cmbTipTreninga,
                                       m_form.memKomentar, cmbVrstaKardio, dtpStartTime, mskTrajanje,
                                       spnUdaljenost, spnKalorije, bitDodajKardio, m_form.stgKardio,
                                       cmbVjezba, cmbTipIzvodjenja, spnSerija, spnPonavljanja, mskTezina,
                                       bitDodaj, m_form.stgVjezbe};
    for (int i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));

    // Del acts on the area last clicked, or moved in with the keyboard. A grid whose
    // current cell changes because it is refilled (a workout shown, a row added) has
    // not been selected by the user and leaves the keys alone.
    const auto onGrid = [this](WorkoutGrid *grid, const std::function<void()> &assign) {
        connect(grid, &QTableWidget::currentCellChanged, this, [grid, assign] {
            if (grid->hasFocus())
                assign();
        });
        connect(grid, &QTableWidget::cellPressed, this, assign);
    };
    onGrid(m_form.stgVjezbe, [this] { assignDeleteKeys(actObrisiRed, actObrisi, actObrisiKardio); });
    onGrid(m_form.stgKardio, [this] { assignDeleteKeys(actObrisiKardio, actObrisiRed, actObrisi); });
    setDefaultAddButton(bitDodaj);
}

void TfrmMain::assignDeleteKeys(QAction *del, QAction *ctrlDel, QAction *altDel)
{
    del->setShortcut(QKeySequence(Qt::Key_Delete));
    ctrlDel->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    altDel->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Delete));
}

void TfrmMain::setDefaultAddButton(QPushButton *button)
{
    m_defaultAddButton = button;
    bitDodaj->setDefault(button == bitDodaj);
    bitDodajKardio->setDefault(button == bitDodajKardio);
}

void TfrmMain::setExerciseWindow(TfrmVjezbe *window)
{
    m_exerciseWindow = window;
    window->startUp(bodyparts(), ExerciseFileName);
    window->fillExerciseChoice(*cmbVjezba);
    addCloseHook([window] { window->closeExerciseFile(); });
}

void TfrmMain::setSecondWindow(TfrmDrugiProzor *window)
{
    m_secondWindow = window;
    window->setListItems(bodyparts(), trainingTypes());
}

// ---------------------------------------------------------------------------
// Start-up and close

void TfrmMain::startUp()
{
    CopyBufferFull = false;
    UndoKind = 0;
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
    fill(cmbVrstaKardio, c.cardioTypes);
    fill(m_form.cmbTipTreninga, c.trainingTypes);
    fill(cmbTipIzvodjenja, c.executionTypes);
    placeWindow(c.top, c.left);
    runCommand([&] { OpenTrainingFile(c.trainingFile); });
    TemplateFileName = c.templateFile;
    ExerciseFileName = c.exerciseFile;
    GoalsFileName = c.goalsFile;
    if (!m_training.isOpen())
        NewWorkout();
}

void TfrmMain::placeWindow(int top, int left)
{
    QPoint position(left, top);
    const QScreen *screen = QGuiApplication::screenAt(position + QPoint(40, 20));
    // A position on no screen (a monitor since removed) moves onto the primary one.
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
        if (screen)
            position = screen->availableGeometry().topLeft() + QPoint(40, 40);
    }
    if (screen) {
        // Keep the whole window on that screen where it fits, at the size it will have
        // when shown: never below the layout's minimum.
        const QRect area = screen->availableGeometry();
        resize(size().expandedTo(minimumSizeHint()).boundedTo(area.size()));
        position.setX(qMax(area.left(), qMin(position.x(), area.right() - width())));
        position.setY(qMax(area.top(), qMin(position.y(), area.bottom() - height())));
    }
    move(position);
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    for (const auto &hook : m_closeHooks)
        runCommand(hook);
    m_training.close();
    writeConfigurationOnClose();
    event->accept();
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
    UndoKind = 0;
    mniUndo->setEnabled(false);
}

void TfrmMain::OpenTrainingFile(const QString &name)
{
    const QString path = ProgramFolder::resolve(name);
    lstProsliTreninzi->clear();
    // An undo remembered from another file must never write into this one.
    clearUndo();
    m_training.open(path);
    TrainingFileName = path;
    const qint64 size = QFileInfo(path).size();
    if (size > 0 && size % kOldRecordSize == 0 && size % WorkoutRecord::Size != 0)
        m_prompts.warning(QStringLiteral("\"%1\" looks like a training file of the older record layout. Convert it with "
                                         "the \"Format converter\" before working with it; read as it is, its "
                                         "workouts will show wrong values.")
                              .arg(QFileInfo(path).fileName()));
    else if (size % WorkoutRecord::Size != 0)
        m_prompts.warning(QStringLiteral("\"%1\" ends with an incomplete workout record (%2 bytes). It is ignored, and "
                                         "the next new workout is saved in its place.")
                              .arg(QFileInfo(path).fileName())
                              .arg(size % WorkoutRecord::Size));
    int damaged = 0;
    FillWorkoutList(&damaged);
    if (damaged > 0)
        m_prompts.warning(QStringLiteral("%1 workout(s) of \"%2\" claim more than 20 cardio or exercise rows, so the file "
                                         "is damaged. They are shown with their first 20 rows; saving such a workout "
                                         "stores those.")
                              .arg(damaged)
                              .arg(QFileInfo(path).fileName()));
    NewWorkout();
}

void TfrmMain::RunScriptFile(const QString &path)
{
    // A script holds the window until it ends; after a moment a small dialog offers
    // Esc (or its button) to stop it.
    QProgressDialog running(QStringLiteral("Running %1...").arg(QFileInfo(path).fileName()), QStringLiteral("Stop"), 0, 0,
                            this);
    running.setWindowModality(Qt::WindowModal);
    running.setMinimumDuration(700);
    running.setValue(0);
    m_scriptHost->setStopCheck([&running] {
        // User input waits until the modal dialog is up, so no other command can run
        // in the middle of the script.
        QCoreApplication::processEvents(running.isVisible() ? QEventLoop::AllEvents
                                                            : QEventLoop::ExcludeUserInputEvents);
        return running.wasCanceled();
    });
    const auto clearStopCheck = qScopeGuard([this] { m_scriptHost->setStopCheck({}); });
    m_interpreter->RunScript(path);
}

void TfrmMain::NewTrainingFile()
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

void TfrmMain::OpenTrainingFileDialog()
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
    auto dialog = std::make_shared<QProgressDialog>(label, QString(), 0, 100, this);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(400);
    dialog->setAutoClose(true);
    return [dialog](qint64 done, qint64 total) {
        dialog->setMaximum(int(qMax<qint64>(total, 1)));
        dialog->setValue(int(qMin(done, total)));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

void TfrmMain::FillWorkoutList(int *damaged)
{
    lstProsliTreninzi->clear();
    requireTrainingFile();
    const QStringList lines =
        WorkoutList::build(m_training, trainingTypes(), progress(QStringLiteral("Reading workouts...")), damaged);
    lstProsliTreninzi->addItems(lines);
}

QStringList TfrmMain::workoutLines() const
{
    QStringList lines;
    lines.reserve(lstProsliTreninzi->count());
    for (int i = 0; i < lstProsliTreninzi->count(); ++i)
        lines << lstProsliTreninzi->item(i)->text();
    return lines;
}

int TfrmMain::selectedLine() const
{
    const QList<QListWidgetItem *> selected = lstProsliTreninzi->selectedItems();
    return selected.isEmpty() ? -1 : lstProsliTreninzi->row(selected.constFirst());
}

void TfrmMain::selectLine(int line)
{
    if (line < 0 || line >= lstProsliTreninzi->count()) {
        lstProsliTreninzi->clearSelection();
        return;
    }
    lstProsliTreninzi->setCurrentRow(line);
    lstProsliTreninzi->item(line)->setSelected(true);
}

namespace {
QStringList comboItems(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}
}

QStringList TfrmMain::trainingTypes() const
{
    return comboItems(m_form.cmbTipTreninga);
}

QStringList TfrmMain::cardioTypes() const
{
    return comboItems(cmbVrstaKardio);
}

QStringList TfrmMain::bodyparts() const
{
    return comboItems(m_form.cmbDioTijela);
}

int TfrmMain::selectedRecord() const
{
    const int line = selectedLine();
    if (line < 0 || WorkoutList::isSeparator(lstProsliTreninzi->item(line)->text()))
        return -1;
    int record = -1;
    for (int k = 0; k <= line; ++k)
        if (!WorkoutList::isSeparator(lstProsliTreninzi->item(k)->text()))
            ++record;
    return record;
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
    WorkoutRecord r;
    r.Date = DayCount::fromDateTime(m_form.dtpDatum->date(), m_form.dtpDatum->time());
    r.StartTime = DayCount::fromTime(m_form.dtpVrijeme->time());
    r.Duration = DurationFromMaskText(maskText(m_form.mskTrajanjeTrening));
    r.Bodypart = m_form.cmbDioTijela->currentText();
    const int type = m_form.cmbTipTreninga->currentIndex();
    r.TrainingType = type >= 0 ? quint8(qMin(type, 255)) : m_formTrainingType;
    r.Comment = m_form.memKomentar->toPlainText();
    for (int row = 1; row <= m_form.stgKardio->entryCount(); ++row)
        r.Cardio.append(RowTexts::readCardio(m_form.stgKardio->cells(row)));
    for (int row = 1; row <= m_form.stgVjezbe->entryCount(); ++row)
        r.Exercises.append(RowTexts::readExercise(m_form.stgVjezbe->cells(row)));
    if (r.Cardio.size() > WorkoutRecord::MaxRows || r.Exercises.size() > WorkoutRecord::MaxRows)
        throw ConversionError(QStringLiteral("A workout holds at most %1 cardio rows and %1 exercise rows.")
                                  .arg(WorkoutRecord::MaxRows));
    return r;
}

QList<QStringList> TfrmMain::exerciseGridRows()
{
    QList<QStringList> rows;
    for (int row = 1; row <= m_form.stgVjezbe->entryCount(); ++row)
        rows << m_form.stgVjezbe->cells(row);
    return rows;
}

void TfrmMain::SaveWorkout()
{
    const int remembered = selectedLine();
    const WorkoutRecord record = formWorkout();
    trainingFile().WriteRecord(CurrentRecordIndex, record);
    FillWorkoutList();
    selectLine(remembered >= 0 ? remembered : lstProsliTreninzi->count() - 1);
}

void TfrmMain::NewWorkout()
{
    m_form.dtpDatum->setDate(QDate::currentDate());
    m_form.dtpVrijeme->setTime(QTime(0, 0));
    m_form.mskTrajanjeTrening->setText(QStringLiteral("00:00"));
    m_form.cmbDioTijela->setCurrentIndex(m_form.cmbDioTijela->count() > 0 ? 0 : -1);
    m_form.cmbTipTreninga->setCurrentIndex(m_form.cmbTipTreninga->count() > 0 ? 0 : -1);
    m_formTrainingType = 0;
    m_form.memKomentar->clear();
    cmbVrstaKardio->setCurrentIndex(cmbVrstaKardio->count() > 0 ? 0 : -1);
    dtpStartTime->setTime(QTime(0, 0));
    mskTrajanje->setText(QStringLiteral("00:00"));
    spnUdaljenost->setValue(0);
    spnKalorije->setValue(0);
    m_form.stgKardio->clearEntries();
    cmbVjezba->setEditText(QString());
    cmbTipIzvodjenja->setCurrentIndex(cmbTipIzvodjenja->count() > 0 ? 0 : -1);
    spnSerija->setValue(1);
    spnPonavljanja->setValue(1);
    mskTezina->setText(QStringLiteral("0000.00"));
    m_form.stgVjezbe->clearEntries();
    CurrentRecordIndex = m_training.isOpen() ? m_training.RecordCount() : 0;
}

void TfrmMain::DeleteWorkout()
{
    const int n = selectedRecord();
    if (n < 0)
        return;
    if (m_prompts.confirm(QStringLiteral("Do your want to delete selected workout?")) != UserPrompts::Answer::Yes)
        return;
    const WorkoutRecord record = trainingFile().ReadRecord(n);
    CurrentRecordIndex = n;
    m_training.RemoveRecord(n, progress(QStringLiteral("Deleting the workout...")));
    UndoKind = 1;
    mniUndo->setEnabled(true);
    UndoRecordNumber = n;
    UndoRecord = record;
    FillWorkoutList();
    NewWorkout();
}

void TfrmMain::UndoDeletion()
{
    switch (UndoKind) {
    case 0:
        m_prompts.message(QStringLiteral("There is no deletion to undo."));
        return;
    case 1: {
        const int count = trainingFile().RecordCount();
        const int at = qMin(UndoRecordNumber, count);
        m_training.InsertRecord(at, UndoRecord, progress(QStringLiteral("Restoring the workout...")));
        // The save position keeps designating the same workout.
        if (CurrentRecordIndex >= at)
            ++CurrentRecordIndex;
        FillWorkoutList();
        break;
    }
    case 2:
        // A row put back lands at its old place, or last when the grid has shrunk since.
        m_form.stgVjezbe->insertEntry(qMin(UndoExerciseRow, m_form.stgVjezbe->entryCount() + 1),
                                      RowTexts::exerciseCells(UndoExercise, 0, RowTexts::Numbers::Exact));
        break;
    case 3:
        m_form.stgKardio->insertEntry(qMin(UndoCardioRow, m_form.stgKardio->entryCount() + 1),
                                      RowTexts::cardioCells(UndoCardio, 0, RowTexts::Numbers::Exact));
        break;
    }
    clearUndo();
}

void TfrmMain::CopyWorkout()
{
    const WorkoutRecord record = formWorkout();
    CopyBuffer = record;
    CopyBufferFull = true;
}

void TfrmMain::PasteWorkout()
{
    if (!CopyBufferFull) {
        m_prompts.error(QStringLiteral("Clipboard is empty."));
        return;
    }
    m_formTrainingType = CopyBuffer.TrainingType;
    m_form.show(CopyBuffer);
}

void TfrmMain::CutWorkout()
{
    CopyWorkout();
    DeleteWorkout();
}

void TfrmMain::ViewInSecondWindow()
{
    const int n = selectedRecord();
    if (!m_secondWindow || n < 0)
        return;
    m_secondWindow->view(trainingFile().ReadRecord(n), lstProsliTreninzi->item(selectedLine())->text());
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

void TfrmMain::bitDodajClick()
{
    if (m_form.stgVjezbe->entryCount() >= WorkoutRecord::MaxRows) {
        m_prompts.warning(QStringLiteral("A workout holds at most %1 exercise rows.").arg(WorkoutRecord::MaxRows));
        return;
    }
    RowTexts::requireFits(spnSerija->value(), 255, QStringLiteral("Number of sets"));
    RowTexts::requireFits(spnPonavljanja->value(), 255, QStringLiteral("Number of reps"));
    ExerciseEntry e;
    e.Name = cmbVjezba->currentText().left(ExerciseEntry::NameCapacity);
    e.ExecutionType = cmbTipIzvodjenja->currentText().left(ExerciseEntry::ExecutionTypeCapacity);
    e.Sets = quint8(spnSerija->value());
    e.Reps = quint8(spnPonavljanja->value());
    e.Weight = WeightFromMaskText(maskText(mskTezina));
    AddExerciseRow(e);
}

void TfrmMain::bitDodajKardioClick()
{
    if (m_form.stgKardio->entryCount() >= WorkoutRecord::MaxRows) {
        m_prompts.warning(QStringLiteral("A workout holds at most %1 cardio rows.").arg(WorkoutRecord::MaxRows));
        return;
    }
    RowTexts::requireFits(spnUdaljenost->value(), 65535, QStringLiteral("Distance"));
    CardioEntry c;
    c.CardioType = cmbVrstaKardio->currentText().left(CardioEntry::TypeCapacity);
    c.StartTime = DayCount::fromTime(dtpStartTime->time());
    c.Duration = DurationFromMaskText(maskText(mskTrajanje));
    c.Distance = quint16(spnUdaljenost->value());
    c.Calories = quint16(spnKalorije->value());
    AddCardioRow(c);
}

namespace {
// Deletes the current row of a grid after reading it back (a row that does not read is
// reported and nothing changes). Returns false when the grid has no entries.
template <typename Entry>
bool deleteCurrentRow(WorkoutGrid *grid, Entry (*read)(const QStringList &), int &row, Entry &entry)
{
    if (grid->entryCount() == 0)
        return false;
    const int r = grid->currentGridRow();
    entry = read(grid->cells(r));
    row = r;
    grid->removeEntry(r);
    return true;
}
}

void TfrmMain::actObrisiRedExecute()
{
    if (deleteCurrentRow(m_form.stgVjezbe, &RowTexts::readExercise, UndoExerciseRow, UndoExercise))
        UndoKind = 2;
}

void TfrmMain::actObrisiKardioExecute()
{
    if (deleteCurrentRow(m_form.stgKardio, &RowTexts::readCardio, UndoCardioRow, UndoCardio))
        UndoKind = 3;
}

// ---------------------------------------------------------------------------
// Events

void TfrmMain::onListPressed(const QPoint &position)
{
    QListWidgetItem *item = lstProsliTreninzi->itemAt(position);
    if (!item) {
        lstProsliTreninzi->clearSelection();
        lstProsliTreninzi->setCurrentRow(-1);
        return;
    }
    lstProsliTreninzi->setCurrentItem(item);
    item->setSelected(true);
    if (WorkoutList::isSeparator(item->text()))
        return;
    lstProsliTreninzi->setToolTip(item->text());
    assignDeleteKeys(actObrisi, actObrisiRed, actObrisiKardio);
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (lstProsliTreninzi && watched == lstProsliTreninzi->viewport() && event->type() == QEvent::MouseButtonPress) {
        onListPressed(static_cast<QMouseEvent *>(event)->position().toPoint());
        return false;
    }
    if (event->type() == QEvent::Enter) {
        if (watched == grbKardio)
            setDefaultAddButton(bitDodajKardio);
        else if (watched == grbVjezbe)
            setDefaultAddButton(bitDodaj);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::keyPressEvent(QKeyEvent *event)
{
    // Enter that no control took presses the button that has the focus, otherwise the
    // default "Add" button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier
        && m_defaultAddButton) {
        if (auto *focused = qobject_cast<QAbstractButton *>(focusWidget()))
            focused->click();
        else
            m_defaultAddButton->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}
