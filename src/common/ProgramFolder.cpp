#include "common/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {
QString &folder()
{
    static QString value;
    return value;
}

QString &problem()
{
    static QString value;
    return value;
}

// Creates the folder and its missing parents; the system's reason when one fails.
QString makeFolder(const QString &path)
{
    const QStringList parts = QDir::cleanPath(path).split(QLatin1Char('/'));
    QString current;
    for (const QString &part : parts) {
        current += part + QLatin1Char('/');
        if (part.isEmpty() || QFileInfo(current).isDir())
            continue;
        if (::mkdir(QFile::encodeName(current).constData(), 0777) != 0 && errno != EEXIST)
            return QString::fromLocal8Bit(std::strerror(errno));
    }
    return QFileInfo(path).isDir() ? QString() : QStringLiteral("it is not a folder");
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
    problem().clear();
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
    problem().clear();
    const QString data = userDataFolder();
    if (const QString reason = makeFolder(data); !reason.isEmpty()) {
        problem() = QStringLiteral("Cannot create the data folder \"%1\": %2.").arg(data, reason);
        return data;
    }
    // Seeded once: a default file the user deleted or moved away stays away.
    const QString marker = QDir(data).filePath(QString::fromLatin1(SeededMarker));
    if (!QFileInfo::exists(marker)) {
        seed(data, installedDefaults(executableFolder));
        QFile markerFile(marker);
        if (!markerFile.open(QIODevice::WriteOnly))
            qWarning("Cannot write \"%s\": %s", qPrintable(marker), qPrintable(markerFile.errorString()));
    }
    return data;
}

QString ProgramFolder::unavailableReason()
{
    return problem();
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
