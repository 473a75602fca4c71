#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

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
