#pragma once

#include "support/TestEnvironment.h"
#include "support/TestPrompts.h"

#include <QDialog>
#include <QObject>
#include <QString>
#include <QTest>
#include <QTimer>

#include <functional>

// What the tests of one window share: a fresh program folder, test prompts and the
// window over them, its controls found by name, and a failed test when a message was
// shown that no test took.
template <typename Window>
class WindowFixture : public QObject {
protected:
    TestEnvironment *env = nullptr;
    TestPrompts *prompts = nullptr;
    Window *window = nullptr;

    // The window's control of that name; a missing control ends the run, as every
    // later check on it would be meaningless.
    template <typename T>
    T *control(const QString &name) const
    {
        T *c = window->template findChild<T *>(name);
        if (!c)
            qFatal("no control %s", qPrintable(name));
        return c;
    }
    template <typename T>
    T *control(const char *name) const
    {
        return control<T>(QString::fromLatin1(name));
    }

    // Creates the program folder and the prompts, then the window by make. With
    // `shared`, the window answers through prompts that someone else owns.
    void startWindow(const std::function<Window *()> &make, TestPrompts *shared = nullptr)
    {
        env = new TestEnvironment;
        ownsPrompts = !shared;
        prompts = shared ? shared : new TestPrompts;
        window = make();
    }
    // Deletes the window, then whatever `release` frees (what the window used), the
    // prompts and the folder; fails the test when a message was shown that no test took.
    void endWindow(const std::function<void()> &release = {})
    {
        delete window;
        window = nullptr;
        const QList<TestPrompts::Shown> shown = prompts->shown;
        if (release)
            release();
        if (ownsPrompts)
            delete prompts;
        prompts = nullptr;
        delete env;
        env = nullptr;
        QVERIFY2(shown.isEmpty(), qPrintable(shown.value(0).kind + QStringLiteral(": ") + shown.value(0).text));
    }

    // Runs open, which shows the window (a dialog) modally and returns when it closes;
    // act works in the shown window and leaves it.
    void whileModal(const std::function<void()> &open, const std::function<void()> &act)
    {
        bool acted = false, leftOpen = false;
        QTimer::singleShot(0, window, [&] {
            QVERIFY(QTest::qWaitForWindowActive(window));
            act();
            acted = true;
            // A failed check inside act returns early; the window must not stay open.
            if (window->isVisible()) {
                leftOpen = true;
                window->done(QDialog::Rejected);
            }
        });
        open();
        QVERIFY(acted);
        QVERIFY2(!leftOpen, "the window was left open");
    }

private:
    bool ownsPrompts = true;
};
