#include "app/DeleteKeys.h"

#include "app/PastWorkoutsList.h"
#include "editing/WorkoutGrid.h"

#include <QAction>
#include <QFocusEvent>

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
    m_list = list;
    m_exercises = exercises;
    m_cardio = cardio;
    for (QObject *area : {m_list, m_exercises, m_cardio})
        area->installEventFilter(this);
}

bool DeleteKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason) {
            if (watched == m_list)
                assign(m_workout, m_exerciseRow, m_cardioRow);
            else if (watched == m_exercises)
                assign(m_exerciseRow, m_workout, m_cardioRow);
            else if (watched == m_cardio)
                assign(m_cardioRow, m_exerciseRow, m_workout);
        }
    }
    return QObject::eventFilter(watched, event);
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
