#pragma once

#include "common/UserPrompts.h"

#include <QQueue>
#include <QTextStream>

// The prompts of fortavo-cli: messages go to standard output and errors and warnings
// to standard error, each as whole lines with LF ends. A file dialog answers with the
// next file name the command queued (none: cancelled); a question answers No and an
// input box is cancelled, since a command takes all it needs from its arguments.
class CliPrompts : public UserPrompts {
public:
    CliPrompts(QTextStream &out, QTextStream &err) : m_out(out), m_err(err) {}

    QQueue<QString> fileAnswers;

    // True once an error was shown: the command has failed.
    bool errorShown() const { return m_errorShown; }

    void error(const QString &text) override;
    void warning(const QString &text) override;
    void information(const QString &text) override;
    void message(const QString &text) override;
    Answer confirm(const QString &text, bool withCancel) override;
    bool input(const QString &caption, const QString &prompt, QString &value) override;
    QString openFileName(const FileDialog &dialog) override;
    QString saveFileName(const FileDialog &dialog) override;
    void beep() override {}
    bool openWithDesktop(const QString &) override { return false; }

private:
    QString nextFile();

    QTextStream &m_out;
    QTextStream &m_err;
    bool m_errorShown = false;
};

// The text with LF line ends, ending with one.
QString cliLines(QString text);
