#include "csv/ImportPreview.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

ImportPreview::ImportPreview(const QString &fileName, const CsvImport::Plan &plan, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgImportPreview"));
    setWindowTitle(QStringLiteral("Import workouts"));
    auto *heading = new QLabel(QStringLiteral("Importing \"%1\" would do this:").arg(QFileInfo(fileName).fileName()), this);
    m_report = new QPlainTextEdit(this);
    m_report->setObjectName(QStringLiteral("memReport"));
    m_report->setReadOnly(true);
    m_report->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_report->setPlainText(plan.reportLines().join(u'\n'));

    auto *buttons = new QDialogButtonBox(this);
    m_import = buttons->addButton(QStringLiteral("&Import"), QDialogButtonBox::AcceptRole);
    m_import->setObjectName(QStringLiteral("btnImport"));
    m_import->setEnabled(!plan.toAdd.isEmpty());
    m_import->setDefault(m_import->isEnabled());
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_report, 1);
    layout->addWidget(buttons);
    resize(560, 380);
}

QString ImportPreview::reportText() const
{
    return m_report->toPlainText();
}
