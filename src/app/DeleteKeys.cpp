#include "app/DeleteKeys.h"

#include "app/PastWorkoutsList.h"
#include "editing/WorkoutGrid.h"

#include <QAction>

DeleteKeys::DeleteKeys(QAction *workout, QAction *exerciseRow, QAction *cardioRow, QObject *parent)
    : QObject(parent), m_workout(workout), m_exerciseRow(exerciseRow), m_cardioRow(cardioRow)
{
    assign(m_workout, m_exerciseRow, m_cardioRow);
}

void DeleteKeys::watch(PastWorkoutsList *list, WorkoutGrid *exercises, WorkoutGrid *cardio)
{
    connect(list, &PastWorkoutsList::workoutLinePressed, this, [this] { assign(m_workout, m_exerciseRow, m_cardioRow); });
    watchGrid(exercises, m_exerciseRow, m_workout, m_cardioRow);
    watchGrid(cardio, m_cardioRow, m_exerciseRow, m_workout);
}

void DeleteKeys::watchGrid(WorkoutGrid *grid, QAction *del, QAction *ctrlDel, QAction *altDel)
{
    connect(grid, &QTableWidget::currentCellChanged, this, [=, this] {
        if (grid->hasFocus())
            assign(del, ctrlDel, altDel);
    });
    connect(grid, &QTableWidget::cellPressed, this, [=, this] { assign(del, ctrlDel, altDel); });
}

void DeleteKeys::assign(QAction *del, QAction *ctrlDel, QAction *altDel)
{
    del->setShortcut(QKeySequence(Qt::Key_Delete));
    ctrlDel->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    altDel->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Delete));
}
