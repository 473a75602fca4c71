#pragma once

#include "common/UserPrompts.h"

#include <QList>
#include <QQueue>
#include <QStringList>

// Prompts for tests: answers questions from queues the test fills, records every
// message shown, and fails the test on a question nobody expected.
class TestPrompts : public UserPrompts {
public:
    struct Shown {
        QString kind; // "error", "warning", "information", "message", "confirm", "input", "open", "save", "beep", "desktop"
        QString text;
        bool operator==(const Shown &o) const { return kind == o.kind && text == o.text; }
    };

    QList<Shown> shown;
    QQueue<Answer> confirmAnswers;
    QQueue<QString> inputAnswers;    // a null QString answers Cancel
    QQueue<QString> fileAnswers;     // an empty QString answers Cancel
    QList<FileDialog> fileDialogs;   // the dialogs asked for, in order
    bool desktopOpenSucceeds = true;

    void error(const QString &text) override { record(QStringLiteral("error"), text); }
    void warning(const QString &text) override { record(QStringLiteral("warning"), text); }
    void information(const QString &text) override { record(QStringLiteral("information"), text); }
    void message(const QString &text) override { record(QStringLiteral("message"), text); }
    Answer confirm(const QString &text, bool withCancel) override;
    bool input(const QString &caption, const QString &prompt, QString &value) override;
    QString openFileName(const FileDialog &dialog) override;
    QString saveFileName(const FileDialog &dialog) override;
    void beep() override { record(QStringLiteral("beep"), QString()); }
    bool openWithDesktop(const QString &pathOrUrl) override;

    // The messages shown since the last call, then forgets them.
    QList<Shown> take();
    // Texts of shown messages of one kind.
    QStringList texts(const QString &kind) const;

private:
    void record(const QString &kind, const QString &text) { shown.append({kind, text}); }
};

char *toString(const TestPrompts::Shown &shown);
