#include "common/CommandRegistry.h"

#include <QAction>
#include <QWidget>

CommandRegistry::CommandRegistry(QWidget *window, Runner runner)
    : QObject(window), m_window(window), m_runner(std::move(runner))
{
}

void CommandRegistry::refuse(const QString &name, const QKeySequence &key, const QString &holder) const
{
    const QByteArray why = QStringLiteral("%1: the key %2 of %3 is already taken by %4")
                               .arg(m_window->objectName(), key.toString(QKeySequence::PortableText), name, holder)
                               .toUtf8();
    Q_ASSERT_X(false, "CommandRegistry", why.constData());
    qWarning("%s", why.constData());
}

QAction *CommandRegistry::add(const CommandSpec &spec, QWidget *keyOwner)
{
    Q_ASSERT_X(!action(spec.name), "CommandRegistry::add", qPrintable(spec.name + QStringLiteral(" made twice")));
    auto *action = new QAction(spec.text, m_window);
    action->setObjectName(spec.name);
    if (!spec.iconText.isEmpty())
        action->setIconText(spec.iconText);
    if (!spec.toolTip.isEmpty())
        action->setToolTip(spec.toolTip);
    QList<QKeySequence> keys;
    for (const QKeySequence &key : spec.keys) {
        if (const QString holder = holderOf(key); !holder.isEmpty() || keys.contains(key))
            refuse(spec.name, key, holder.isEmpty() ? spec.name : holder);
        else
            keys << key;
    }
    action->setShortcutContext(spec.context);
    action->setShortcuts(keys);
    // A menu item or a button shows the action's keys without carrying them again.
    action->setShortcutVisibleInContextMenu(true);
    (keyOwner ? keyOwner : m_window)->addAction(action);
    connect(action, &QAction::triggered, this, [this, name = spec.name] {
        const auto found = m_handlers.find(name);
        if (found == m_handlers.end())
            return;
        const std::function<void()> handler = found->second; // may be rebound while it runs
        if (m_runner)
            m_runner(handler);
        else
            handler();
    });
    m_actions << action;
    return action;
}

QAction *CommandRegistry::action(const QString &name) const
{
    for (QAction *action : m_actions)
        if (action->objectName() == name)
            return action;
    return nullptr;
}

void CommandRegistry::bind(const QString &name, std::function<void()> handler)
{
    Q_ASSERT_X(action(name), "CommandRegistry::bind", qPrintable(name + QStringLiteral(" is no command")));
    m_handlers[name] = std::move(handler);
}

void CommandRegistry::assignKeys(const QList<QPair<QString, QKeySequence>> &assignment)
{
    QList<QKeySequence> moved;
    for (const auto &[name, key] : assignment)
        moved << key;
    // First every named command lets go of the moving keys, so no key is held twice on
    // the way.
    for (const auto &[name, key] : assignment) {
        QAction *a = action(name);
        Q_ASSERT_X(a, "CommandRegistry::assignKeys", qPrintable(name + QStringLiteral(" is no command")));
        QList<QKeySequence> kept;
        for (const QKeySequence &held : a->shortcuts())
            if (!moved.contains(held))
                kept << held;
        a->setShortcuts(kept);
    }
    for (const auto &[name, key] : assignment) {
        if (const QString holder = holderOf(key); !holder.isEmpty()) {
            refuse(name, key, holder);
            continue;
        }
        QAction *a = action(name);
        a->setShortcuts(a->shortcuts() << key);
    }
}

QList<QKeySequence> CommandRegistry::windowKeys() const
{
    QList<QKeySequence> keys;
    for (const QAction *action : m_actions)
        if (action->isEnabled() && action->shortcutContext() != Qt::WidgetShortcut)
            keys << action->shortcuts();
    return keys;
}

QString CommandRegistry::holderOf(const QKeySequence &key) const
{
    for (const QAction *action : m_actions)
        if (action->shortcuts().contains(key))
            return action->objectName();
    return {};
}
