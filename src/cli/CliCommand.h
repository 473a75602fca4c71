#pragma once

#include "common/Errors.h"
#include "config/ConfigKeys.h"
#include "store/TrainingFile.h"

#include <QStringList>
#include <QTextStream>

#include <functional>
#include <memory>

// Wrong arguments: the command's usage is printed and the exit status is 2.
class CliUsageError : public FortavoError {
public:
    using FortavoError::FortavoError;
};

// What a command works with: the streams, the configuration of the program folder
// and, opened on first use, the training file and its list of past workouts.
class CliContext {
public:
    CliContext(QTextStream &out, QTextStream &err, QTextStream &in) : out(out), err(err), in(in) {}

    QTextStream &out;
    QTextStream &err;
    QTextStream &in;
    QString trainingOverride; // --training

    // The configuration; with no "init.ini" the defaults of every key.
    const StartupConfiguration &configuration();
    QString trainingFileName();
    TrainingFile &trainingFile();
    const QStringList &workoutLines();
    // The record number of workout N (1-based); a usage error when there is none.
    int recordOfWorkout(const QString &numberText);
    // The list line of workout N.
    int lineOfWorkout(const QString &numberText);
    // Workout N itself, read from the training file; a usage error when there is none.
    WorkoutRecord workout(const QString &numberText);

private:
    std::unique_ptr<StartupConfiguration> m_configuration;
    std::unique_ptr<TrainingFile> m_training;
    std::unique_ptr<QStringList> m_lines;
};

struct CliCommand {
    QString name;
    QString usage;   // arguments after the name, e.g. "N FILE"
    QString summary; // one line for --help
    std::function<int(CliContext &, const QStringList &args)> run;
    bool needsGui = false; // draws with fonts: runs under an offscreen QGuiApplication
};

namespace CliRegistry {
void add(const CliCommand &command);
const QList<CliCommand> &all();
}

// A command file registers its commands with a static CliRegistrar.
struct CliRegistrar {
    explicit CliRegistrar(const CliCommand &command) { CliRegistry::add(command); }
};

// Reads a whole positive number argument; a usage error otherwise.
int cliNumberArgument(const QString &text, const QString &what);
