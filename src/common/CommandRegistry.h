#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <map>

class QAction;
class QWidget;

// One command of a window: the name of its action, its texts and its keys.
struct CommandSpec {
    QString name;
    QString text;                 // what a menu item shows
    QList<QKeySequence> keys;
    // WindowShortcut: the keys work anywhere in the window. WidgetShortcut: only while
    // the widget the action is given to has the focus.
    Qt::ShortcutContext context = Qt::WindowShortcut;
    QString iconText;             // a button's caption, when it differs from the text
    QString toolTip;
};

// The commands of one window. It makes exactly one QAction per command and is the only
// code that gives an action a key, so a button, a menu item and a pop-up item of a
// command all show that one action and no key ever has two live carriers. A key
// already held by another command is refused: an assertion in a debug build, a warning
// and a command without that key otherwise.
class CommandRegistry : public QObject {
    Q_OBJECT
public:
    using Runner = std::function<void(const std::function<void()> &)>;

    // runner runs each command's handler (through the window's error guard); without
    // one the handler is called directly.
    explicit CommandRegistry(QWidget *window, Runner runner = {});

    // Makes the command's action, a child of the window. keyOwner: the widget whose
    // focus the keys of a WidgetShortcut command need (the window otherwise).
    QAction *add(const CommandSpec &spec, QWidget *keyOwner = nullptr);
    // The action of a command made by add(); null for an unknown name.
    QAction *action(const QString &name) const;
    QList<QAction *> actions() const { return m_actions; }

    // What the command does when triggered; a later bind replaces an earlier one. A
    // command with no handler does nothing.
    void bind(const QString &name, std::function<void()> handler);

    // Moves keys between commands: each named command gets the key given for it and
    // loses the keys given to the others. No key may end up on a command outside the
    // assignment.
    void assignKeys(const QList<QPair<QString, QKeySequence>> &assignment);

    // The keys that work anywhere in the window: those of enabled commands with a
    // window-wide context.
    QList<QKeySequence> windowKeys() const;
    // The name of the command holding the key; empty when it is free.
    QString holderOf(const QKeySequence &key) const;

    QWidget *window() const { return m_window; }

private:
    void refuse(const QString &name, const QKeySequence &key, const QString &holder) const;

    QWidget *m_window;
    Runner m_runner;
    QList<QAction *> m_actions;
    std::map<QString, std::function<void()>> m_handlers;
};
