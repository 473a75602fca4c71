#include "common/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString &folder()
{
    static QString value;
    return value;
}
}

QString ProgramFolder::path()
{
    if (folder().isEmpty() && QCoreApplication::instance())
        setPath(defaultFolder(QCoreApplication::applicationDirPath()));
    return folder();
}

void ProgramFolder::setPath(const QString &dir)
{
    QString clean = QDir::cleanPath(QDir(dir).absolutePath());
    if (!clean.endsWith(QLatin1Char('/')))
        clean += QLatin1Char('/');
    folder() = clean;
}

QString ProgramFolder::resolve(const QString &fileName)
{
    if (fileName.contains(QLatin1Char('/')))
        return fileName;
    return path() + fileName;
}

QString ProgramFolder::configFile()
{
    return path() + QStringLiteral("init.ini");
}

QString ProgramFolder::defaultFolder(const QString &executableFolder)
{
    const QFileInfo ownConfig(QDir(executableFolder).filePath(QStringLiteral("init.ini")));
    if (ownConfig.isFile() && ownConfig.isWritable())
        return executableFolder;
    const QString data = userDataFolder();
    QDir().mkpath(data);
    seed(data, installedDefaults(executableFolder));
    return data;
}

QString ProgramFolder::userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/fortavo");
}

QString ProgramFolder::installedDefaults(const QString &executableFolder)
{
    const QString besideBin = QDir::cleanPath(executableFolder + QStringLiteral("/../share/fortavo"));
    if (QFileInfo(besideBin).isDir())
        return besideBin;
    const QString found = QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("fortavo"),
                                                 QStandardPaths::LocateDirectory);
    // The user's own data folder is no source of defaults.
    return QDir(found) == QDir(userDataFolder()) ? QString() : found;
}

void ProgramFolder::seed(const QString &target, const QString &defaults)
{
    if (defaults.isEmpty())
        return;
    const QDir source(defaults);
    QDirIterator it(defaults, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = QDir(target).filePath(source.relativeFilePath(from));
        if (QFileInfo::exists(to))
            continue;
        QDir().mkpath(QFileInfo(to).absolutePath());
        // A shipped file is read-only once installed; the user's copy must be writable.
        if (QFile::copy(from, to))
            QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
    }
}
