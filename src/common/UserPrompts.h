#pragma once

#include <QString>

// Every message box, question, input box, file dialog, beep and desktop "open" goes
// through this interface, so windows can be driven by tests.
class UserPrompts {
public:
    enum class Answer { Yes, No, Cancel };

    struct FileDialog {
        QString title;
        QString filter;           // "Data files (*.dat)|*.dat" form: description|pattern pairs
        QString defaultExtension; // without the dot
        QString initialPath;
        bool mustExist = false;        // open dialogs
        bool askBeforeOverwrite = false; // save dialogs
    };

    virtual ~UserPrompts() = default;

    virtual void error(const QString &text) = 0;
    virtual void warning(const QString &text) = 0;
    virtual void information(const QString &text) = 0;
    // A plain message box with no icon.
    virtual void message(const QString &text) = 0;
    // Yes or No; Cancel from the Cancel button, and also when the question is dismissed
    // (Esc, close box) without an answer.
    virtual Answer confirm(const QString &text, bool withCancel = false) = 0;
    // Returns false when the user cancelled; value then stays unchanged.
    virtual bool input(const QString &caption, const QString &prompt, QString &value) = 0;
    // Empty result: the user cancelled.
    virtual QString openFileName(const FileDialog &dialog) = 0;
    virtual QString saveFileName(const FileDialog &dialog) = 0;
    virtual void beep() = 0;
    // The desktop's "open" operation for a file or web address; false if it failed.
    virtual bool openWithDesktop(const QString &pathOrUrl) = 0;
};
