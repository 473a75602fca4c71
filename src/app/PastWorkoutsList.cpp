#include "app/PastWorkoutsList.h"

#include "store/WorkoutList.h"

#include <QMenu>
#include <QMouseEvent>

PastWorkoutsList::PastWorkoutsList(QWidget *parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("lstProsliTreninzi"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
    viewport()->installEventFilter(this);
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("pmnLista"));
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &position) { m_menu->popup(viewport()->mapToGlobal(position)); });
}

QStringList PastWorkoutsList::lines() const
{
    QStringList result;
    result.reserve(count());
    for (int i = 0; i < count(); ++i)
        result << item(i)->text();
    return result;
}

int PastWorkoutsList::selectedLine() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.constFirst());
}

void PastWorkoutsList::selectLine(int line)
{
    if (line < 0 || line >= count()) {
        clearSelection();
        return;
    }
    setCurrentRow(line);
    item(line)->setSelected(true);
}

int PastWorkoutsList::selectedRecord() const
{
    const int line = selectedLine();
    if (line < 0 || WorkoutList::isSeparator(item(line)->text()))
        return -1;
    return WorkoutList::RecordNumberOfItem(lines(), line);
}

void PastWorkoutsList::onPressed(const QPoint &position)
{
    QListWidgetItem *pressed = itemAt(position);
    if (!pressed) {
        clearSelection();
        setCurrentRow(-1);
        return;
    }
    setCurrentItem(pressed);
    pressed->setSelected(true);
    if (WorkoutList::isSeparator(pressed->text()))
        return;
    setToolTip(pressed->text());
    emit workoutLinePressed();
}

bool PastWorkoutsList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == viewport() && event->type() == QEvent::MouseButtonPress) {
        onPressed(static_cast<QMouseEvent *>(event)->position().toPoint());
        return false;
    }
    return QListWidget::eventFilter(watched, event);
}
