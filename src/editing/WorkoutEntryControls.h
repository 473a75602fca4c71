#pragma once

#include "store/WorkoutRecord.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimeEdit;
class QWidget;
class WorkoutGrid;

// The entry fields above the main window's two grids, with their "Add" buttons: the
// "Cardio" and "Exercises" groups, each holding its grid below the fields. They build
// the row that an "Add" puts into the grid.
struct WorkoutEntryControls {
    QGroupBox *grbKardio = nullptr;
    QComboBox *cmbVrstaKardio = nullptr;
    QTimeEdit *dtpStartTime = nullptr;
    QLineEdit *mskTrajanje = nullptr;
    QSpinBox *spnUdaljenost = nullptr;
    QSpinBox *spnKalorije = nullptr;
    QPushButton *bitDodajKardio = nullptr;

    QGroupBox *grbVjezbe = nullptr;
    QComboBox *cmbVjezba = nullptr;
    QComboBox *cmbTipIzvodjenja = nullptr;
    QSpinBox *spnSerija = nullptr;
    QSpinBox *spnPonavljanja = nullptr;
    QLineEdit *mskTezina = nullptr;
    QPushButton *bitDodaj = nullptr;

    QGroupBox *createCardioGroup(WorkoutGrid *grid, QWidget *parent);
    QGroupBox *createExercisesGroup(WorkoutGrid *grid, QWidget *parent);

    // Both "Add" buttons answer Enter, one at a time: at first the exercise one, then
    // the one of the group the mouse pointer entered last.
    void followMouse();
    QPushButton *defaultAddButton() const { return m_defaultAddButton; }
    void setDefaultAddButton(QPushButton *button);

    // The fields as a new workout leaves them.
    void clear();
    // The row the fields describe; raises ConversionError for a value beyond its field.
    CardioEntry cardioEntry() const;
    ExerciseEntry exerciseEntry() const;

private:
    QPushButton *m_defaultAddButton = nullptr;
};
