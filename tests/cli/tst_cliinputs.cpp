#include "support/CliRunner.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

// fortavo-cli's command line and its manual page.
class TestCliInputs : public QObject {
    Q_OBJECT

    // The command names that the manual page's COMMANDS section describes.
    static QStringList manualCommands()
    {
        QFile page(QStringLiteral(FORTAVO_SOURCE_DIR "/packaging/fortavo-cli.1"));
        if (!page.open(QIODevice::ReadOnly))
            return {};
        const QStringList lines = QString::fromUtf8(page.readAll()).split(u'\n');
        QStringList names;
        bool inCommands = false;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines[i].startsWith(".SH"))
                inCommands = lines[i] == ".SH COMMANDS";
            else if (inCommands && lines[i] == ".TP" && i + 1 < lines.size())
                names << lines[i + 1].section(u' ', 1, 1).remove(u'"').remove(u'\\');
        }
        names.sort();
        return names;
    }

private slots:
    void manualDescribesEveryCommand()
    {
        const CliRun help = runCli({"--help"});
        QCOMPARE(help.status, 0);
        QStringList commands;
        static const QRegularExpression line(QStringLiteral("^  ([a-z][a-z-]*)"));
        for (const QString &l : help.out.section(QStringLiteral("Commands:\n"), 1).split(u'\n'))
            if (const QRegularExpressionMatch m = line.match(l); m.hasMatch())
                commands << m.captured(1);
        commands.sort();
        QVERIFY(commands.contains("import-csv"));
        QCOMPARE(manualCommands(), commands);
    }

    void emptyWorkoutNumberIsAUsageError()
    {
        TestEnvironment env;
        env.writeFile("s.fvs", "output(1)\n");
        const CliRun run = runCli({"--folder", env.folder(), "run", "--workout", "", env.path("s.fvs")});
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.startsWith("--workout needs the number of a workout."), qPrintable(run.err));
        QCOMPARE(run.out, QString());
    }
};

QTEST_GUILESS_MAIN(TestCliInputs)
#include "tst_cliinputs.moc"
