#pragma once

#include <QObject>
#include <QString>

class CommandRegistry;
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
    // The commands are named; the registry moves the keys between them.
    DeleteKeys(CommandRegistry &registry, QString workout, QString exerciseRow, QString cardioRow, QObject *parent);

    void watch(PastWorkoutsList *list, WorkoutGrid *exercises, WorkoutGrid *cardio);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void assign(const QString &del, const QString &ctrlDel, const QString &altDel);
    void watchGrid(WorkoutGrid *grid, QString del, QString ctrlDel, QString altDel);

    CommandRegistry &m_registry;
    QString m_workout;
    QString m_exerciseRow;
    QString m_cardioRow;
    QObject *m_list = nullptr;
    QObject *m_exercises = nullptr;
    QObject *m_cardio = nullptr;
};
