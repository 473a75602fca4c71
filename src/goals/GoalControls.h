#pragma once

#include <QColor>
#include <QListWidget>
#include <QWidget>

class QToolButton;

// The status indicator: a coloured shape whose hint names the status.
class StatusShape : public QWidget {
    Q_OBJECT
public:
    explicit StatusShape(QWidget *parent = nullptr);
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    QSize sizeHint() const override { return {40, 24}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color;
};

// An up-down control: two arrow buttons that move a position by one within a range.
// Each step, by a button or by the Up and Down keys, is a click.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget *parent = nullptr);
    int position() const { return m_position; }
    void setPosition(int position);
    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

public slots:
    void stepUp();
    void stepDown();

signals:
    void clicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    int m_position = 0;
    int m_minimum = 0;
    int m_maximum = 100;
    QToolButton *m_up = nullptr;
    QToolButton *m_down = nullptr;
};

// A list of goals whose items are dragged to the other goal lists. It accepts every
// drag over it and hands each drop, with the list it came from, to the window; the
// lists themselves never move items.
class GoalList : public QListWidget {
    Q_OBJECT
public:
    explicit GoalList(QWidget *parent = nullptr);

signals:
    void dropped(QObject *source);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};
