#include "app/DeleteKeys.h"

#include "app/PastWorkoutsList.h"
#include "common/CommandRegistry.h"
#include "editing/WorkoutGrid.h"

#include <QFocusEvent>

DeleteKeys::DeleteKeys(CommandRegistry &registry, QString workout, QString exerciseRow, QString cardioRow,
                       QObject *parent)
    : QObject(parent), m_registry(registry), m_workout(std::move(workout)), m_exerciseRow(std::move(exerciseRow)),
      m_cardioRow(std::move(cardioRow))
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

void DeleteKeys::watchGrid(WorkoutGrid *grid, QString del, QString ctrlDel, QString altDel)
{
    connect(grid, &QTableWidget::currentCellChanged, this, [=, this] {
        if (grid->hasFocus())
            assign(del, ctrlDel, altDel);
    });
    connect(grid, &QTableWidget::cellPressed, this, [=, this] { assign(del, ctrlDel, altDel); });
}

void DeleteKeys::assign(const QString &del, const QString &ctrlDel, const QString &altDel)
{
    m_registry.assignKeys({{del, QKeySequence(Qt::Key_Delete)},
                           {ctrlDel, QKeySequence(Qt::CTRL | Qt::Key_Delete)},
                           {altDel, QKeySequence(Qt::ALT | Qt::Key_Delete)}});
}
