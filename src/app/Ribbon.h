#pragma once

#include <QString>
#include <QWidget>

class QAction;
class QMenu;
class QTabWidget;

// The main window's ribbon: the application menu button, three tabs of command groups
// and the caption with the version. Groups take their fixed places whatever order they
// are added in; buttons of a group and menu items stand in the order they are added.
class Ribbon : public QWidget {
    Q_OBJECT
public:
    static inline const QString TrainingTab = QStringLiteral("Training management");
    static inline const QString ToolsTab = QStringLiteral("Tools");
    static inline const QString HelpTab = QStringLiteral("Help && support");

    explicit Ribbon(QWidget *parent = nullptr);

    // Adds a button for the command to a group of a tab, creating the group. The button
    // shows the command's text on two lines and its key in the tooltip.
    void addCommand(const QString &tab, const QString &group, QAction *action);
    // Puts the command's own action into the application menu, after the items so far.
    void addMenuItem(QAction *action);
    // A further item of a command that is already in the menu under another text: it
    // shows the command's key and triggers it.
    void addMenuItem(const QString &text, QAction *action);
    void addMenuSeparator();

private:
    QTabWidget *m_tabs = nullptr;
    QMenu *m_applicationMenu = nullptr;
};
