#pragma once

#include "common/LimitedTextEdit.h"
#include "store/WorkoutRecord.h"

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QTimeEdit;
class WorkoutGrid;

// A masked edit for "00:00" or "0000.00": its text with blank positions as spaces.
QLineEdit *createMaskEdit(const QString &objectName, const QString &mask, QWidget *parent);
QString maskText(const QLineEdit *edit);

// The information fields and the two grids of a workout, as both workout windows
// show them. The owner lays them out; this fills them from a record.
struct WorkoutInfoControls {
    QDateEdit *dtpDatum = nullptr;
    QTimeEdit *dtpVrijeme = nullptr;
    QLineEdit *mskTrajanjeTrening = nullptr;
    QComboBox *cmbDioTijela = nullptr;
    QComboBox *cmbTipTreninga = nullptr;
    LimitedTextEdit *memKomentar = nullptr;
    WorkoutGrid *stgKardio = nullptr;
    WorkoutGrid *stgVjezbe = nullptr;

    // Creates the controls under parent and returns the "Information" group.
    QGroupBox *createInformationGroup(const QString &title, QWidget *parent);
    void createGrids(QWidget *parent);

    // Puts a stored workout into the controls: the day, the time of day, the duration,
    // the body part by text (from the second item on, the empty first item for no body
    // part; unchanged when none matches),
    // the type of training by index, the comment and both grids.
    void show(const WorkoutRecord &record);
    void fillGrids(const WorkoutRecord &record);
    // The controls read back as a record, as a save stores it; typeBeyondList is the
    // type of training kept when the shown type lies beyond the list. Raises
    // ConversionError for a cell that does not read and for more than 20 rows.
    WorkoutRecord read(quint8 typeBeyondList) const;
    // The controls as a new workout leaves them: today, no time, no rows, first items.
    void clear();
};

// The items of a drop-down list, in order.
QStringList comboItems(const QComboBox *box);
