#include "cli/CliCommands.h"

#include "store/TrainingFileConversion.h"

// Converts an old-layout training file in place, keeping the backup unless told not to.
int convertCommand(CliContext &context, const QStringList &args)
{
    QStringList files = context.withoutForce(args);
    const bool keepBackup = !files.removeAll(QStringLiteral("--no-backup"));
    if (files.size() != 1 || files.first().startsWith(QLatin1Char('-')))
        throw CliUsageError(QStringLiteral("convert needs one training file of the older layout: convert FILE [--no-backup] [--force]"));
    context.claimForWriting(files.first());
    ConvertTrainingFile(files.first(), keepBackup);
    context.out << "Conversion completed!" << '\n';
    return 0;
}
