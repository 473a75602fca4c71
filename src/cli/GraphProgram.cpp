#include "cli/GraphProgram.h"

#include "common/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

QString graphProgram()
{
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString &candidate : {QStringLiteral("fortavo-graph"), QStringLiteral("../libexec/fortavo/fortavo-graph")})
        if (QFileInfo(here.filePath(candidate)).isExecutable())
            return here.filePath(candidate);
    throw FortavoError(QStringLiteral("The graph cannot be drawn: the program fortavo-graph was not found beside %1.")
                           .arg(QCoreApplication::applicationFilePath()));
}

void runGraphProgram(const QStringList &args, const QByteArray &input)
{
    QProcess process;
    process.start(graphProgram(), args);
    if (!process.waitForStarted())
        throw FortavoError(QStringLiteral("The graph cannot be drawn: %1").arg(process.errorString()));
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    const QString message = QString::fromUtf8(process.readAllStandardError()).trimmed();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw FortavoError(message.isEmpty() ? QStringLiteral("The graph could not be drawn.") : message);
}
