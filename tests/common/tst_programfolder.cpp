#include "common/ProgramFolder.h"

#include "common/InChildProcess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/stat.h>

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

    // The same as an ordinary user, whom the file's mode binds: the build folder's
    // configuration is used only when it can be written.
    void configBesideTheProgramAsAnOrdinaryUser_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("dataFolder");
        QTest::newRow("read-only") << 0444 << true;
        QTest::newRow("writable") << 0644 << false;
    }
    void configBesideTheProgramAsAnOrdinaryUser()
    {
        QFETCH(int, mode);
        QFETCH(bool, dataFolder);
        const QByteArray config = QFile::encodeName(bin + QStringLiteral("/init.ini"));
        writeFile(bin + QStringLiteral("/init.ini"), "[Program]\n");
        QCOMPARE(::chown(config.constData(), 65534, 65534) == 0, ::geteuid() == 0); // nobody's own file
        QCOMPARE(::chmod(config.constData(), mode_t(mode)), 0);
        QCOMPARE(::chmod(QFile::encodeName(root->path()).constData(), 0777), 0); // room for the data folder

        const QString chosen = inChildProcess([&] { return ProgramFolder::defaultFolder(bin); }, {.asNobody = true});
        QCOMPARE(chosen, dataFolder ? home + QStringLiteral("/fortavo") : bin);
        QCOMPARE(QFileInfo::exists(home + QStringLiteral("/fortavo/init.ini")), dataFolder); // seeded only when used
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
