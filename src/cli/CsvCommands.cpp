#include "cli/CliCommands.h"

#include "common/WholeFile.h"
#include "csv/CsvExport.h"
#include "csv/CsvImport.h"
#include "exercises/ExerciseFile.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString ImportUsage = QStringLiteral("import-csv FILE [--dry-run] [--unit kg|lbs] [--force]");
}

int importCsvCommand(CliContext &context, const QStringList &allArgs)
{
    const QStringList args = context.withoutForce(allArgs);
    QString file;
    bool dryRun = false;
    CsvImport::Options options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == u"--dry-run") {
            dryRun = true;
        } else if (arg == u"--unit" && i + 1 < args.size()) {
            const QString unit = args.at(++i).toLower();
            if (unit != u"kg" && unit != u"lbs")
                throw CliUsageError(QStringLiteral("--unit takes kg or lbs, not \"%1\".").arg(args.at(i)));
            options.unit = unit == u"kg" ? CsvImport::WeightUnit::Kg : CsvImport::WeightUnit::Lbs;
        } else if (file.isEmpty() && !arg.startsWith(u"--")) {
            file = arg;
        } else {
            throw CliUsageError(QStringLiteral("Usage: ") + ImportUsage);
        }
    }
    if (file.isEmpty())
        throw CliUsageError(QStringLiteral("Usage: ") + ImportUsage);
    options.trainingTypes = context.configuration().trainingTypes;

    const QByteArray csv = WholeFile::read(QDir::current().absoluteFilePath(file));
    // A refused file writes nothing; an import creates the training file when there is
    // none yet.
    TrainingFile training;
    const QString trainingName = context.trainingFileName();
    const QString exerciseName = ExerciseFile::resolveName(context.configuration().exerciseFile);
    ExerciseFile exercises;
    QStringList known;
    if (QFileInfo::exists(exerciseName)) {
        exercises.open(exerciseName);
        for (const CatalogExercise &e : exercises.readAll())
            known.append(e.Name);
    }
    const auto report = [&](const CsvImport::Plan &plan) {
        for (const QString &line : plan.reportLines())
            context.out << line << '\n';
    };
    if (dryRun) {
        if (QFileInfo::exists(trainingName))
            training.open(trainingName, TrainingFile::Access::ReadOnly);
        report(CsvImport::plan(csv, options, training.isOpen() ? CsvImport::workoutKeys(training) : QSet<QByteArray>(), known));
        return 0;
    }
    // Held from before the plan is made until the import is written.
    context.claimForWriting(trainingName);
    if (QFileInfo::exists(trainingName))
        training.open(trainingName, TrainingFile::Access::ReadWrite);
    const CsvImport::Plan plan = CsvImport::importWhileReading(
        csv, options, trainingName, training, known, exercises, exerciseName, [&](const CsvImport::Plan &plan) {
            report(plan);
            if (!plan.newExercises.isEmpty())
                context.claimForWriting(exerciseName);
        });
    if (!training.isOpen())
        training.open(trainingName, TrainingFile::Access::ReadWrite);
    context.out << QStringLiteral("Imported %1 workouts into \"%2\".").arg(plan.workoutsToAdd).arg(trainingName);
    if (plan.toAdd.size() != plan.workoutsToAdd)
        context.out << QStringLiteral(" (%1 records)").arg(plan.toAdd.size());
    context.out << '\n';
    return 0;
}

int exportCsvCommand(CliContext &context, const QStringList &args)
{
    QStringList rest = args;
    const bool sets = rest.removeAll(QStringLiteral("--sets")) > 0;
    requireArguments(rest, 1, QStringLiteral("export-csv FILE [--sets]"));
    CsvExport::write(QDir::current().absoluteFilePath(rest.first()), context.trainingFile(),
                     sets ? CsvExport::Layout::Sets : CsvExport::Layout::Rows, context.configuration().trainingTypes);
    return 0;
}
