#include "goals/GoalControls.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

StatusShape::StatusShape(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void StatusShape::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void StatusShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(m_color);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}

UpDown::UpDown(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    m_up = new QToolButton(this);
    m_up->setObjectName(QStringLiteral("btnUp"));
    m_up->setArrowType(Qt::UpArrow);
    m_up->setFocusPolicy(Qt::NoFocus);
    m_down = new QToolButton(this);
    m_down->setObjectName(QStringLiteral("btnDown"));
    m_down->setArrowType(Qt::DownArrow);
    m_down->setFocusPolicy(Qt::NoFocus);
    for (QToolButton *b : {m_up, m_down})
        b->setFixedSize(20, 12);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDown::stepDown);
}

void UpDown::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    m_position = qBound(minimum, m_position, maximum);
}

void UpDown::setPosition(int position)
{
    m_position = qBound(m_minimum, position, m_maximum);
}

void UpDown::stepUp()
{
    setPosition(m_position + 1);
    emit clicked();
}

void UpDown::stepDown()
{
    setPosition(m_position - 1);
    emit clicked();
}

void UpDown::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Up)
        stepUp();
    else if (event->key() == Qt::Key_Down)
        stepDown();
    else
        QWidget::keyPressEvent(event);
}

GoalList::GoalList(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
}

void GoalList::startDrag(Qt::DropActions)
{
    const QList<QListWidgetItem *> items = selectedItems();
    if (items.isEmpty())
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(mimeData(items));
    // The whole window shows the drag pointer while a goal is dragged.
    QWidget *w = window();
    w->setCursor(Qt::DragMoveCursor);
    drag->exec(Qt::MoveAction);
    w->unsetCursor();
}

void GoalList::dragEnterEvent(QDragEnterEvent *event)
{
    event->acceptProposedAction();
}

void GoalList::dragMoveEvent(QDragMoveEvent *event)
{
    event->acceptProposedAction();
}

void GoalList::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    emit dropped(event->source());
}
