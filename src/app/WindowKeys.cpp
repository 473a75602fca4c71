#include "app/WindowKeys.h"

#include "common/CommandRegistry.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

WindowKeys::WindowKeys(const CommandRegistry &registry, QList<QKeySequence> textKeys)
    : QObject(registry.window()), m_registry(registry), m_window(registry.window()), m_textKeys(std::move(textKeys))
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
    return !m_textKeys.contains(key) && m_registry.windowKeys().contains(key);
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
