#include "common/CommandRegistry.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QWidget>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {
const QKeySequence Del(Qt::Key_Delete), CtrlDel(Qt::CTRL | Qt::Key_Delete), AltDel(Qt::ALT | Qt::Key_Delete);

CommandSpec spec(const char *name, QList<QKeySequence> keys, Qt::ShortcutContext context = Qt::WindowShortcut)
{
    return {QLatin1String(name), QLatin1String(name), std::move(keys), context, {}, {}};
}

struct ChildEnd {
    bool aborted = false;
    int status = -1;
    QByteArray err;
};

// Runs work in a forked child with its standard error caught.
ChildEnd inChild(const std::function<void()> &work)
{
    int channel[2];
    if (::pipe(channel) != 0)
        qFatal("pipe failed");
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Qt's own message handler and the default abort, not the test framework's.
        qInstallMessageHandler(nullptr);
        std::signal(SIGABRT, SIG_DFL);
        ::dup2(channel[1], STDERR_FILENO);
        ::close(channel[0]);
        work();
        ::_exit(0);
    }
    ::close(channel[1]);
    ChildEnd end;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        end.err.append(buffer, n);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    end.aborted = WIFSIGNALED(status) && WTERMSIG(status) == SIGABRT;
    end.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return end;
}
}

class TestCommandRegistry : public QObject {
    Q_OBJECT

private slots:
    void aKeyAlreadyTakenIsRefused_data()
    {
        QTest::addColumn<bool>("bySecondCommand"); // else by a later key move
        QTest::newRow("a second command asks for it") << true;
        QTest::newRow("a key move gives it to a second command") << false;
    }
    void aKeyAlreadyTakenIsRefused()
    {
        QFETCH(bool, bySecondCommand);
        QWidget window;
        window.setObjectName("frmTest");
        CommandRegistry registry(&window);
        registry.add(spec("actVjezbe", {QKeySequence(Qt::CTRL | Qt::Key_E)}));
        registry.add(spec("actFree", {}));
        const ChildEnd end = inChild([&] {
            if (bySecondCommand)
                registry.add(spec("actOther", {QKeySequence(Qt::Key_F9), QKeySequence(Qt::CTRL | Qt::Key_E)}));
            else
                registry.assignKeys({{"actFree", QKeySequence(Qt::CTRL | Qt::Key_E)}});
            // Without the assertion (a release build) the command goes without the key.
            const bool refused = registry.holderOf(QKeySequence(Qt::CTRL | Qt::Key_E)) == QLatin1String("actVjezbe")
                                 && registry.action("actVjezbe")->shortcuts().size() == 1;
            ::_exit(refused ? 3 : 4);
        });
        QVERIFY2(end.err.contains("Ctrl+E"), end.err.constData());
        QVERIFY2(end.err.contains("already taken by actVjezbe"), end.err.constData());
#ifdef QT_NO_DEBUG
        QCOMPARE(end.status, 3);
#else
        QVERIFY2(end.aborted, end.err.constData());
#endif
    }

    void keysMoveBetweenCommandsWithoutEverBeingHeldTwice()
    {
        QWidget window;
        CommandRegistry registry(&window);
        registry.add(spec("actObrisi", {Del, QKeySequence(Qt::Key_F9)}));
        registry.add(spec("actObrisiRed", {CtrlDel}));
        registry.add(spec("actObrisiKardio", {AltDel}));
        int changes = 0;
        for (QAction *action : registry.actions())
            connect(action, &QAction::changed, this, [&] {
                // At every step of the move each key has at most one holder.
                for (const QKeySequence &key : {Del, CtrlDel, AltDel}) {
                    int holders = 0;
                    for (QAction *a : registry.actions())
                        holders += a->shortcuts().contains(key);
                    QVERIFY(holders <= 1);
                }
                ++changes;
            });
        registry.assignKeys({{"actObrisiRed", Del}, {"actObrisi", CtrlDel}, {"actObrisiKardio", AltDel}});
        QVERIFY(changes > 0);
        QCOMPARE(registry.holderOf(Del), QStringLiteral("actObrisiRed"));
        QCOMPARE(registry.holderOf(CtrlDel), QStringLiteral("actObrisi"));
        QCOMPARE(registry.holderOf(AltDel), QStringLiteral("actObrisiKardio"));
        // A key outside the move stays where it was.
        QCOMPARE(registry.action("actObrisi")->shortcuts(), (QList<QKeySequence>{QKeySequence(Qt::Key_F9), CtrlDel}));
        QCOMPARE(registry.action("actObrisiRed")->shortcuts(), QList<QKeySequence>{Del});
    }

    void windowKeysLeaveOutFocusedWidgetKeysAndDisabledCommands()
    {
        QWidget window, list(&window);
        CommandRegistry registry(&window);
        registry.add(spec("actVjezbe", {QKeySequence(Qt::CTRL | Qt::Key_E)}));
        registry.add(spec("bitCut", {QKeySequence(Qt::CTRL | Qt::Key_X)}, Qt::WidgetShortcut), &list);
        registry.add(spec("actWebsite", {QKeySequence(Qt::Key_F8)}))->setEnabled(false);
        QCOMPARE(registry.windowKeys(), QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_E)});
        // The keys of a widget command belong to that widget.
        QVERIFY(list.actions().contains(registry.action("bitCut")));
        QVERIFY(!window.actions().contains(registry.action("bitCut")));
        QVERIFY(window.actions().contains(registry.action("actVjezbe")));
    }

    void aTriggeredCommandRunsItsBoundWorkThroughTheRunner()
    {
        QWidget window;
        QStringList log;
        CommandRegistry registry(&window, [&log](const std::function<void()> &work) {
            log << "guard";
            work();
        });
        QAction *action = registry.add(spec("actNovi", {QKeySequence(Qt::CTRL | Qt::Key_N)}));
        action->trigger(); // nothing bound yet: nothing runs
        QCOMPARE(log, QStringList());
        registry.bind("actNovi", [&log] { log << "first"; });
        action->trigger();
        registry.bind("actNovi", [&log] { log << "second"; });
        action->trigger();
        QCOMPARE(log, (QStringList{"guard", "first", "guard", "second"}));
    }
};

QTEST_MAIN(TestCommandRegistry)
#include "tst_commandregistry.moc"
