#include "support/WholeProgram.h"

#include "app/Main.h"
#include "common/CommandRegistry.h"

#include <QAction>
#include <QMutex>
#include <QTest>

const QByteArray WholeProgram::DefaultIni = "[Lists]\nBodypart=,Chest,Back\nType_cardio=,Running\n"
                                            "Type_training=,Light,Heavy\nType_execution=,Working set\n"
                                            "[Program]\nTraining_file=workouts.dat\n";

WholeProgram::WholeProgram(const QByteArray &ini, const QList<WorkoutRecord> &workouts)
{
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
