#pragma once

#include <QObject>

class QAction;
class PastWorkoutsList;
class WorkoutGrid;

// The three delete commands share the keys Del, Ctrl+Del and Alt+Del so that Del acts
// on the area last clicked: a workout line of the list, the exercise grid or the cardio
// grid. Reaching one of them with the keyboard (Tab, Shift+Tab, a shortcut) counts as
// clicking it. A grid whose current cell changes because it is refilled (a workout
// shown, a row added) has not been chosen by the user and leaves the keys alone.
class DeleteKeys : public QObject {
    Q_OBJECT
public:
    DeleteKeys(QAction *workout, QAction *exerciseRow, QAction *cardioRow, QObject *parent);

    void watch(PastWorkoutsList *list, WorkoutGrid *exercises, WorkoutGrid *cardio);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void assign(QAction *del, QAction *ctrlDel, QAction *altDel);
    void watchGrid(WorkoutGrid *grid, QAction *del, QAction *ctrlDel, QAction *altDel);

    QAction *m_workout;
    QAction *m_exerciseRow;
    QAction *m_cardioRow;
    QObject *m_list = nullptr;
    QObject *m_exercises = nullptr;
    QObject *m_cardio = nullptr;
};
