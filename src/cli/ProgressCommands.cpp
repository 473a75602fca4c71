#include "cli/CliCommands.h"

#include "cli/GraphProgram.h"
#include "common/DayCount.h"
#include "common/RegionalSettings.h"
#include "common/WholeFile.h"
#include "exercises/ExerciseFile.h"
#include "progress/ProgressData.h"
#include "progress/RecordTexts.h"

#include <QDir>
#include <QFileInfo>

#include <bit>
#include <climits>

namespace {
const QString RecordsUsage = QStringLiteral("Usage: records [--exercise NAME]");
const QString ProgressUsage = QStringLiteral(
    "Usage: progress --exercise NAME [--measure 1rm|weight|volume] [--from DATE] [--to DATE] (--csv | --png FILE)");

// The names of the exercise list, read without opening the file for writing; none when
// there is no list.
QStringList catalogueNames(CliContext &context)
{
    const QString path = ExerciseFile::resolveName(context.configuration().exerciseFile);
    QStringList names;
    if (!QFileInfo::exists(path))
        return names;
    const QByteArray bytes = WholeFile::read(path);
    for (qsizetype at = 0; at + CatalogExercise::Size <= bytes.size(); at += CatalogExercise::Size)
        names << CatalogExercise::decode(bytes.constData() + at).Name;
    return names;
}

// The value after an option; a usage error when it is missing.
QString optionValue(const QStringList &args, qsizetype &i, const QString &usage)
{
    if (i + 1 >= args.size() || args.at(i + 1).startsWith(u"--"))
        throw CliUsageError(QStringLiteral("%1 needs a value.\n").arg(args.at(i)) + usage);
    return args.at(++i);
}

[[noreturn]] void unknownExercise(const QString &name)
{
    throw FortavoError(
        QStringLiteral("Unknown exercise \"%1\": it is neither in the exercise list nor in the training file.").arg(name));
}

// A date in the short date format of the regional settings, or as yyyy-MM-dd.
int dayArgument(const QString &option, const QString &text)
{
    QDate date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid()) {
        try {
            date = RegionalSettings::current().parseDate(text);
        } catch (const FortavoError &) {
        }
    }
    if (!date.isValid())
        throw CliUsageError(QStringLiteral("%1 takes a date such as %2 or %3, not \"%4\".")
                                .arg(option, RegionalSettings::current().dateText(QDate(2026, 1, 31)),
                                     QStringLiteral("2026-01-31"), text));
    return int(DayCount::fromDate(date));
}

struct MeasureName {
    QString option;
    QString title;
    ProgressMeasure measure;
};
const QList<MeasureName> &measureNames()
{
    static const QList<MeasureName> names = {
        {QStringLiteral("1rm"), QStringLiteral("Expected 1RM"), ProgressMeasure::OneRm},
        {QStringLiteral("weight"), QStringLiteral("Heaviest weight"), ProgressMeasure::Weight},
        {QStringLiteral("volume"), QStringLiteral("Volume"), ProgressMeasure::Volume},
    };
    return names;
}

// Two decimals with a point whatever the regional separator, as the CSV export writes.
QString csvNumber(float value)
{
    return QString::number(double(value), 'f', 2);
}
}

int recordsCommand(CliContext &context, const QStringList &args)
{
    QString name;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == u"--exercise" && name.isNull())
            name = optionValue(args, i, RecordsUsage);
        else
            throw CliUsageError(RecordsUsage);
    }
    const ProgressData data = CollectProgress(context.trainingFile(), catalogueNames(context));
    if (!name.isNull() && data.findExercise(name) < 0)
        unknownExercise(name);
    context.out << recordsTableTitles().join(QLatin1Char('\t')) << '\n';
    for (const ExerciseRecords &r : data.records) {
        if (name.isNull() || r.name.compare(name, Qt::CaseInsensitive) == 0)
            context.out << recordsTableRow(r).join(QLatin1Char('\t')) << '\n';
    }
    return 0;
}

int progressCommand(CliContext &context, const QStringList &args)
{
    QString name;
    const MeasureName *measure = &measureNames().first();
    int fromDay = INT_MIN;
    int toDay = INT_MAX;
    bool csv = false;
    QString png;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == u"--exercise") {
            name = optionValue(args, i, ProgressUsage);
        } else if (arg == u"--measure") {
            const QString text = optionValue(args, i, ProgressUsage);
            const auto it = std::find_if(measureNames().begin(), measureNames().end(),
                                         [&](const MeasureName &m) { return m.option == text.toLower(); });
            if (it == measureNames().end())
                throw CliUsageError(QStringLiteral("--measure takes 1rm, weight or volume, not \"%1\".").arg(text));
            measure = &*it;
        } else if (arg == u"--from") {
            fromDay = dayArgument(arg, optionValue(args, i, ProgressUsage));
        } else if (arg == u"--to") {
            toDay = dayArgument(arg, optionValue(args, i, ProgressUsage));
        } else if (arg == u"--csv") {
            csv = true;
        } else if (arg == u"--png") {
            png = optionValue(args, i, ProgressUsage);
        } else {
            throw CliUsageError(ProgressUsage);
        }
    }
    if (name.isEmpty())
        throw CliUsageError(QStringLiteral("progress needs --exercise NAME.\n") + ProgressUsage);
    if (csv == !png.isEmpty())
        throw CliUsageError(QStringLiteral("progress writes either --csv or --png FILE.\n") + ProgressUsage);

    const ProgressData data = CollectProgress(context.trainingFile(), catalogueNames(context));
    const int index = data.findExercise(name);
    if (index < 0)
        unknownExercise(name);
    // A workout without a value of the measure (an expected 1RM of body-weight rows) is
    // no point of the chart.
    QList<ExercisePoint> points;
    for (const ExercisePoint &p : pointsBetween(data.exercises.at(index).points, fromDay, toDay)) {
        if (measureValue(p, measure->measure) > 0)
            points << p;
    }

    if (csv) {
        context.out << "Date,Workout," << measure->title << '\n';
        for (const ExercisePoint &p : points)
            context.out << DayCount::toDate(p.day).toString(Qt::ISODate) << ',' << p.record + 1 << ','
                        << csvNumber(measureValue(p, measure->measure)) << '\n';
        return 0;
    }
    // fortavo-graph --chart reads the PNG's path, the value axis's title and then one
    // point a line: its day and the bits of its single.
    QByteArray input = QDir::current().absoluteFilePath(png).toUtf8() + '\n'
        + (data.exercises.at(index).name + QStringLiteral(": ") + measure->title + QStringLiteral(" (kg/lbs)")).toUtf8()
        + '\n';
    for (const ExercisePoint &p : points)
        input += QByteArray::number(p.day) + ' '
            + QByteArray::number(std::bit_cast<quint32>(measureValue(p, measure->measure))) + '\n';
    runGraphProgram({QStringLiteral("--chart")}, input);
    return 0;
}
