#include "common/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

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
        setPath(QCoreApplication::applicationDirPath());
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
