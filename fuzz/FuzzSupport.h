#pragma once

#include "common/RegionalSettings.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// What every fuzz target shares: fixed regional settings and a private folder, on a
// memory file system where there is one, for the files an input is written to.
namespace FuzzSupport {
inline QString folder()
{
    static int argc = 1;
    static char name[] = "fortavo-fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static const bool settingsPinned = [] {
        RegionalSettings::setCurrent(RegionalSettings());
        return true;
    }();
    Q_UNUSED(settingsPinned);
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/fortavo-fuzz-XXXXXX")
                                                                       : QDir::tempPath() + "/fortavo-fuzz-XXXXXX");
    return dir.path() + QLatin1Char('/');
}

// Writes the input to a file of this name in the folder and returns its path.
inline QString inputFile(const QString &name, const uint8_t *data, size_t size)
{
    const QString path = folder() + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        qFatal("cannot write the fuzz input to %s", qPrintable(path));
    return path;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
