#include "app/Commands.h"

#include "app/PastWorkoutsList.h"
#include "app/Ribbon.h"
#include "common/CommandRegistry.h"

#include <QAction>
#include <QMenu>

namespace {
QKeySequence key(QKeyCombination combination)
{
    return QKeySequence(combination);
}

const QString Training = Ribbon::TrainingTab, Tools = Ribbon::ToolsTab, Help = Ribbon::HelpTab;
constexpr auto Window = MainCommand::WindowWide, List = MainCommand::WhileListFocused;

// The list's pop-up menu, in order; "-" is a separator.
const QStringList ListMenu = {"mniOpenTraining", "mniSecondWindow", "-", "bitCut", "bitCopy", "bitPaste",
                              "-", "actObrisi", "mniUndo"};
}

// Ribbon buttons of a group, application menu items and pop-up items stand in the order
// of this table. The delete keys move between actObrisi, actObrisiRed and actObrisiKardio
// as the user clicks (DeleteKeys); the keys here are those at start.
const QList<MainCommand> &mainCommands()
{
    // clang-format off
    static const QList<MainCommand> table = {
    // name, ribbon caption, keys, keys work, ribbon tab, group, application menu, separator before, pop-up, hint
    {"actNoviTrening", "New training file", {key(Qt::ALT | Qt::Key_N)}, Window, Training, "Files", {"New &training file"}, false, nullptr, nullptr},
    {"actOtvoriTrening", "Open training file", {key(Qt::ALT | Qt::Key_O)}, Window, Training, "Files", {}, false, nullptr, nullptr},
    {"actNovi", "New workout", {key(Qt::CTRL | Qt::Key_N)}, Window, Training, "Workouts", {"&New", "New &workout"}, false, nullptr, nullptr},
    {"actSpremi", "Save changes", {key(Qt::CTRL | Qt::Key_S)}, Window, Training, "Workouts", {"&Save workout"}, false, nullptr, nullptr},
    {"bitCut", "Cut workout", {key(Qt::CTRL | Qt::Key_X)}, List, Training, "Editing", {}, false, "C&ut", "Cut workout (Ctrl+X)"},
    {"bitCopy", "Copy workout", {key(Qt::CTRL | Qt::Key_C)}, List, Training, "Editing", {}, false, "&Copy", "Copy workout (Ctrl+C)"},
    {"bitPaste", "Paste workout", {key(Qt::CTRL | Qt::Key_V)}, List, Training, "Editing", {}, false, "&Paste", "Paste workout (Ctrl+V)"},
    {"actObrisi", "Delete workout", {key(Qt::Key_Delete)}, Window, Training, "Workouts", {}, false, "&Delete", nullptr},
    {"actObrisiRed", "Delete exercise row", {key(Qt::CTRL | Qt::Key_Delete)}, Window, {}, nullptr, {}, false, nullptr, nullptr},
    {"actObrisiKardio", "Delete cardio row", {key(Qt::ALT | Qt::Key_Delete)}, Window, {}, nullptr, {}, false, nullptr, nullptr},
    {"actUndo", "Undo deletion", {key(Qt::ALT | Qt::Key_Z)}, Window, Training, "Workouts", {}, false, nullptr, nullptr},
    // The pop-up's undo item is enabled only after a workout deletion, while Alt+Z and
    // the ribbon button undo any deletion: an item of its own, without a key.
    {"mniUndo", "Undo deletion", {}, Window, {}, nullptr, {}, false, "&Undo deletion", nullptr},
    {"mniOpenTraining", "View", {key(Qt::Key_Return), key(Qt::Key_Enter)}, List, {}, nullptr, {}, false, "&View", nullptr},
    {"mniSecondWindow", "View in second window", {key(Qt::CTRL | Qt::Key_Return), key(Qt::CTRL | Qt::Key_Enter)}, List, {}, nullptr, {}, false, "Vie&w in second window", nullptr},
    {"actVjezbe", "Exercise list", {key(Qt::CTRL | Qt::Key_E)}, Window, Training, "Exercise list", {"&Exercises list"}, false, nullptr, nullptr},
    {"actCiljevi", "Edit your goals", {key(Qt::CTRL | Qt::Key_G)}, Window, Training, "Goals", {"&Goals"}, false, nullptr, nullptr},
    {"actIzvezi", "Export to a text file", {key(Qt::ALT | Qt::Key_T)}, Window, Tools, "Export", {}, false, nullptr, nullptr},
    {"actHtml", "Export to an HTML file", {key(Qt::ALT | Qt::Key_H)}, Window, Tools, "Export", {}, false, nullptr, nullptr},
    {"actVolumen", "Workout density", {key(Qt::Key_F3)}, Window, Tools, "Workout analysis", {}, false, nullptr, nullptr},
    {"actUkupniVolumen", "Density for the enitre day", {key(Qt::Key_F4)}, Window, Tools, "Workout analysis", {}, false, nullptr, nullptr},
    {"actStatistikaTjedna", "Analysis of a week", {key(Qt::Key_F5)}, Window, Tools, "Training analysis", {}, false, nullptr, nullptr},
    {"actStatIzvezi", "Export all week analysises", {key(Qt::Key_F6)}, Window, Tools, "Export", {}, false, nullptr, nullptr},
    {"actStatistika", "Training analysis", {key(Qt::Key_F7)}, Window, Tools, "Training analysis", {}, false, nullptr, nullptr},
    {"actNapredak", "Progress", {key(Qt::CTRL | Qt::Key_P)}, Window, Tools, "Training analysis", {"&Progress"}, false, nullptr, "Charts of your exercises and training, and your personal records"},
    {"actSkripta", "Run a script", {key(Qt::CTRL | Qt::Key_R)}, Window, Tools, "Scripting", {}, false, nullptr, nullptr},
    {"actSkriptEditor", "Script editor", {key(Qt::ALT | Qt::Key_R)}, Window, Tools, "Scripting", {"S&cript editor"}, false, nullptr, nullptr},
    {"bitConverter", "Format converter", {}, Window, Tools, "Converter", {}, false, nullptr, nullptr},
    {"actSettings", "Settings", {key(Qt::Key_F2)}, Window, Help, "Settings", {}, false, nullptr, "Program settings"},
    {"actInit2", "Change settings file directly", {key(Qt::CTRL | Qt::Key_F2)}, Window, Help, "Settings", {}, false, nullptr, nullptr},
    // The application menu's "Help" opens the help file as the ribbon's does: one command, one F1.
    {"actHelp", "Help", {key(Qt::Key_F1)}, Window, Help, "Help", {"Help"}, true, nullptr, nullptr},
    {"bitAbout", "About Fortavo", {}, Window, Help, "Help", {}, false, nullptr, nullptr},
    {"actWebsite", "Website", {}, Window, Help, "Web", {}, false, nullptr, "Visit Fortavo website"},
    {"actUpdates", "Updates", {}, Window, Help, "Web", {}, false, nullptr, "Check for updates"},
    {"actIzadji", "Exit Fortavo", {key(Qt::ALT | Qt::Key_F4)}, Window, {}, nullptr, {"E&xit Fortavo"}, false, nullptr, nullptr},
    {"actImportCsv", "Import workouts...", {}, Window, Tools, "Export", {}, false, nullptr, "Import workouts from another app's CSV export"},
    {"actExportCsv", "Export to CSV...", {}, Window, Tools, "Export", {}, false, nullptr, "Export the training file as CSV for spreadsheets and trainers"},
    };
    // clang-format on
    return table;
}

void placeMainCommands(CommandRegistry &registry, Ribbon &ribbon, PastWorkoutsList &list)
{
    for (const MainCommand &command : mainCommands()) {
        const QString caption = QString::fromUtf8(command.text);
        CommandSpec spec;
        spec.name = QString::fromLatin1(command.name);
        spec.text = !command.menuTexts.isEmpty() ? command.menuTexts.first()
                    : command.popupText          ? QString::fromUtf8(command.popupText)
                                                 : caption;
        spec.iconText = caption;
        spec.toolTip = command.toolTip ? QString::fromUtf8(command.toolTip) : caption;
        spec.keys = command.keys;
        spec.context = command.scope == MainCommand::WhileListFocused ? Qt::WidgetShortcut : Qt::WindowShortcut;
        QAction *action = registry.add(spec, command.scope == MainCommand::WhileListFocused ? &list : nullptr);
        if (!command.tab.isEmpty())
            ribbon.addCommand(command.tab, QString::fromUtf8(command.group), action);
        if (command.separatorBefore)
            ribbon.addMenuSeparator();
        for (qsizetype i = 0; i < command.menuTexts.size(); ++i) {
            if (i == 0)
                ribbon.addMenuItem(action);
            else
                ribbon.addMenuItem(command.menuTexts.at(i), action);
        }
    }
    for (const QString &name : ListMenu) {
        if (name == QLatin1String("-"))
            list.menu()->addSeparator();
        else
            list.menu()->addAction(registry.action(name));
    }
}
