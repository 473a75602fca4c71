#include "support/WholeProgram.h"

#include "app/Main.h"
#include "common/CommandRegistry.h"
#include "common/QtUserPrompts.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QMutex>
#include <QPushButton>
#include <QTest>
#include <QWindow>

const QByteArray WholeProgram::DefaultIni = "[Lists]\nBodypart=,Chest,Back\nType_cardio=,Running\n"
                                            "Type_training=,Light,Heavy\nType_execution=,Working set\n"
                                            "[Program]\nTraining_file=workouts.dat\n";

WholeProgram::WholeProgram(const QByteArray &ini, const QList<WorkoutRecord> &workouts,
                           const QList<QPair<QString, QByteArray>> &files)
{
    for (const auto &[name, content] : files)
        env.writeFile(name, content);
    env.writeFile(QStringLiteral("license.txt"), "MIT License\n");
    if (!ini.isNull())
        env.writeFile(QStringLiteral("init.ini"), ini);
    if (!workouts.isEmpty()) {
        QByteArray bytes;
        for (const WorkoutRecord &r : workouts)
            bytes += r.encode();
        env.writeFile(QStringLiteral("workouts.dat"), bytes);
    }
    windows = std::make_unique<ProgramWindows>(prompts);
    prompts.parent = &windows->mainWindow();
    windows->startUp();
    windows->mainWindow().show();
    // Without a window manager nothing else gives the new window the keyboard.
    windows->mainWindow().activateWindow();
    prompts.take();
}

WholeProgram::~WholeProgram()
{
    windows.reset();
}

TfrmMain &WholeProgram::main() const
{
    return windows->mainWindow();
}

QAction *WholeProgram::command(const char *name) const
{
    return main().commands().action(QLatin1String(name));
}

bool WholeProgram::waitUntilActive() const
{
    return QTest::qWaitForWindowActive(&windows->mainWindow());
}

UserPrompts::Answer WholeProgramPrompts::confirm(const QString &text, bool withCancel)
{
    if (!realQuestions)
        return TestPrompts::confirm(text, withCancel);
    shown.append({QStringLiteral("confirm"), text});
    return QtUserPrompts(parent).confirm(text, withCancel);
}

QuestionBoxes::QuestionBoxes(QList<Press> presses) : m_presses(presses), m_asking(QApplication::activeWindow())
{
    connect(&m_poll, &QTimer::timeout, this, &QuestionBoxes::answer);
    m_poll.start(20);
}

void QuestionBoxes::answer()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box) {
        // Without a window manager nothing gives the keyboard back to the window that
        // asked once its box is gone: do what one would.
        QWidget *active = QApplication::activeWindow();
        QWidget *back = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : m_asking.data();
        if (!active && back && back->isVisible())
            back->activateWindow();
        else if (active)
            m_asking = active;
        return;
    }
    // A box is answered once; the press takes a moment to close it.
    if (box == m_answered || !box->windowHandle() || !box->windowHandle()->isExposed())
        return;
    m_answered = box;
    if (m_presses.isEmpty()) {
        unexpected << box->text();
        box->reject();
        return;
    }
    const Press press = m_presses.dequeue();
    asked << box->text();
    if (press == Press::Escape) {
        QTest::keyClick(box, Qt::Key_Escape);
        return;
    }
    if (press == Press::CloseBox) {
        box->windowHandle()->close();
        return;
    }
    QAbstractButton *button = box->button(press == Press::Yes  ? QMessageBox::Yes
                                          : press == Press::No ? QMessageBox::No
                                                               : QMessageBox::Cancel);
    if (!button || !button->isVisible()) {
        unexpected << QStringLiteral("no such button on: ") + box->text();
        box->reject();
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

namespace {
QMutex trapMutex;
QStringList trapped;
QtMessageHandler previousHandler = nullptr;

void trapMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg) {
        const QMutexLocker lock(&trapMutex);
        trapped << message;
    }
    if (previousHandler)
        previousHandler(type, context, message);
}
}

QtWarningTrap::QtWarningTrap()
{
    previousHandler = qInstallMessageHandler(trapMessage);
}

QtWarningTrap::~QtWarningTrap()
{
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
}

QStringList QtWarningTrap::takeWarnings()
{
    const QMutexLocker lock(&trapMutex);
    return std::exchange(trapped, {});
}
