#include "common/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {
void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}

class TestProgramFolder : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> root;
    QString prefix, bin, share, home;

private slots:
    void init()
    {
        root = std::make_unique<QTemporaryDir>();
        QVERIFY(root->isValid());
        prefix = root->filePath(QStringLiteral("usr"));
        bin = prefix + QStringLiteral("/bin");
        share = prefix + QStringLiteral("/share/fortavo");
        home = root->filePath(QStringLiteral("home/.local/share"));
        QDir().mkpath(bin);
        qputenv("XDG_DATA_HOME", home.toUtf8());
        writeFile(share + QStringLiteral("/init.ini"), "[Program]\n");
        writeFile(share + QStringLiteral("/Example scripts/total.fvs"), "output(1)\r\n");
        QFile::setPermissions(share + QStringLiteral("/init.ini"), QFileDevice::ReadOwner | QFileDevice::ReadOther);
    }
    void cleanup() { root.reset(); }

    void buildFolderWithWritableConfigIsTheProgramFolder()
    {
        writeFile(bin + QStringLiteral("/init.ini"), "[Program]\n");
        QCOMPARE(ProgramFolder::defaultFolder(bin), bin);
        QVERIFY(!QFileInfo::exists(home + QStringLiteral("/fortavo")));
    }

    void installedProgramUsesTheSeededDataFolder()
    {
        QCOMPARE(ProgramFolder::userDataFolder(), home + QStringLiteral("/fortavo"));
        QCOMPARE(ProgramFolder::installedDefaults(bin), QDir::cleanPath(share));
        const QString data = ProgramFolder::defaultFolder(bin);
        QCOMPARE(data, home + QStringLiteral("/fortavo"));
        QCOMPARE(readFile(data + QStringLiteral("/init.ini")), QByteArray("[Program]\n"));
        QCOMPARE(readFile(data + QStringLiteral("/Example scripts/total.fvs")), QByteArray("output(1)\r\n"));
        QVERIFY2(QFileInfo(data + QStringLiteral("/init.ini")).isWritable(), "the user's copy can be written");
    }

    void readOnlyConfigBesideTheProgramIsNotUsed()
    {
        writeFile(bin + QStringLiteral("/init.ini"), "[Program]\n");
        QFile::setPermissions(bin + QStringLiteral("/init.ini"), QFileDevice::ReadOwner);
        if (QFileInfo(bin + QStringLiteral("/init.ini")).isWritable())
            QSKIP("running as a user who can write any file");
        QCOMPARE(ProgramFolder::defaultFolder(bin), home + QStringLiteral("/fortavo"));
    }

    void seedingNeverOverwrites()
    {
        const QString data = home + QStringLiteral("/fortavo");
        writeFile(data + QStringLiteral("/init.ini"), "[Program]\nTraining_file=mine.dat\n");
        ProgramFolder::defaultFolder(bin);
        QCOMPARE(readFile(data + QStringLiteral("/init.ini")), QByteArray("[Program]\nTraining_file=mine.dat\n"));
        QVERIFY(QFileInfo::exists(data + QStringLiteral("/Example scripts/total.fvs")));
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
