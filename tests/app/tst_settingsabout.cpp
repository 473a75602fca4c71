#include "about/About.h"
#include "app/Main.h"
#include "app/ProgramWindows.h"
#include "config/IniFile.h"
#include "config/Postavke.h"
#include "support/TestEnvironment.h"
#include "support/TestPrompts.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {
const QString Restart =
    QStringLiteral("In order to make changes on the configuration file valid, Fortavo se must be restarted.");
const QString Missing =
    QStringLiteral("The product license could not be found!\nPlease visit the Fortavo website for more information.");
const QByteArray Ini = "[Lists]\nType_cardio=,Running\n[Program]\nTraining_file=workouts.dat\n";
}

// The settings and about windows as the main window offers them.
class TestSettingsAbout : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    TestPrompts prompts;
    std::unique_ptr<ProgramWindows> windows;

    TfrmMain &main() const { return windows->mainWindow(); }
    QToolButton *button(const char *name) const
    {
        auto *b = main().findChild<QToolButton *>(QString::fromLatin1(name));
        if (!b)
            qFatal("no button %s", name);
        return b;
    }
    QString groupOf(const char *name) const { return qobject_cast<QGroupBox *>(button(name)->parentWidget())->title(); }
    void start(bool withLicence)
    {
        windows.reset();
        env = std::make_unique<TestEnvironment>();
        prompts = TestPrompts();
        env->writeFile("init.ini", Ini);
        if (withLicence)
            env->writeFile("license.txt", "MIT License\n");
        windows = std::make_unique<ProgramWindows>(prompts);
        windows->startUp();
        main().show();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
    }
    // Runs trigger, which opens a modal window; act works in that window and leaves it.
    void inModal(const std::function<void()> &trigger, const std::function<void(QWidget *)> &act)
    {
        bool acted = false, leftOpen = false;
        QTimer::singleShot(0, &main(), [&] {
            QWidget *modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            // Keys go where the focus is: in the modal window, not the main window's list.
            modal->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(modal));
            QTRY_VERIFY(modal->isAncestorOf(QApplication::focusWidget()));
            act(modal);
            acted = true;
            if (modal->isVisible()) {
                leftOpen = true;
                modal->close();
            }
        });
        trigger();
        QVERIFY(acted);
        QVERIFY2(!leftOpen, "the window was left open");
    }

private slots:
    void cleanup()
    {
        windows.reset();
        env.reset();
    }

    void f2ShowsTheSettingsAndOkWritesThem()
    {
        start(true);
        QCOMPARE(prompts.take(), QList<TestPrompts::Shown>());
        QCOMPARE(groupOf("rbnactSettings"), QStringLiteral("Settings"));
        QCOMPARE(button("rbnactSettings")->toolTip(), QStringLiteral("Program settings (F2)"));
        inModal([this] { QTest::keyClick(&main(), Qt::Key_F2); },
                [](QWidget *modal) {
                    QCOMPARE(modal->objectName(), QStringLiteral("frmPostavke"));
                    modal->findChild<QLineEdit *>("ledCardio")->setText("Rowing");
                    QTest::mouseClick(modal->findChild<QPushButton *>("bitAdd2"), Qt::LeftButton);
                    auto *trainingFile = modal->findChild<QLineEdit *>("ledTrainingFile");
                    trainingFile->setFocus(Qt::MouseFocusReason);
                    QTest::keyClick(trainingFile, Qt::Key_Return);
                });
        QCOMPARE(prompts.take(), (QList<TestPrompts::Shown>{{"information", Restart}}));
        QCOMPARE(IniFile(env->path("init.ini")).readString("Lists", "Type_cardio", "<none>"),
                 QStringLiteral(",Running,Rowing"));

        // Cancel writes nothing and says nothing; the ribbon button opens the window too.
        const QByteArray before = env->readFile("init.ini");
        inModal([this] { button("rbnactSettings")->click(); },
                [](QWidget *modal) { QTest::keyClick(modal->findChild<QListWidget *>("lstCardio"), Qt::Key_Escape); });
        QCOMPARE(prompts.take(), QList<TestPrompts::Shown>());
        QCOMPARE(env->readFile("init.ini"), before);
    }

    void aboutButtonShowsTheLicence()
    {
        start(true);
        QCOMPARE(prompts.take(), QList<TestPrompts::Shown>());
        QCOMPARE(groupOf("rbnbitAbout"), QStringLiteral("Help"));
        QCOMPARE(button("rbnbitAbout")->toolTip(), QStringLiteral("About Fortavo"));
        for (int showing = 0; showing < 2; ++showing)
            inModal([this] { button("rbnbitAbout")->click(); },
                    [](QWidget *modal) {
                        QCOMPARE(modal->windowTitle(), QStringLiteral("About Fortavo"));
                        QCOMPARE(modal->findChild<QPlainTextEdit *>("memLicenca")->toPlainText(),
                                 QStringLiteral("MIT License"));
                        QTest::mouseClick(modal->findChild<QPushButton *>("bitOk"), Qt::LeftButton);
                    });
        QVERIFY(!QApplication::windowIcon().isNull());
    }

    void aMissingLicenceIsReportedOnceAtStartUp()
    {
        start(false);
        QCOMPARE(prompts.take(), (QList<TestPrompts::Shown>{{"error", Missing}}));
        for (int showing = 0; showing < 2; ++showing)
            inModal([this] { button("rbnbitAbout")->click(); },
                    [](QWidget *modal) { QTest::keyClick(modal, Qt::Key_Escape); });
        QCOMPARE(prompts.take(), QList<TestPrompts::Shown>());
    }

    void webCommandsWithoutAnAddress_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::newRow("website") << "actWebsite" << "Visit Fortavo website";
        QTest::newRow("updates") << "actUpdates" << "Check for updates";
    }
    void webCommandsWithoutAnAddress()
    {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        start(true);
        QToolButton *b = button(qPrintable("rbn" + name));
        QCOMPARE(groupOf(qPrintable("rbn" + name)), QStringLiteral("Web"));
        QVERIFY(!b->isEnabled());
        QVERIFY(b->toolTip().startsWith(hint));
        QVERIFY(b->toolTip().contains(QStringLiteral("no web address")));
        b->click();
        QCOMPARE(prompts.take(), QList<TestPrompts::Shown>());
        // The about window's link is plain text then, and opens nothing.
        inModal([this] { button("rbnbitAbout")->click(); },
                [](QWidget *modal) {
                    auto *link = modal->findChild<QLabel *>("lblWeb");
                    QVERIFY(!link->font().underline());
                    QTest::mouseClick(link, Qt::LeftButton);
                    QVERIFY(modal->isVisible());
                    modal->close();
                });
        QCOMPARE(prompts.take(), QList<TestPrompts::Shown>());
    }
};

QTEST_MAIN(TestSettingsAbout)
#include "tst_settingsabout.moc"
