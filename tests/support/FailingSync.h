#pragma once

#include <QFile>
#include <QProcessEnvironment>
#include <QString>

// The environment of a child process with the FailingSync library preloaded, and
// with its fsync and fdatasync failing when `failing` is set. A program built with
// AddressSanitizer needs its runtime first in the preload list: when this process
// has it loaded, it is put in front.
inline QProcessEnvironment failingSyncEnvironment(bool failing)
{
    QString preload = QStringLiteral(FORTAVO_FAILING_SYNC_LIBRARY);
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (maps.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : maps.readAll().split('\n')) {
            const qsizetype at = line.indexOf('/');
            if (at >= 0 && line.contains("/libasan.so")) {
                preload.prepend(QString::fromLocal8Bit(line.mid(at)) + QLatin1Char(':'));
                break;
            }
        }
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LD_PRELOAD"), preload);
    if (failing)
        environment.insert(QStringLiteral("FORTAVO_FAIL_SYNC"), QStringLiteral("1"));
    else
        environment.remove(QStringLiteral("FORTAVO_FAIL_SYNC"));
    return environment;
}
