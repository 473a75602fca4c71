#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <QStringList>

class CommandRegistry;
class PastWorkoutsList;
class Ribbon;

// The main window's commands, the one place that names their keys and where each is
// offered. The main window and the owner of the other windows attach what a command
// does by its name (CommandRegistry::bind).
struct MainCommand {
    enum Keys { WindowWide, WhileListFocused };

    const char *name;
    const char *text;             // the ribbon's caption; the action's text when no menu names it
    QList<QKeySequence> keys;
    Keys scope;
    QString tab;                  // ribbon tab and group; no tab: not in the ribbon
    const char *group;
    QStringList menuTexts;        // items of the application menu; the first is the action itself
    bool separatorBefore;         // in the application menu
    const char *popupText;        // the item of the list's pop-up menu, when it has one
    const char *toolTip;          // the ribbon button's hint, when it is not the caption
};

const QList<MainCommand> &mainCommands();

// Makes every command's one action through the registry, and puts it on its ribbon
// button, its application menu item and its pop-up item.
void placeMainCommands(CommandRegistry &registry, Ribbon &ribbon, PastWorkoutsList &list);
