#include "OldRecords.h"

#include "support/CliRunner.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QTest>

// fortavo-cli convert FILE [--no-backup]
class TestConvertCli : public QObject {
    Q_OBJECT

    static QByteArray oldFile() { return OldRecords::encode(OldRecords::Old()) + OldRecords::encode(OldRecords::Old()); }

private slots:
    void converts_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("backup");
        QTest::newRow("with backup") << QStringList() << true;
        QTest::newRow("--no-backup") << QStringList{"--no-backup"} << false;
    }
    void converts()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, backup);
        TestEnvironment env;
        env.writeFile("old.dat", oldFile());
        const CliRun run = runCli(QStringList{"--folder", env.folder(), "convert", env.path("old.dat")} + options);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, QStringLiteral("Conversion completed!\n"));
        QCOMPARE(run.status, 0);
        QCOMPARE(env.readFile("old.dat").size(), 2 * 2944);
        QCOMPARE(QFile::exists(env.path("oldbackup.dat")), backup);
    }

    void failureGoesToStandardError()
    {
        TestEnvironment env;
        env.writeFile("old.dat", oldFile());
        env.writeFile("oldbackup.dat", "earlier");
        const CliRun run = runCli({"--folder", env.folder(), "convert", env.path("old.dat")});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.contains("oldbackup.dat"), qPrintable(run.err));
        QVERIFY(env.readFile("old.dat") == oldFile());
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no file") << QStringList{"convert"};
        QTest::newRow("only the option") << QStringList{"convert", "--no-backup"};
        QTest::newRow("two files") << QStringList{"convert", "a.dat", "b.dat"};
        QTest::newRow("unknown option") << QStringList{"convert", "a.dat", "--keep"};
    }
    void usageErrors()
    {
        QFETCH(QStringList, args);
        TestEnvironment env;
        const CliRun run = runCli(QStringList{"--folder", env.folder()} + args);
        QCOMPARE(run.status, 2);
        QVERIFY(!run.err.isEmpty());
        QCOMPARE(run.out, QString());
    }
};

QTEST_GUILESS_MAIN(TestConvertCli)
#include "tst_convertcli.moc"
