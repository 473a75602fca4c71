#pragma once

#include <QString>
#include <QWidget>

class QAction;
class QMenu;
class QTabWidget;

// The main window's ribbon: the application menu button, three tabs of command groups
// and the caption with the version. Commands are added by the main window and by the
// owner of the other windows; groups and menu items take their fixed places whatever
// order they are added in.
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
    // Adds an item to the application menu that triggers the command.
    void addMenuItem(const QString &text, QAction *action);

private:
    QTabWidget *m_tabs = nullptr;
    QMenu *m_applicationMenu = nullptr;
};
