#include "cli/CliPrompts.h"

#include <QTest>

// fortavo-cli's prompts: messages as lines on standard output, errors on standard
// error, file dialogs answered with the paths the command queued.
class TestCliPrompts : public QObject {
    Q_OBJECT
private slots:
    void messagesBecomeLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("line");
        QTest::newRow("window line ends") << "Week analysis:\r\n-----\r\n" << "Week analysis:\n-----\n";
        QTest::newRow("no line end") << "There are no workouts." << "There are no workouts.\n";
        QTest::newRow("empty") << "" << "\n";
    }
    void messagesBecomeLines()
    {
        QFETCH(QString, text);
        QFETCH(QString, line);
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        CliPrompts prompts(outStream, errStream);
        prompts.information(text);
        prompts.message(text);
        outStream.flush();
        QCOMPARE(out, line + line);
        QCOMPARE(err, QString());
        QVERIFY(!prompts.errorShown());
    }

    void errorsGoToStandardErrorAndFailTheCommand()
    {
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        CliPrompts prompts(outStream, errStream);
        prompts.warning("Damaged file.");
        QVERIFY(!prompts.errorShown());
        prompts.error("You have not selected a workout!");
        QCOMPARE(err, QStringLiteral("Damaged file.\nYou have not selected a workout!\n"));
        QCOMPARE(out, QString());
        QVERIFY(prompts.errorShown());
    }

    void dialogsAnswerFromTheQueueThenCancel()
    {
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        CliPrompts prompts(outStream, errStream);
        prompts.fileAnswers << "/tmp/a.txt" << "/tmp/b.html";
        QCOMPARE(prompts.saveFileName({}), QStringLiteral("/tmp/a.txt"));
        QCOMPARE(prompts.openFileName({}), QStringLiteral("/tmp/b.html"));
        QCOMPARE(prompts.saveFileName({}), QString());
        QCOMPARE(prompts.confirm("Do your want to delete selected workout?", false), UserPrompts::Answer::No);
        QString value = "kept";
        QVERIFY(!prompts.input("Caption", "Prompt", value));
        QCOMPARE(value, QStringLiteral("kept"));
    }
};

QTEST_GUILESS_MAIN(TestCliPrompts)
#include "tst_cliprompts.moc"
