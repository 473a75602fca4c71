#pragma once

#include "app/ProgramWindows.h"
#include "store/WorkoutRecord.h"
#include "support/TestEnvironment.h"
#include "support/TestPrompts.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <memory>

class QAction;
class TfrmMain;

// The whole program as main() assembles it, over a program folder the test writes: every
// window created and wired by the owner, the prompts answered by the test prompts.
class WholeProgram {
public:
    // A configuration with small pick lists and the default file names.
    static const QByteArray DefaultIni;

    // Writes init.ini (unless null), the licence the about window reads and the
    // training file of the given workouts, then starts the program as main() does and
    // shows the main window; the messages of start-up are taken from the prompts.
    explicit WholeProgram(const QByteArray &ini = DefaultIni, const QList<WorkoutRecord> &workouts = {});
    ~WholeProgram();

    TestEnvironment env;
    TestPrompts prompts;
    std::unique_ptr<ProgramWindows> windows;

    TfrmMain &main() const;
    // A command of the main window's table; fails the test's expectations with a null
    // pointer when there is none.
    QAction *command(const char *name) const;
    // Whether the main window became the active window within a few seconds.
    bool waitUntilActive() const;
};

// While it lives, every Qt warning (an ambiguous shortcut among them), critical
// message and fatal message is recorded; takeWarnings() hands them over. Installed by a
// whole-program test, which fails when any was printed.
class QtWarningTrap {
public:
    QtWarningTrap();
    ~QtWarningTrap();
    QtWarningTrap(const QtWarningTrap &) = delete;
    QtWarningTrap &operator=(const QtWarningTrap &) = delete;

    QStringList takeWarnings();
};
