#include "cli/CliCommand.h"

#include "common/ProgramFolder.h"
#include "store/WorkoutList.h"

#include <QFileInfo>

const StartupConfiguration &CliContext::configuration()
{
    if (!m_configuration)
        m_configuration = std::make_unique<StartupConfiguration>(
            StartupConfiguration::read(IniFile(ProgramFolder::configFile())));
    return *m_configuration;
}

QString CliContext::trainingFileName()
{
    const QString name = trainingOverride.isEmpty() ? configuration().trainingFile : trainingOverride;
    return trainingOverride.isEmpty() ? ProgramFolder::resolve(name) : name;
}

TrainingFile &CliContext::trainingFile()
{
    if (!m_training) {
        auto file = std::make_unique<TrainingFile>();
        const QString name = trainingFileName();
        if (!QFileInfo::exists(name))
            throw IoError(QStringLiteral("Training file \"%1\" does not exist.").arg(name));
        file->open(name);
        m_training = std::move(file);
    }
    return *m_training;
}

const QStringList &CliContext::workoutLines()
{
    if (!m_lines)
        m_lines = std::make_unique<QStringList>(WorkoutList::build(trainingFile(), configuration().trainingTypes));
    return *m_lines;
}

int CliContext::recordOfWorkout(const QString &numberText)
{
    const int n = cliNumberArgument(numberText, QStringLiteral("workout number"));
    if (n > trainingFile().RecordCount())
        throw CliUsageError(QStringLiteral("There is no workout %1; the training file holds %2.")
                                .arg(n)
                                .arg(trainingFile().RecordCount()));
    return n - 1;
}

int CliContext::lineOfWorkout(const QString &numberText)
{
    return WorkoutList::lineOfRecord(workoutLines(), recordOfWorkout(numberText));
}

WorkoutRecord CliContext::workout(const QString &numberText)
{
    return trainingFile().ReadRecord(recordOfWorkout(numberText));
}

int cliNumberArgument(const QString &text, const QString &what)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 1)
        throw CliUsageError(QStringLiteral("The %1 must be a whole number from 1 on, not '%2'.").arg(what, text));
    return n;
}

namespace {
QList<CliCommand> &registry()
{
    static QList<CliCommand> commands;
    return commands;
}
}

void CliRegistry::add(const CliCommand &command)
{
    registry().append(command);
}

const QList<CliCommand> &CliRegistry::all()
{
    return registry();
}
