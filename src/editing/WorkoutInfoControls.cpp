#include "editing/WorkoutInfoControls.h"

#include "common/DayCount.h"
#include "common/Errors.h"
#include "common/RegionalSettings.h"
#include "common/ValueConversions.h"
#include "editing/WorkoutGrid.h"
#include "store/RowTexts.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QGroupBox>
#include <QLineEdit>
#include <QTimeEdit>

QLineEdit *createMaskEdit(const QString &objectName, const QString &mask, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setInputMask(mask + QStringLiteral(";_"));
    return edit;
}

QString maskText(const QLineEdit *edit)
{
    QString text = edit->displayText();
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return text;
}

QGroupBox *WorkoutInfoControls::createInformationGroup(const QString &title, QWidget *parent)
{
    auto *group = new QGroupBox(title, parent);
    auto *grid = new QGridLayout(group);
    const RegionalSettings &regional = RegionalSettings::current();

    dtpDatum = new QDateEdit(group);
    dtpDatum->setObjectName(QStringLiteral("dtpDatum"));
    dtpDatum->setCalendarPopup(true);
    dtpDatum->setDisplayFormat(regional.dateFormat);
    dtpVrijeme = new QTimeEdit(group);
    dtpVrijeme->setObjectName(QStringLiteral("dtpVrijeme"));
    dtpVrijeme->setDisplayFormat(regional.timeFormat);
    mskTrajanjeTrening = createMaskEdit(QStringLiteral("mskTrajanjeTrening"), QStringLiteral("00:00"), group);
    cmbDioTijela = new QComboBox(group);
    cmbDioTijela->setObjectName(QStringLiteral("cmbDioTijela"));
    cmbTipTreninga = new QComboBox(group);
    cmbTipTreninga->setObjectName(QStringLiteral("cmbTipTreninga"));
    memKomentar = new LimitedTextEdit(WorkoutRecord::CommentCapacity, group);
    memKomentar->setObjectName(QStringLiteral("memKomentar"));
    memKomentar->setTabChangesFocus(true);
    memKomentar->setFixedHeight(48);

    // Two columns of fields, the comment across both.
    const auto addField = [&](int row, int column, const QString &label, QWidget *field) {
        auto *caption = new QLabel(label, group);
        caption->setBuddy(field);
        grid->addWidget(caption, row, column * 2);
        grid->addWidget(field, row, column * 2 + 1);
    };
    addField(0, 0, QStringLiteral("Date:"), dtpDatum);
    addField(1, 0, QStringLiteral("Start time:"), dtpVrijeme);
    addField(2, 0, QStringLiteral("Duration:"), mskTrajanjeTrening);
    addField(0, 1, QStringLiteral("Bodypart trained"), cmbDioTijela);
    addField(1, 1, QStringLiteral("Type of training:"), cmbTipTreninga);
    auto *commentLabel = new QLabel(QStringLiteral("Comment:"), group);
    commentLabel->setBuddy(memKomentar);
    grid->addWidget(commentLabel, 3, 0, Qt::AlignTop);
    grid->addWidget(memKomentar, 3, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return group;
}

void WorkoutInfoControls::createGrids(QWidget *parent)
{
    stgKardio = new WorkoutGrid(RowTexts::cardioHeaders(), parent);
    stgKardio->setObjectName(QStringLiteral("stgKardio"));
    stgVjezbe = new WorkoutGrid(RowTexts::exerciseHeaders(), parent);
    stgVjezbe->setObjectName(QStringLiteral("stgVjezbe"));
    // Five exercise rows show even at the window's smallest height.
    stgVjezbe->setMinimumRows(5);
}

void WorkoutInfoControls::show(const WorkoutRecord &record)
{
    const QDate day = DayCount::toDate(record.Date);
    if (day.isValid())
        dtpDatum->setDate(day);
    dtpVrijeme->setTime(DayCount::toTime(record.StartTime));
    mskTrajanjeTrening->setText(DurationToMaskText(record.Duration));
    int bodypart = -1;
    for (int i = cmbDioTijela->count() - 1; i >= 1 && bodypart < 0; --i)
        if (cmbDioTijela->itemText(i) == record.Bodypart)
            bodypart = i;
    // A workout with no body part chosen shows the empty first item; keeping the body
    // part of the workout shown before would store it with this one at the next save.
    if (bodypart < 0 && cmbDioTijela->count() > 0 && cmbDioTijela->itemText(0) == record.Bodypart)
        bodypart = 0;
    if (bodypart >= 0)
        cmbDioTijela->setCurrentIndex(bodypart);
    cmbTipTreninga->setCurrentIndex(record.TrainingType < cmbTipTreninga->count() ? record.TrainingType : -1);
    memKomentar->setPlainText(record.Comment);
    fillGrids(record);
}

void WorkoutInfoControls::fillGrids(const WorkoutRecord &record)
{
    stgKardio->clearEntries();
    for (const CardioEntry &entry : record.Cardio)
        stgKardio->appendEntry(RowTexts::cardioCells(entry, stgKardio->entryCount() + 1));
    stgVjezbe->clearEntries();
    for (const ExerciseEntry &entry : record.Exercises)
        stgVjezbe->appendEntry(RowTexts::exerciseCells(entry, stgVjezbe->entryCount() + 1));
}

WorkoutRecord WorkoutInfoControls::read(quint8 typeBeyondList) const
{
    WorkoutRecord r;
    r.Date = DayCount::fromDateTime(dtpDatum->date(), dtpDatum->time());
    r.StartTime = DayCount::fromTime(dtpVrijeme->time());
    r.Duration = DurationFromMaskText(maskText(mskTrajanjeTrening));
    r.Bodypart = cmbDioTijela->currentText();
    const int type = cmbTipTreninga->currentIndex();
    r.TrainingType = type >= 0 ? quint8(qMin(type, 255)) : typeBeyondList;
    r.Comment = memKomentar->toPlainText();
    for (int row = 1; row <= stgKardio->entryCount(); ++row)
        r.Cardio.append(RowTexts::readCardio(stgKardio->cells(row)));
    for (int row = 1; row <= stgVjezbe->entryCount(); ++row)
        r.Exercises.append(RowTexts::readExercise(stgVjezbe->cells(row)));
    if (r.Cardio.size() > WorkoutRecord::MaxRows || r.Exercises.size() > WorkoutRecord::MaxRows)
        throw ConversionError(QStringLiteral("A workout holds at most %1 cardio rows and %1 exercise rows.")
                                  .arg(WorkoutRecord::MaxRows));
    return r;
}

void WorkoutInfoControls::clear()
{
    dtpDatum->setDate(QDate::currentDate());
    dtpVrijeme->setTime(QTime(0, 0));
    mskTrajanjeTrening->setText(QStringLiteral("00:00"));
    cmbDioTijela->setCurrentIndex(cmbDioTijela->count() > 0 ? 0 : -1);
    cmbTipTreninga->setCurrentIndex(cmbTipTreninga->count() > 0 ? 0 : -1);
    memKomentar->clear();
    stgKardio->clearEntries();
    stgVjezbe->clearEntries();
}

QStringList comboItems(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}
