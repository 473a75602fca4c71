#include "CliRunner.h"

#include "TestEnvironment.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

QString cliProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/fortavo-cli");
}

CliRun runCli(const QStringList &args, const QString &workingFolder, const QByteArray &input)
{
    QProcess process;
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    process.start(cliProgram(), args);
    CliRun run;
    if (!process.waitForStarted())
        return run;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
    } else if (process.exitStatus() == QProcess::NormalExit) {
        run.status = process.exitCode();
    }
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

CliRun runCliOver(const TestEnvironment &env, const QStringList &args, const QByteArray &input)
{
    return runCli(QStringList{QStringLiteral("--folder"), env.folder(), QStringLiteral("--training"),
                              env.path(QStringLiteral("workouts.dat")), QStringLiteral("--date-format"),
                              QStringLiteral("d.M.yyyy"), QStringLiteral("--decimal-separator"), QStringLiteral(".")}
                      + args,
                  env.folder(), input);
}

void checkFailure(const CliRun &run, int status, const QString &message)
{
    QCOMPARE(run.status, status);
    QCOMPARE(run.out, QString());
    QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
}
