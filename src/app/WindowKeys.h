#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

class CommandRegistry;
class QWidget;

// Makes the keys of a window's commands work from every control of the window. A
// text field claims some of them for its own editing before any command sees them
// (on X11 desktops Ctrl+E moves to the end of the line in every line edit, spin box
// and date field), so the window's key would do nothing while such a field has the
// focus. Here the window's key wins, except the keys a text field needs to edit text.
class WindowKeys : public QObject {
public:
    // The registry tells which keys are window-wide; textKeys: keys that stay with a
    // text field that claims them (Del, for one).
    WindowKeys(const CommandRegistry &registry, QList<QKeySequence> textKeys);
    ~WindowKeys() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isWindowKey(const QKeySequence &key) const;

    const CommandRegistry &m_registry;
    QWidget *m_window;
    QList<QKeySequence> m_textKeys;
};
