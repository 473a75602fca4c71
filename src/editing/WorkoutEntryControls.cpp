#include "editing/WorkoutEntryControls.h"

#include "common/DayCount.h"
#include "common/RegionalSettings.h"
#include "common/ValueConversions.h"
#include "editing/WorkoutGrid.h"
#include "editing/WorkoutInfoControls.h"
#include "store/RowTexts.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <functional>

namespace {
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

QSpinBox *createSpin(const QString &name, int minimum, int maximum, QWidget *parent)
{
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    return spin;
}

QComboBox *createPickList(const QString &name, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->setMinimumWidth(140);
    box->setObjectName(name);
    return box;
}

QGroupBox *createGroup(const QString &name, const QString &title, QWidget *parent)
{
    auto *group = new QGroupBox(title, parent);
    group->setObjectName(name);
    return group;
}

// Calls back when the mouse pointer enters the watched widget.
class EnterWatch : public QObject {
public:
    EnterWatch(QWidget *watched, std::function<void()> onEnter) : QObject(watched), m_onEnter(std::move(onEnter))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Enter)
            m_onEnter();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onEnter;
};

void selectFirst(QComboBox *box)
{
    box->setCurrentIndex(box->count() > 0 ? 0 : -1);
}
}

QGroupBox *WorkoutEntryControls::createCardioGroup(WorkoutGrid *grid, QWidget *parent)
{
    grbKardio = createGroup(QStringLiteral("grbKardio"), QStringLiteral("Cardio"), parent);
    auto *layout = new QVBoxLayout(grbKardio);
    auto *entry = new QHBoxLayout;
    auto *fields = new QFormLayout;
    cmbVrstaKardio = createPickList(QStringLiteral("cmbVrstaKardio"), grbKardio);
    dtpStartTime = new QTimeEdit(grbKardio);
    dtpStartTime->setObjectName(QStringLiteral("dtpStartTime"));
    dtpStartTime->setDisplayFormat(RegionalSettings::current().timeFormat);
    mskTrajanje = createMaskEdit(QStringLiteral("mskTrajanje"), QStringLiteral("00:00"), grbKardio);
    spnUdaljenost = createSpin(QStringLiteral("spnUdaljenost"), 0, 9999999, grbKardio);
    spnUdaljenost->setSuffix(QStringLiteral(" m"));
    spnKalorije = createSpin(QStringLiteral("spnKalorije"), 0, 10000, grbKardio);
    fields->addRow(QStringLiteral("Type:"), cmbVrstaKardio);
    fields->addRow(QStringLiteral("Start time:"), dtpStartTime);
    fields->addRow(QStringLiteral("Duration:"), mskTrajanje);
    auto *more = new QFormLayout;
    more->addRow(QStringLiteral("Distance:"), spnUdaljenost);
    more->addRow(QStringLiteral("Calories burned:"), spnKalorije);
    bitDodajKardio = new QPushButton(QStringLiteral("Add"), grbKardio);
    bitDodajKardio->setObjectName(QStringLiteral("bitDodajKardio"));
    more->addRow(QString(), bitDodajKardio);
    compactEntry(entry, fields, more);
    layout->addLayout(entry);
    layout->addWidget(grid);
    return grbKardio;
}

QGroupBox *WorkoutEntryControls::createExercisesGroup(WorkoutGrid *grid, QWidget *parent)
{
    grbVjezbe = createGroup(QStringLiteral("grbVjezbe"), QStringLiteral("Exercises"), parent);
    auto *layout = new QVBoxLayout(grbVjezbe);
    auto *entry = new QHBoxLayout;
    auto *fields = new QFormLayout;
    cmbVjezba = new QComboBox(grbVjezbe);
    cmbVjezba->setObjectName(QStringLiteral("cmbVjezba"));
    cmbVjezba->setEditable(true);
    cmbVjezba->setInsertPolicy(QComboBox::NoInsert);
    cmbVjezba->lineEdit()->setMaxLength(ExerciseEntry::NameCapacity);
    cmbVjezba->setMinimumWidth(220);
    cmbTipIzvodjenja = createPickList(QStringLiteral("cmbTipIzvodjenja"), grbVjezbe);
    fields->addRow(QStringLiteral("Exercise:"), cmbVjezba);
    fields->addRow(QStringLiteral("Type of execution:"), cmbTipIzvodjenja);
    auto *more = new QFormLayout;
    spnSerija = createSpin(QStringLiteral("spnSerija"), 1, 500, grbVjezbe);
    spnPonavljanja = createSpin(QStringLiteral("spnPonavljanja"), 0, 500, grbVjezbe);
    mskTezina = createMaskEdit(QStringLiteral("mskTezina"), QStringLiteral("0000.00"), grbVjezbe);
    auto *weight = new QHBoxLayout;
    weight->addWidget(mskTezina);
    weight->addWidget(new QLabel(QStringLiteral("kg/lbs"), grbVjezbe));
    more->addRow(QStringLiteral("Sets #:"), spnSerija);
    more->addRow(QStringLiteral("Reps #:"), spnPonavljanja);
    more->addRow(QStringLiteral("Weight used:"), weight);
    bitDodaj = new QPushButton(QStringLiteral("Add"), grbVjezbe);
    bitDodaj->setObjectName(QStringLiteral("bitDodaj"));
    weight->addSpacing(12);
    weight->addWidget(bitDodaj);
    compactEntry(entry, fields, more);
    layout->addLayout(entry);
    layout->addWidget(grid);
    return grbVjezbe;
}

void WorkoutEntryControls::followMouse()
{
    new EnterWatch(grbKardio, [this] { setDefaultAddButton(bitDodajKardio); });
    new EnterWatch(grbVjezbe, [this] { setDefaultAddButton(bitDodaj); });
    setDefaultAddButton(bitDodaj);
}

void WorkoutEntryControls::setDefaultAddButton(QPushButton *button)
{
    m_defaultAddButton = button;
    bitDodaj->setDefault(button == bitDodaj);
    bitDodajKardio->setDefault(button == bitDodajKardio);
}

void WorkoutEntryControls::clear()
{
    selectFirst(cmbVrstaKardio);
    dtpStartTime->setTime(QTime(0, 0));
    mskTrajanje->setText(QStringLiteral("00:00"));
    spnUdaljenost->setValue(0);
    spnKalorije->setValue(0);
    cmbVjezba->setEditText(QString());
    selectFirst(cmbTipIzvodjenja);
    spnSerija->setValue(1);
    spnPonavljanja->setValue(1);
    mskTezina->setText(QStringLiteral("0000.00"));
}

CardioEntry WorkoutEntryControls::cardioEntry() const
{
    RowTexts::requireFits(spnUdaljenost->value(), 65535, QStringLiteral("Distance"));
    CardioEntry c;
    c.CardioType = cmbVrstaKardio->currentText().left(CardioEntry::TypeCapacity);
    c.StartTime = DayCount::fromTime(dtpStartTime->time());
    c.Duration = DurationFromMaskText(maskText(mskTrajanje));
    c.Distance = quint16(spnUdaljenost->value());
    c.Calories = quint16(spnKalorije->value());
    return c;
}

ExerciseEntry WorkoutEntryControls::exerciseEntry() const
{
    RowTexts::requireFits(spnSerija->value(), 255, QStringLiteral("Number of sets"));
    RowTexts::requireFits(spnPonavljanja->value(), 255, QStringLiteral("Number of reps"));
    ExerciseEntry e;
    e.Name = cmbVjezba->currentText().left(ExerciseEntry::NameCapacity);
    e.ExecutionType = cmbTipIzvodjenja->currentText().left(ExerciseEntry::ExecutionTypeCapacity);
    e.Sets = quint8(spnSerija->value());
    e.Reps = quint8(spnPonavljanja->value());
    e.Weight = WeightFromMaskText(maskText(mskTezina));
    return e;
}
