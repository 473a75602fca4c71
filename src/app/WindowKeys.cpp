#include "app/WindowKeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

WindowKeys::WindowKeys(QWidget *window, QList<QKeySequence> textKeys)
    : QObject(window), m_window(window), m_textKeys(std::move(textKeys))
{
    // A field hears of a key before its own filters do only through the application.
    qApp->installEventFilter(this);
}

WindowKeys::~WindowKeys()
{
    qApp->removeEventFilter(this);
}

bool WindowKeys::isWindowKey(const QKeySequence &key) const
{
    if (m_textKeys.contains(key))
        return false;
    for (const QAction *action : m_window->actions())
        if (action->isEnabled() && action->shortcutContext() != Qt::WidgetShortcut && action->shortcuts().contains(key))
            return true;
    return false;
}

bool WindowKeys::eventFilter(QObject *watched, QEvent *event)
{
    // The shortcut override asks the control with the focus whether it wants the key
    // itself; left unanswered, the window's command gets it.
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (widget->window() != m_window)
        return false;
    const auto *keyEvent = static_cast<QKeyEvent *>(event);
    const QKeySequence key(QKeyCombination(keyEvent->modifiers() & ~Qt::KeypadModifier, Qt::Key(keyEvent->key())));
    if (!isWindowKey(key))
        return false;
    event->ignore();
    return true;
}
