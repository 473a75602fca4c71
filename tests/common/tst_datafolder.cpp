#include "common/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The user's data folder: created where it can be, seeded from the installed defaults
// on its first start only.
class TestDataFolder : public QObject {
    Q_OBJECT
    QTemporaryDir root;
    QString bin, share;

    static void writeFile(const QString &path, const QByteArray &content)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

private slots:
    void init()
    {
        QVERIFY(root.isValid());
        bin = root.filePath("usr/bin");
        share = root.filePath("usr/share/fortavo");
        QDir().mkpath(bin);
        writeFile(share + "/help.hlp", "help");
        writeFile(share + "/workouts.dat", "");
    }

    // Even root cannot make a folder below a plain file.
    void folderThatCannotBeCreatedIsNamed()
    {
        writeFile(root.filePath("plainfile"), "x");
        qputenv("XDG_DATA_HOME", root.filePath("plainfile/share").toUtf8());
        ProgramFolder::defaultFolder(bin);
        QCOMPARE(ProgramFolder::unavailableReason(),
                 QStringLiteral("Cannot create the data folder \"%1\": Not a directory.")
                     .arg(root.filePath("plainfile/share/fortavo")));
    }

    void seededOnTheFirstStartOnly()
    {
        qputenv("XDG_DATA_HOME", root.filePath("home").toUtf8());
        const QString data = ProgramFolder::defaultFolder(bin);
        QCOMPARE(ProgramFolder::unavailableReason(), QString());
        QVERIFY(QFile::exists(data + "/help.hlp"));
        QVERIFY(QFile::exists(data + "/.seeded"));
        QVERIFY(QFile::remove(data + "/help.hlp"));
        QVERIFY(QFile::rename(data + "/workouts.dat", data + "/moved.dat"));
        QCOMPARE(ProgramFolder::defaultFolder(bin), data);
        QVERIFY2(!QFile::exists(data + "/help.hlp"), "a file the user deleted stays deleted");
        QVERIFY(!QFile::exists(data + "/workouts.dat"));
    }
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "tst_datafolder.moc"
