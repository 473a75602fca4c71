#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class TestEnvironment;

// fortavo-cli run as a user runs it: its exit status and both streams.
struct CliRun {
    int status = -1; // -1 when it crashed or ran beyond a minute
    QString out;
    QString err;
};

// The fortavo-cli built beside the test program.
QString cliProgram();
// Runs fortavo-cli with the arguments in the working folder (the test's own when
// empty), with input on its standard input.
CliRun runCli(const QStringList &args, const QString &workingFolder = QString(), const QByteArray &input = QByteArray());
// Runs fortavo-cli in the test's program folder over its workouts.dat, with dates as
// d.M.yyyy and a decimal point, so that results do not follow the machine's locale.
CliRun runCliOver(const TestEnvironment &env, const QStringList &args, const QByteArray &input = QByteArray());
// Checks a run that failed: the exit status, nothing on standard output, and standard
// error starting with the message. The caller returns when QTest::currentTestFailed().
void checkFailure(const CliRun &run, int status, const QString &message);
