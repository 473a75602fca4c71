#pragma once

#include <QKeySequence>
#include <QList>

// The main window's window-wide commands and their keys, as the user presses them. The
// delete keys are left out: they move between three commands with the area the user
// works in, and Del stays a text field's own.
struct MainWindowKey {
    const char *command;
    QKeySequence key;
};

inline const QList<MainWindowKey> &mainWindowKeys()
{
    static const QList<MainWindowKey> keys = {
        {"actNoviTrening", QKeySequence(Qt::ALT | Qt::Key_N)},  {"actOtvoriTrening", QKeySequence(Qt::ALT | Qt::Key_O)},
        {"actNovi", QKeySequence(Qt::CTRL | Qt::Key_N)},        {"actSpremi", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"actUndo", QKeySequence(Qt::ALT | Qt::Key_Z)},         {"actVjezbe", QKeySequence(Qt::CTRL | Qt::Key_E)},
        {"actCiljevi", QKeySequence(Qt::CTRL | Qt::Key_G)},     {"actIzvezi", QKeySequence(Qt::ALT | Qt::Key_T)},
        {"actHtml", QKeySequence(Qt::ALT | Qt::Key_H)},         {"actVolumen", QKeySequence(Qt::Key_F3)},
        {"actUkupniVolumen", QKeySequence(Qt::Key_F4)},         {"actStatistikaTjedna", QKeySequence(Qt::Key_F5)},
        {"actStatIzvezi", QKeySequence(Qt::Key_F6)},            {"actStatistika", QKeySequence(Qt::Key_F7)},
        {"actSkripta", QKeySequence(Qt::CTRL | Qt::Key_R)},     {"actSkriptEditor", QKeySequence(Qt::ALT | Qt::Key_R)},
        {"actSettings", QKeySequence(Qt::Key_F2)},              {"actInit2", QKeySequence(Qt::CTRL | Qt::Key_F2)},
        {"actHelp", QKeySequence(Qt::Key_F1)},                  {"actIzadji", QKeySequence(Qt::ALT | Qt::Key_F4)},
        {"actNapredak", QKeySequence(Qt::CTRL | Qt::Key_P)}};
    return keys;
}
