#include "cli/CliContext.h"

#include "common/ProgramFolder.h"
#include "store/DamageCheck.h"
#include "store/WorkoutList.h"

#include <QFileInfo>

CliContext::CliContext(QTextStream &out, QTextStream &err, QTextStream &in)
    : out(out), err(err), in(in), prompts(out, err)
{
}

const StartupConfiguration &CliContext::configuration()
{
    if (!m_configuration) {
        const QString configFile = ProgramFolder::configFile();
        if (!ProgramFolder::unavailableReason().isEmpty())
            throw IoError(ProgramFolder::unavailableReason());
        m_configuration = std::make_unique<StartupConfiguration>(StartupConfiguration::read(IniFile(configFile)));
    }
    return *m_configuration;
}

QString CliContext::trainingFileName()
{
    const QString name = trainingOverride.isEmpty() ? configuration().trainingFile : trainingOverride;
    return trainingOverride.isEmpty() ? ProgramFolder::resolve(name) : name;
}

HeadlessSession &CliContext::session()
{
    if (!m_session) {
        const QString name = trainingFileName();
        if (!QFileInfo::exists(name))
            throw IoError(QStringLiteral("Training file \"%1\" does not exist.").arg(name));
        auto session = std::make_unique<HeadlessSession>(prompts);
        session->types = configuration().trainingTypes;
        session->cardio = configuration().cardioTypes;
        session->templateFile = configuration().templateFile;
        // Every command only reads the training file; damage is told, not fatal.
        session->file.open(name, TrainingFile::Access::ReadOnly);
        for (const QString &finding : damageFindings(session->file, int(session->types.size())))
            err << QStringLiteral("Warning: ") << finding << Qt::endl;
        session->refresh();
        m_session = std::move(session);
    }
    return *m_session;
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

void CliContext::selectWorkout(const QString &numberText)
{
    session().selectRecord(recordOfWorkout(numberText));
}

int cliNumberArgument(const QString &text, const QString &what)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 1)
        throw CliUsageError(QStringLiteral("The %1 must be a whole number from 1 on, not '%2'.").arg(what, text));
    return n;
}

void requireArguments(const QStringList &args, int count, const QString &usage)
{
    if (args.size() != count)
        throw CliUsageError(QStringLiteral("Usage: %1").arg(usage));
}
