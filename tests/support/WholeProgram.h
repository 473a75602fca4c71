#pragma once

#include "app/ProgramWindows.h"
#include "store/WorkoutRecord.h"
#include "support/TestEnvironment.h"
#include "support/TestPrompts.h"

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QQueue>
#include <QStringList>
#include <QTimer>

#include <memory>

class QAction;
class QMessageBox;
class TfrmMain;

// The test prompts, with the questions optionally asked in the program's real question
// boxes (set realQuestions), to be answered by a QuestionBoxes; messages and file
// dialogs stay the test's.
class WholeProgramPrompts : public TestPrompts {
public:
    bool realQuestions = false;
    QWidget *parent = nullptr;
    Answer confirm(const QString &text, bool withCancel) override;
};

// Answers the question boxes that open while it lives, one press per box in the order
// given, as a user would: a click on a button, Esc or the close box. A box nobody
// expected is recorded and closed.
class QuestionBoxes : public QObject {
public:
    enum class Press { Yes, No, Cancel, Escape, CloseBox };
    explicit QuestionBoxes(QList<Press> presses = {});
    void add(Press press) { m_presses.enqueue(press); }

    QStringList asked;      // the texts of the boxes answered, in order
    QStringList unexpected; // boxes that opened with no press left
    bool allAnswered() const { return m_presses.isEmpty(); }

private:
    void answer();
    QQueue<Press> m_presses;
    QPointer<QMessageBox> m_answered;
    QPointer<QWidget> m_asking; // the active window before the box
    QTimer m_poll;
};

// The whole program as main() assembles it, over a program folder the test writes: every
// window created and wired by the owner, the prompts answered by the test prompts.
class WholeProgram {
public:
    // A configuration with small pick lists and the default file names.
    static const QByteArray DefaultIni;

    // Writes init.ini (unless null), the licence the about window reads and the
    // training file of the given workouts, then starts the program as main() does and
    // shows the main window; the messages of start-up are taken from the prompts.
    // Further files (name, content) are written before start-up too.
    explicit WholeProgram(const QByteArray &ini = DefaultIni, const QList<WorkoutRecord> &workouts = {},
                          const QList<QPair<QString, QByteArray>> &files = {});
    ~WholeProgram();

    TestEnvironment env;
    WholeProgramPrompts prompts;
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
