#include "config/Postavke.h"

#include "common/CommandGuard.h"
#include "common/ProgramFolder.h"
#include "common/UserPrompts.h"
#include "config/ColorChooser.h"
#include "config/ConfigKeys.h"
#include "config/IniFile.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString ListsHeading = QStringLiteral("Lists");
const QString DataFilter = QStringLiteral("Data files (*.dat)|*.dat");

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

struct ListSpec {
    const char *page, *caption, *entry, *add, *del, *list;
    const ConfigKeys::Key &key;
};
const ListSpec ListSpecs[4] = {
    {"grbBodypart", "Bodypart", "ledBodypart", "bitAdd1", "bitDel1", "lstBodypart", ConfigKeys::Bodypart},
    {"grbCardio", "Type of cardio", "ledCardio", "bitAdd2", "bitDel2", "lstCardio", ConfigKeys::TypeCardio},
    {"grbTraining", "Type of training", "ledTraining", "bitAdd3", "bitDel3", "lstTraining", ConfigKeys::TypeTraining},
    {"grbExecution", "Type of execution", "ledExecution", "bitAdd4", "bitDel4", "lstExecution",
     ConfigKeys::TypeExecution},
};
}

TfrmPostavke::TfrmPostavke(UserPrompts &prompts, QWidget *parent) : QDialog(parent), m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmPostavke"));
    setWindowTitle(QStringLiteral("Settings"));
    buildControls();
    resize(600, 420);
}

TfrmPostavke::~TfrmPostavke() = default;

void TfrmPostavke::buildControls()
{
    lblImena = named(new QLabel(this), "lblImena");
    lblImena->setStyleSheet(QStringLiteral("QLabel { background-color: #1f4e9c; color: white; font-weight: bold;"
                                           " font-size: 12pt; padding: 6px; }"));

    auto *pages = new QVBoxLayout;
    pnlFiles = buildFilesPage();
    pages->addWidget(pnlFiles);
    for (int n = 0; n < 4; ++n) {
        const ListSpec &spec = ListSpecs[n];
        m_lists[n] = buildListPage(n, spec.page, QString::fromLatin1(spec.caption), spec.entry, spec.list);
        pages->addWidget(m_lists[n].page);
    }
    pnlEditor = buildEditorPage();
    pages->addWidget(pnlEditor);

    bitOk = named(new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this), "bitOk");
    bitCancel = named(new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this),
                      "bitCancel");
    bitOk->setDefault(true);
    connect(bitOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(bitCancel, &QPushButton::clicked, this, &TfrmPostavke::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bitOk);
    buttons->addWidget(bitCancel);

    auto *right = new QVBoxLayout;
    right->addWidget(lblImena);
    right->addLayout(pages, 1);
    right->addLayout(buttons);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(buildTree());
    layout->addLayout(right, 1);
}

QTreeWidget *TfrmPostavke::buildTree()
{
    trvDrvo = named(new QTreeWidget(this), "trvDrvo");
    trvDrvo->setHeaderHidden(true);
    trvDrvo->setColumnCount(1);
    trvDrvo->setFixedWidth(160);
    QStyle *s = style();
    m_filesNode = new QTreeWidgetItem(trvDrvo, {QStringLiteral("Files")});
    m_filesNode->setIcon(0, s->standardIcon(QStyle::SP_DirIcon));
    m_listsNode = new QTreeWidgetItem(trvDrvo, {ListsHeading});
    m_listsNode->setIcon(0, s->standardIcon(QStyle::SP_FileDialogListView));
    for (int n = 0; n < 4; ++n) {
        m_listNodes[n] = new QTreeWidgetItem(m_listsNode, {m_lists[n].page->title()});
        m_listNodes[n]->setIcon(0, s->standardIcon(QStyle::SP_FileDialogDetailedView));
    }
    m_editorNode = new QTreeWidgetItem(trvDrvo, {QStringLiteral("Script editor")});
    m_editorNode->setIcon(0, s->standardIcon(QStyle::SP_FileDialogContentsView));
    // Always fully expanded: nothing can fold the lists away.
    trvDrvo->expandAll();
    trvDrvo->setItemsExpandable(false);
    trvDrvo->setRootIsDecorated(false);
    trvDrvo->installEventFilter(this);
    connect(trvDrvo, &QTreeWidget::currentItemChanged, this, [this] { trvDrvoClick(); });
    return trvDrvo;
}

QWidget *TfrmPostavke::buildFilesPage()
{
    auto *page = named(new QWidget(this), "pnlFiles");
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DialogOpenButton);
    auto row = [&](const char *fieldName, const QString &label, const char *buttonName, const QString &hint) {
        auto *field = named(new QLineEdit(page), fieldName);
        auto *button = named(new QPushButton(openIcon, QString(), page), buttonName);
        button->setToolTip(hint);
        auto *caption = new QLabel(label, page);
        caption->setBuddy(field);
        auto *line = new QHBoxLayout;
        line->addWidget(field, 1);
        line->addWidget(button);
        layout->addWidget(caption);
        layout->addLayout(line);
        return std::pair{field, button};
    };
    std::tie(ledTrainingFile, bitOpenTraining) =
        row("ledTrainingFile", QStringLiteral("Training file:"), "bitOpenTraining", QStringLiteral("Open training file"));
    std::tie(ledTemplateFile, bitOpenTemplate) = row("ledTemplateFile", QStringLiteral("HTML template file:"),
                                                     "bitOpenTemplate", QStringLiteral("Open template file"));
    std::tie(ledVjezbe, bitVjezbe) =
        row("ledVjezbe", QStringLiteral("Exercise list file:"), "bitVjezbe", QStringLiteral("Open exercise file"));
    layout->addStretch();
    connect(bitOpenTraining, &QPushButton::clicked, this, &TfrmPostavke::bitOpenTrainingClick);
    connect(bitOpenTemplate, &QPushButton::clicked, this, &TfrmPostavke::bitOpenTemplateClick);
    connect(bitVjezbe, &QPushButton::clicked, this, &TfrmPostavke::bitVjezbeClick);
    return page;
}

TfrmPostavke::ListPage TfrmPostavke::buildListPage(int n, const char *pageName, const QString &caption,
                                                   const char *entryName, const char *listName)
{
    ListPage p;
    p.page = named(new QGroupBox(caption, this), pageName);
    p.entry = named(new QLineEdit(p.page), entryName);
    p.add = named(new QPushButton(QStringLiteral("Add"), p.page), ListSpecs[n].add);
    p.add->setToolTip(QStringLiteral("Add item"));
    p.del = named(new QPushButton(QStringLiteral("Delete"), p.page), ListSpecs[n].del);
    p.del->setToolTip(QStringLiteral("Delete item"));
    p.list = named(new QListWidget(p.page), listName);
    p.list->setSelectionMode(QAbstractItemView::SingleSelection);
    auto *note = new QLabel(
        QStringLiteral("The list contains current items. Use buttons and form above to change its contents."), p.page);
    note->setWordWrap(true);

    auto *label = new QLabel(QStringLiteral("New entry:"), p.page);
    label->setBuddy(p.entry);
    auto *entryRow = new QHBoxLayout;
    entryRow->addWidget(p.entry, 1);
    entryRow->addWidget(p.add);
    entryRow->addWidget(p.del);
    auto *layout = new QVBoxLayout(p.page);
    layout->addWidget(label);
    layout->addLayout(entryRow);
    layout->addWidget(p.list, 1);
    layout->addWidget(note);
    connect(p.add, &QPushButton::clicked, this, [this, n] { addEntry(n); });
    connect(p.entry, &QLineEdit::textChanged, this, &TfrmPostavke::updateDefaultButton);
    p.entry->installEventFilter(this); // its focus decides which button Enter presses
    connect(p.del, &QPushButton::clicked, this, [this, n] { deleteEntry(n); });
    return p;
}

QWidget *TfrmPostavke::buildEditorPage()
{
    auto *page = named(new QWidget(this), "pnlEditor");
    auto *opening = new QGroupBox(QStringLiteral("Upon opening"), page);
    rdbKeepPrevious = named(new QRadioButton(QStringLiteral("Keep previous"), opening), "rdbKeepPrevious");
    rdbClearEditor = named(new QRadioButton(QStringLiteral("Clear editor"), opening), "rdbClearEditor");
    rdbRunWizard = named(new QRadioButton(QStringLiteral("Run wizard"), opening), "rdbRunWizard");
    m_opening = new QButtonGroup(this);
    auto *openingLayout = new QVBoxLayout(opening);
    for (QRadioButton *button : {rdbKeepPrevious, rdbClearEditor, rdbRunWizard}) {
        m_opening->addButton(button);
        openingLayout->addWidget(button);
    }

    auto *colors = new QGroupBox(QStringLiteral("Syntax colors"), page);
    clbKljucne = named(new ColorChooser(colors), "clbKljucne");
    clbStringovi = named(new ColorChooser(colors), "clbStringovi");
    clbFunkcije = named(new ColorChooser(colors), "clbFunkcije");
    auto *colorLayout = new QFormLayout(colors);
    colorLayout->addRow(QStringLiteral("Keywords:"), clbKljucne);
    colorLayout->addRow(QStringLiteral("Strings:"), clbStringovi);
    colorLayout->addRow(QStringLiteral("Built-in functions:"), clbFunkcije);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(opening);
    layout->addWidget(colors);
    layout->addStretch();
    return page;
}

bool TfrmPostavke::showModal()
{
    return exec() == QDialog::Accepted;
}

void TfrmPostavke::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        load();
        m_shown = shownState();
    }
}

void TfrmPostavke::reject()
{
    if (m_shown)
        restore(*m_shown);
    QDialog::reject();
}

void TfrmPostavke::load()
{
    runGuarded(m_prompts, [this] {
        const IniFile ini(ProgramFolder::configFile());
        for (int n = 0; n < 4; ++n) {
            m_lists[n].entry->clear();
            setListItems(m_lists[n].list, ConfigKeys::readList(ini, ListSpecs[n].key));
        }
        ledTrainingFile->setText(ConfigKeys::readText(ini, ConfigKeys::TrainingFile));
        ledTemplateFile->setText(ConfigKeys::readText(ini, ConfigKeys::HtmlTemplateFile));
        ledVjezbe->setText(ConfigKeys::readText(ini, ConfigKeys::ExerciseFile));
        // A code other than 0, 1 and 2 leaves the buttons as they are.
        switch (ConfigKeys::readInteger(ini, ConfigKeys::UponOpening)) {
        case 0:
            setOpeningChoice(OpeningChoice::KeepPrevious);
            break;
        case 1:
            setOpeningChoice(OpeningChoice::ClearEditor);
            break;
        case 2:
            setOpeningChoice(OpeningChoice::RunWizard);
            break;
        }
        // A colour that does not read ends the Load here, with the message.
        clbKljucne->setColor(TextToColor(ConfigKeys::readText(ini, ConfigKeys::ColorKeywords)));
        clbStringovi->setColor(TextToColor(ConfigKeys::readText(ini, ConfigKeys::ColorStrings)));
        clbFunkcije->setColor(TextToColor(ConfigKeys::readText(ini, ConfigKeys::ColorFunctions)));
        trvDrvo->setCurrentItem(m_filesNode);
        trvDrvoClick();
    });
}

void TfrmPostavke::trvDrvoClick()
{
    QTreeWidgetItem *node = trvDrvo->currentItem();
    if (!node)
        return;
    if (node == m_listsNode) {
        trvDrvo->setCurrentItem(m_listNodes[0]); // shows the page through the change signal
        // A mouse click selects the clicked node after this change: select "Bodypart"
        // again once the click is done, so the highlight follows the page.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (QTreeWidgetItem *current = trvDrvo->currentItem())
                    trvDrvo->setCurrentItem(current);
            },
            Qt::QueuedConnection);
        return;
    }
    lblImena->setText(node->parent() == m_listsNode ? ListsHeading : node->text(0));
    pnlFiles->hide();
    pnlEditor->hide();
    for (const ListPage &p : m_lists)
        p.page->hide();
    if (node == m_filesNode)
        pnlFiles->show();
    else if (node == m_editorNode)
        pnlEditor->show();
    for (int n = 0; n < 4; ++n)
        if (node == m_listNodes[n])
            m_lists[n].page->show();
}

bool TfrmPostavke::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) && qobject_cast<QLineEdit *>(watched))
        updateDefaultButton();
    // Up from "Bodypart" passes over "Lists", which would only send the user back down.
    if (watched == trvDrvo && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Up && static_cast<QKeyEvent *>(event)->modifiers() == 0
        && trvDrvo->currentItem() == m_listNodes[0]) {
        trvDrvo->setCurrentItem(m_filesNode);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmPostavke::updateDefaultButton()
{
    // Enter in a "New entry:" field that holds text adds the entry; elsewhere it is OK.
    for (const ListPage &p : m_lists) {
        if (p.entry && p.entry->hasFocus() && !p.entry->text().isEmpty()) {
            p.add->setDefault(true);
            return;
        }
    }
    if (bitOk)
        bitOk->setDefault(true);
}

void TfrmPostavke::addEntry(int list)
{
    ListPage &p = m_lists[list];
    const QString text = p.entry->text();
    // A comma would split the entry in two once the list is stored and read back.
    if (text.contains(QLatin1Char(','))) {
        m_prompts.warning(QStringLiteral("An entry cannot contain a comma."));
        return;
    }
    p.list->addItem(text);
    p.list->scrollToBottom();
    p.entry->clear();
}

void TfrmPostavke::deleteEntry(int list)
{
    const QList<QListWidgetItem *> selected = m_lists[list].list->selectedItems();
    if (!selected.isEmpty())
        delete selected.constFirst();
}

void TfrmPostavke::chooseFile(QLineEdit *field, const QString &title, const QString &filter, const QString &extension,
                              bool mustExist)
{
    UserPrompts::FileDialog dialog{title, filter, extension, ProgramFolder::resolve(field->text()), mustExist, false};
    const QString chosen = m_prompts.openFileName(dialog);
    if (!chosen.isEmpty())
        field->setText(chosen);
}

void TfrmPostavke::bitOpenTrainingClick()
{
    chooseFile(ledTrainingFile, QStringLiteral("Open training file"), DataFilter, QStringLiteral("dat"), false);
}

void TfrmPostavke::bitOpenTemplateClick()
{
    chooseFile(ledTemplateFile, QStringLiteral("Open HTML template file"), QStringLiteral("HTML files (*.html)|*.html"),
               QStringLiteral("html"), true);
}

void TfrmPostavke::bitVjezbeClick()
{
    chooseFile(ledVjezbe, QStringLiteral("Open exercise file"), DataFilter, QStringLiteral("dat"), false);
}

void TfrmPostavke::setListItems(QListWidget *list, const QStringList &items)
{
    list->clear();
    list->addItems(items);
}

QStringList TfrmPostavke::listItems(const QListWidget *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

OpeningChoice TfrmPostavke::openingChoice() const
{
    if (rdbKeepPrevious->isChecked())
        return OpeningChoice::KeepPrevious;
    if (rdbClearEditor->isChecked())
        return OpeningChoice::ClearEditor;
    if (rdbRunWizard->isChecked())
        return OpeningChoice::RunWizard;
    return OpeningChoice::NoneSelected;
}

void TfrmPostavke::setOpeningChoice(OpeningChoice choice)
{
    switch (choice) {
    case OpeningChoice::KeepPrevious:
        rdbKeepPrevious->setChecked(true);
        break;
    case OpeningChoice::ClearEditor:
        rdbClearEditor->setChecked(true);
        break;
    case OpeningChoice::RunWizard:
        rdbRunWizard->setChecked(true);
        break;
    case OpeningChoice::NoneSelected:
        // An exclusive group keeps one button checked; let go of it for the moment.
        m_opening->setExclusive(false);
        for (QAbstractButton *button : m_opening->buttons())
            button->setChecked(false);
        m_opening->setExclusive(true);
        break;
    }
}

ColorValue TfrmPostavke::keywordColor() const
{
    return clbKljucne->color();
}

ColorValue TfrmPostavke::stringColor() const
{
    return clbStringovi->color();
}

ColorValue TfrmPostavke::functionColor() const
{
    return clbFunkcije->color();
}

SettingsValues TfrmPostavke::values() const
{
    SettingsValues v;
    v.trainingFile = ledTrainingFile->text();
    v.templateFile = ledTemplateFile->text();
    v.exerciseFile = ledVjezbe->text();
    v.bodyparts = listItems(m_lists[0].list);
    v.cardioTypes = listItems(m_lists[1].list);
    v.trainingTypes = listItems(m_lists[2].list);
    v.executionTypes = listItems(m_lists[3].list);
    v.uponOpening = uponOpeningCode(openingChoice());
    v.keywordColor = keywordColor();
    v.stringColor = stringColor();
    v.functionColor = functionColor();
    return v;
}

TfrmPostavke::Shown TfrmPostavke::shownState() const
{
    return {values(), openingChoice()};
}

void TfrmPostavke::restore(const Shown &state)
{
    const SettingsValues &v = state.values;
    const QStringList *lists[4] = {&v.bodyparts, &v.cardioTypes, &v.trainingTypes, &v.executionTypes};
    for (int n = 0; n < 4; ++n) {
        m_lists[n].entry->clear();
        setListItems(m_lists[n].list, *lists[n]);
    }
    ledTrainingFile->setText(v.trainingFile);
    ledTemplateFile->setText(v.templateFile);
    ledVjezbe->setText(v.exerciseFile);
    setOpeningChoice(state.choice);
    clbKljucne->setColor(v.keywordColor);
    clbStringovi->setColor(v.stringColor);
    clbFunkcije->setColor(v.functionColor);
}

void RunSettingsCommand(TfrmPostavke &window, UserPrompts &prompts)
{
    if (!window.showModal())
        return;
    runGuarded(prompts, [&] {
        IniFile ini(ProgramFolder::configFile());
        WriteSettings(ini, window.values());
        prompts.information(RestartMessage());
    });
}
