#include "editor/Wizard.h"

#include "common/CommandGuard.h"
#include "common/UserPrompts.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
QWidget *createPage(const char *name, const QString &text, QWidget *parent, QVBoxLayout *&layout)
{
    auto *page = new QWidget(parent);
    page->setObjectName(QLatin1String(name));
    layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(text, page);
    label->setWordWrap(true);
    layout->addWidget(label);
    return page;
}

QLineEdit *labelledEdit(const char *name, const QString &label, QWidget *page, QVBoxLayout *layout)
{
    auto *edit = new QLineEdit(page);
    edit->setObjectName(QLatin1String(name));
    auto *caption = new QLabel(label, page);
    caption->setBuddy(edit);
    layout->addWidget(caption);
    layout->addWidget(edit);
    return edit;
}
}

TfrmWizard::TfrmWizard(UserPrompts &prompts, QWidget *parent) : QDialog(parent), m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmWizard"));
    setWindowTitle(QStringLiteral("Fortavo script wizard"));
    setModal(true);

    QVBoxLayout *layout = nullptr;
    pnlFileName = createPage("pnlFileName",
                             QStringLiteral("Welcome to the Fortavo Script Wizard! Using this tool, you can easily "
                                            "create rudimentary code for a new script! "),
                             this, layout);
    ledFileName = labelledEdit("ledFileName", QStringLiteral("First, write the name of your script (also used as file name):"),
                               pnlFileName, layout);
    layout->addStretch();

    pnlInclude = createPage("pnlInclude", QStringLiteral("New, select files to include in your script:"), this, layout);
    lstInclude = new QListWidget(pnlInclude);
    lstInclude->setObjectName(QStringLiteral("lstInclude"));
    bitAdd = new QPushButton(QStringLiteral("&Add"), pnlInclude);
    bitAdd->setObjectName(QStringLiteral("bitAdd"));
    bitAdd->setToolTip(QStringLiteral("Add file to include"));
    bitDelete = new QPushButton(QStringLiteral("&Delete"), pnlInclude);
    bitDelete->setObjectName(QStringLiteral("bitDelete"));
    bitDelete->setToolTip(QStringLiteral("Delete selected item"));
    auto *listRow = new QHBoxLayout;
    listRow->addWidget(lstInclude, 1);
    auto *listButtons = new QVBoxLayout;
    listButtons->addWidget(bitAdd);
    listButtons->addWidget(bitDelete);
    listButtons->addStretch();
    listRow->addLayout(listButtons);
    layout->addLayout(listRow);

    pnlVarijable = createPage("pnlVarijable",
                              QStringLiteral("It's time to name some variables for your script. Write them down and "
                                             "separate with commas (,)."),
                              this, layout);
    ledVars = labelledEdit("ledVars", QStringLiteral("Number variables:"), pnlVarijable, layout);
    ledStrs = labelledEdit("ledStrs", QStringLiteral("String variables:"), pnlVarijable, layout);
    layout->addStretch();

    btnBack = new QPushButton(QStringLiteral("< Back"), this);
    btnBack->setObjectName(QStringLiteral("btnBack"));
    btnNext = new QPushButton(QStringLiteral("Next >"), this);
    btnNext->setObjectName(QStringLiteral("btnNext"));
    btnNext->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    // Only Next answers Enter, whichever button has the focus (Esc stays with Cancel).
    for (QPushButton *button : {bitAdd, bitDelete, btnBack, btnCancel})
        button->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnBack);
    buttons->addWidget(btnNext);
    buttons->addWidget(btnCancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(pnlFileName);
    main->addWidget(pnlInclude);
    main->addWidget(pnlVarijable);
    main->addLayout(buttons);

    connect(ledFileName, &QLineEdit::textChanged, this, [this](const QString &text) { btnNext->setEnabled(!text.isEmpty()); });
    connect(btnNext, &QPushButton::clicked, this, &TfrmWizard::btnNextClick);
    connect(btnBack, &QPushButton::clicked, this, &TfrmWizard::btnBackClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(bitAdd, &QPushButton::clicked, this, [this] { runGuarded(m_prompts, [this] { bitAddClick(); }); });
    connect(bitDelete, &QPushButton::clicked, this, &TfrmWizard::bitDeleteClick);
    resize(480, 300);
    FormShow();
}

std::optional<WizardAnswers> TfrmWizard::ask(const FinishCheck &mayFinish)
{
    m_mayFinish = mayFinish;
    const int result = exec();
    m_mayFinish = {};
    if (result != QDialog::Accepted)
        return std::nullopt;
    return answers();
}

WizardAnswers TfrmWizard::answers() const
{
    WizardAnswers a;
    a.name = ledFileName->text();
    for (int i = 0; i < lstInclude->count(); ++i)
        a.includes.append(lstInclude->item(i)->text());
    a.numberVariables = ledVars->text();
    a.stringVariables = ledStrs->text();
    return a;
}

void TfrmWizard::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TfrmWizard::FormShow()
{
    showPage(1);
    btnNext->setText(QStringLiteral("Next >"));
    btnBack->setEnabled(false);
    ledFileName->clear();
    btnNext->setEnabled(false);
    lstInclude->clear();
    m_includeFileName.clear();
    ledVars->clear();
    ledStrs->clear();
    ledFileName->setFocus();
}

void TfrmWizard::showPage(int page)
{
    pnlFileName->setVisible(page == 1);
    pnlInclude->setVisible(page == 2);
    pnlVarijable->setVisible(page == 3);
    // The page's own field takes the focus, so it never falls on a button by chance.
    (page == 1 ? static_cast<QWidget *>(ledFileName) : page == 2 ? static_cast<QWidget *>(lstInclude) : ledVars)->setFocus();
}

int TfrmWizard::page() const
{
    return pnlVarijable->isVisibleTo(this) ? 3 : pnlInclude->isVisibleTo(this) ? 2 : 1;
}

void TfrmWizard::btnNextClick()
{
    btnBack->setEnabled(true);
    switch (page()) {
    case 1: showPage(2); break;
    case 2:
        showPage(3);
        btnNext->setText(QStringLiteral("Finish"));
        break;
    default:
        if (!m_mayFinish || m_mayFinish(answers()))
            accept();
        break;
    }
}

void TfrmWizard::btnBackClick()
{
    const int current = page();
    if (current == 3)
        showPage(2);
    else if (current == 2) {
        showPage(1);
        btnBack->setEnabled(false);
    }
    btnNext->setText(QStringLiteral("Next >"));
}

void TfrmWizard::bitAddClick()
{
    UserPrompts::FileDialog dialog{QStringLiteral("Include file"), QStringLiteral("Fortavo scripts (*.fvs)|*.fvs"),
                                   QStringLiteral("fvs"), m_includeFileName};
    dialog.mustExist = true;
    const QString chosen = m_prompts.openFileName(dialog);
    if (chosen.isEmpty())
        return;
    m_includeFileName = chosen;
    lstInclude->addItem(QFileInfo(chosen).absoluteFilePath());
}

void TfrmWizard::bitDeleteClick()
{
    const int row = lstInclude->currentRow();
    if (row >= 0 && lstInclude->currentItem() && lstInclude->currentItem()->isSelected())
        delete lstInclude->takeItem(row);
}
