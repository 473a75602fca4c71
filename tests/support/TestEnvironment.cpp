#include "TestEnvironment.h"

#include "common/ProgramFolder.h"

#include <QFile>
#include <QTest>

void pinRegionalSettings(const RegionalSettings &settings)
{
    RegionalSettings::setCurrent(settings);
}

TestEnvironment::TestEnvironment(const RegionalSettings &settings)
{
    pinRegionalSettings(settings);
    ProgramFolder::setPath(m_dir.path());
}

QString TestEnvironment::folder() const
{
    return ProgramFolder::path();
}

void TestEnvironment::writeFile(const QString &name, const QByteArray &content) const
{
    QFile f(path(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        QTest::qFail(qPrintable(QStringLiteral("cannot write fixture ") + name), __FILE__, __LINE__);
}

QByteArray TestEnvironment::readFile(const QString &name) const
{
    QFile f(path(name));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}
