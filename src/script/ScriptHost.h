#pragma once

#include <QString>

class ScriptInterpreter;

// A built-in object of the script language ("math", "string", "array", and the
// training-data objects a host adds). A script reaches it through member texts
// "object_rest": the object receives "rest", the text after the object's "_",
// e.g. "max(a,b)", "2_duration" or "count". Arguments are evaluated through the
// interpreter (EvaluateNumber, EvaluateText).
class ScriptObject {
public:
    virtual ~ScriptObject() = default;

    // The member in a numeric place; a member of the other kind gives 0.
    virtual float numericMember(ScriptInterpreter &interpreter, const QString &member) = 0;
    // The member in a text place; a member of the other kind gives the empty text.
    virtual QString textMember(ScriptInterpreter &interpreter, const QString &member) = 0;
    // A line "object_rest" without "=" (for example workouts_load(3)). Members that
    // are not statements do nothing.
    virtual void statement(ScriptInterpreter &interpreter, const QString &member)
    {
        Q_UNUSED(interpreter);
        Q_UNUSED(member);
    }
};

// What a running script reaches of the program: the message box for output, the
// input dialog, a way to stop the run, and the objects the host adds (the training
// data of the workout shown). The main window implements it with its dialogs and
// form; fortavo-cli with the standard streams; the tests with queues.
class ScriptHost {
public:
    virtual ~ScriptHost() = default;

    // Shows one output text and returns when the user has closed it.
    virtual void showOutput(const QString &text) = 0;
    // Asks for a value in an input dialog with this caption ("Input"), prompt and
    // default text; returns the edited text, or the default text on cancel.
    virtual QString askInput(const QString &caption, const QString &prompt, const QString &defaultText) = 0;
    // Asked every few hundred executed lines; true ends the run as stopped.
    virtual bool stopRequested() { return false; }
    // The object of this name that the host provides ("workouts", "cardio",
    // "exercises"), or nullptr. The library objects are the interpreter's own and are
    // looked up before this.
    virtual ScriptObject *object(const QString &name)
    {
        Q_UNUSED(name);
        return nullptr;
    }
};
