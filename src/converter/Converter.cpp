#include "converter/Converter.h"

#include "common/ProgramFolder.h"
#include "common/UserPrompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

const QString Explanation = QStringLiteral(
    "Every version of Fortavo brings new enchancements to the Workout database format, so training files used with "
    "previous version often aren't compatible with the latter one. Use this tool to convert your old training file "
    "to a new version!");
}

const QString TfrmConverter::OldVersion = QStringLiteral("Fortavo 1.5");
const QString TfrmConverter::NewVersion = QStringLiteral("Fortavo 2.0");

TfrmConverter::TfrmConverter(UserPrompts &prompts, QWidget *parent) : QDialog(parent), m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmConverter"));
    setWindowTitle(QStringLiteral("Version converter"));
    buildControls();
    resize(440, 270);
}

TfrmConverter::~TfrmConverter() = default;

void TfrmConverter::buildControls()
{
    memObjasnjenje = named(new QPlainTextEdit(Explanation, this), "memObjasnjenje");
    memObjasnjenje->setReadOnly(true);
    memObjasnjenje->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // An explanation only: Tab and Enter go to the fields.
    memObjasnjenje->setFocusPolicy(Qt::NoFocus);
    memObjasnjenje->setFixedHeight(80);

    ledStara = named(new QLineEdit(this), "ledStara");
    bitStara = named(new QPushButton(QStringLiteral("..."), this), "bitStara");
    bitStara->setToolTip(QStringLiteral("Select old file"));
    bitStara->setFixedWidth(36);
    connect(bitStara, &QPushButton::clicked, this, &TfrmConverter::bitStaraClick);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(ledStara, 1);
    fileRow->addWidget(bitStara);
    auto *fileLabel = new QLabel(QStringLiteral("Old training file:"), this);
    fileLabel->setBuddy(ledStara);

    chbBackup = named(new QCheckBox(QStringLiteral("Create a backup file"), this), "chbBackup");
    chbBackup->setChecked(true);

    cmbStara = named(new QComboBox(this), "cmbStara");
    cmbStara->addItem(OldVersion);
    cmbNova = named(new QComboBox(this), "cmbNova");
    cmbNova->addItem(NewVersion);
    auto *versions = new QFormLayout;
    versions->addRow(QStringLiteral("Old version:"), cmbStara);
    versions->addRow(QStringLiteral("New version:"), cmbNova);

    bitConvert = named(new QPushButton(QStringLiteral("Convert"), this), "bitConvert");
    bitConvert->setDefault(true);
    connect(bitConvert, &QPushButton::clicked, this, &TfrmConverter::bitConvertClick);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(bitConvert);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(memObjasnjenje);
    layout->addWidget(fileLabel);
    layout->addLayout(fileRow);
    layout->addWidget(chbBackup);
    layout->addLayout(versions);
    layout->addStretch();
    layout->addLayout(buttonRow);

    setTabOrder(ledStara, bitStara);
    setTabOrder(bitStara, chbBackup);
    setTabOrder(chbBackup, cmbStara);
    setTabOrder(cmbStara, cmbNova);
    setTabOrder(cmbNova, bitConvert);
}

bool TfrmConverter::showModal()
{
    ledStara->setFocus();
    return exec() == QDialog::Accepted;
}

QString TfrmConverter::oldFileName() const
{
    return ledStara->text();
}

bool TfrmConverter::keepBackup() const
{
    return chbBackup->isChecked();
}

QString TfrmConverter::oldVersion() const
{
    return cmbStara->currentText();
}

QString TfrmConverter::newVersion() const
{
    return cmbNova->currentText();
}

bool TfrmConverter::convertsOldToNew() const
{
    return oldVersion() == OldVersion && newVersion() == NewVersion;
}

void TfrmConverter::bitStaraClick()
{
    UserPrompts::FileDialog dialog;
    dialog.title = QStringLiteral("Open the old training file");
    dialog.filter = QStringLiteral("Data files (*.dat)|*.dat");
    dialog.defaultExtension = QStringLiteral("dat");
    dialog.initialPath = ledStara->text().isEmpty() ? ProgramFolder::path() : ledStara->text();
    dialog.mustExist = true;
    const QString chosen = m_prompts.openFileName(dialog);
    if (!chosen.isEmpty())
        ledStara->setText(QFileInfo(chosen).absoluteFilePath());
}

void TfrmConverter::bitConvertClick()
{
    const QString path = ledStara->text();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        m_prompts.error(QStringLiteral("You did not select a file!"));
        ledStara->setFocus();
        return;
    }
    if (cmbStara->currentText() == cmbNova->currentText()) {
        m_prompts.error(QStringLiteral("The file versions you selected are the same, so no conversion can be done!"));
        cmbStara->setFocus();
        return;
    }
    accept();
}
