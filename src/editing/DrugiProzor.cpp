#include "editing/DrugiProzor.h"

#include "editing/WorkoutGrid.h"
#include "store/WorkoutList.h"
#include "store/WorkoutSession.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTimeEdit>
#include <QGroupBox>
#include <QVBoxLayout>

TfrmDrugiProzor::TfrmDrugiProzor(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmDrugiProzor"));
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
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // A view only: the fields show the workout and take no input.
    for (QAbstractSpinBox *edit : {static_cast<QAbstractSpinBox *>(controls.dtpDatum),
                                   static_cast<QAbstractSpinBox *>(controls.dtpVrijeme)}) {
        edit->setReadOnly(true);
        edit->setButtonSymbols(QAbstractSpinBox::NoButtons);
    }
    controls.dtpDatum->setCalendarPopup(false);
    controls.mskTrajanjeTrening->setReadOnly(true);
    controls.memKomentar->setReadOnly(true);
    for (QComboBox *choice : {controls.cmbDioTijela, controls.cmbTipTreninga}) {
        choice->setAttribute(Qt::WA_TransparentForMouseEvents);
        choice->setFocusPolicy(Qt::NoFocus);
    }
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
    // A body part that matches no item shows empty, not the one of the previous view.
    controls.cmbDioTijela->setCurrentIndex(-1);
    controls.show(record);
    // Columns as wide as their texts (a name of 50 characters reads whole), the fixed
    // size following them.
    for (WorkoutGrid *grid : {controls.stgKardio, controls.stgVjezbe})
        grid->fitColumnsToContents();
    setWindowTitle(caption);
    show();
    raise();
}

void TfrmDrugiProzor::ViewInSecondWindow(WorkoutSession &session)
{
    const QStringList lines = session.workoutLines();
    const int line = session.selectedLine();
    if (line < 0 || line >= lines.size() || WorkoutList::isSeparator(lines.at(line)))
        return;
    const int n = WorkoutList::RecordNumberOfItem(lines, line);
    view(session.trainingFile().ReadRecord(n), lines.at(line));
}
