#include "app/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void placeWindow(QWidget *window, int top, int left)
{
    QPoint position(left, top);
    const QScreen *screen = QGuiApplication::screenAt(position + QPoint(40, 20));
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
        if (screen)
            position = screen->availableGeometry().topLeft() + QPoint(40, 40);
    }
    if (screen) {
        // Keep the whole window on that screen where it fits, at the size it will have
        // when shown: never below the layout's minimum.
        const QRect area = screen->availableGeometry();
        window->resize(window->size().expandedTo(window->minimumSizeHint()).boundedTo(area.size()));
        position.setX(qMax(area.left(), qMin(position.x(), area.right() - window->width())));
        position.setY(qMax(area.top(), qMin(position.y(), area.bottom() - window->height())));
    }
    window->move(position);
}
