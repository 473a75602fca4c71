#pragma once

#include "cli/CliPrompts.h"
#include "common/Errors.h"
#include "common/FileLock.h"
#include "config/ConfigKeys.h"
#include "store/HeadlessSession.h"

#include <QStringList>
#include <QTextStream>

#include <functional>
#include <memory>
#include <vector>

// Wrong arguments: the command's usage is printed and the exit status is 2.
class CliUsageError : public FortavoError {
public:
    using FortavoError::FortavoError;
};

// What a command works with: the streams, the prompts on them, the configuration of
// the program folder and, opened on first use, the session on the training file.
class CliContext {
public:
    CliContext(QTextStream &out, QTextStream &err, QTextStream &in);

    QTextStream &out;
    QTextStream &err;
    QTextStream &in;
    CliPrompts prompts;
    QString trainingOverride; // --training
    bool force = false;       // --force: write files that Fortavo has open

    // Marks a file that the command is about to write as in use for the rest of the run
    // (FileClaims.cpp). A file that Fortavo or another command has open is refused with
    // an IoError that names it, unless force is set: then a warning goes to standard
    // error and the write goes ahead (Fortavo reads the file again before it saves).
    void claimForWriting(const QString &path);
    // Takes "--force" out of a command's arguments, setting force.
    QStringList withoutForce(const QStringList &args);

    // The configuration; with no "init.ini" the defaults of every key.
    const StartupConfiguration &configuration();
    QString trainingFileName();
    // The headless session: the training file (which must exist) with its list, the
    // configured type lists and HTML template.
    HeadlessSession &session();
    TrainingFile &trainingFile() { return session().trainingFile(); }
    const QStringList &workoutLines() { return session().lines; }
    // The record number of workout N (1-based); a usage error when there is none.
    int recordOfWorkout(const QString &numberText);
    // Selects workout N's line and makes it the save position, as a click on the line
    // and showing the workout do in the window.
    void selectWorkout(const QString &numberText);

private:
    std::unique_ptr<StartupConfiguration> m_configuration;
    std::unique_ptr<HeadlessSession> m_session;
    std::vector<std::unique_ptr<FileLock::Mark>> m_claims;
};

struct CliCommand {
    QString name;
    QString usage;   // arguments after the name, e.g. "N FILE"
    QString summary; // one line for --help
    std::function<int(CliContext &, const QStringList &args)> run;
};

// Every command of fortavo-cli (CliCommands.cpp).
const QList<CliCommand> &cliCommands();

// Reads a whole positive number argument; a usage error otherwise.
int cliNumberArgument(const QString &text, const QString &what);
// A usage error unless there are exactly count arguments.
void requireArguments(const QStringList &args, int count, const QString &usage);
