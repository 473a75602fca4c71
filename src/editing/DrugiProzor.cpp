#include "editing/DrugiProzor.h"

#include "editing/WorkoutGrid.h"

#include <QComboBox>
#include <QGroupBox>
#include <QVBoxLayout>

TfrmDrugiProzor::TfrmDrugiProzor(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDrugiProzor"));
    setModal(false);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(controls.createInformationGroup(QStringLiteral("Traning"), this));
    controls.createGrids(this);
    for (auto [title, grid] : {std::pair{QStringLiteral("Cardio"), controls.stgKardio},
                               std::pair{QStringLiteral("Exercises"), controls.stgVjezbe}}) {
        auto *group = new QGroupBox(title, this);
        auto *groupLayout = new QVBoxLayout(group);
        groupLayout->addWidget(grid);
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        layout->addWidget(group);
    }
    resize(640, 620);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmDrugiProzor::setListItems(const QStringList &bodyparts, const QStringList &trainingTypes)
{
    controls.cmbDioTijela->clear();
    controls.cmbDioTijela->addItems(bodyparts);
    controls.cmbTipTreninga->clear();
    controls.cmbTipTreninga->addItems(trainingTypes);
}

void TfrmDrugiProzor::view(const WorkoutRecord &record, const QString &caption)
{
    controls.show(record);
    setWindowTitle(caption);
    show();
    raise();
}
