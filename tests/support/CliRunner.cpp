#include "CliRunner.h"

#include <QCoreApplication>
#include <QProcess>

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
