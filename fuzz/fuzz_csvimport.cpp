// A CSV file of arbitrary bytes, planned as an import into an empty training file.
// Properties: importing the same file again into the result adds nothing; the result
// exported as CSV and imported into an empty file gives the same workouts (compared
// by what an import matches on), unless two workouts share the date, time and every
// workout field, which a CSV line cannot tell apart.

#include "FuzzSupport.h"

#include "common/DayCount.h"
#include "common/Errors.h"
#include "csv/CsvExport.h"
#include "csv/CsvImport.h"
#include "csv/CsvTable.h"
#include "store/TrainingFile.h"

#include <QFile>
#include <QSet>

#include <cstdlib>

namespace {
const QStringList Types = {QString(), "Light", "Heavy", "Volume", "Experimental"};

// What tells workouts apart on a CSV line of the program's own layout.
QByteArray workoutFields(const WorkoutRecord &r)
{
    WorkoutRecord fields = r;
    fields.Exercises.clear();
    fields.Cardio.clear();
    return CsvImport::workoutKey(fields);
}

// Parts of one workout of more than 20 rows stand one after another, each but the
// last one full.
bool distinguishable(const QList<WorkoutRecord> &records)
{
    QSet<QByteArray> seen;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QByteArray fields = workoutFields(records[i]);
        const bool continues = i > 0 && workoutFields(records[i - 1]) == fields
                               && (records[i - 1].Exercises.size() == WorkoutRecord::MaxRows
                                   || records[i - 1].Cardio.size() == WorkoutRecord::MaxRows);
        if (!continues && seen.contains(fields))
            return false;
        seen.insert(fields);
    }
    return true;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString folder = FuzzSupport::folder();
    CsvImport::Plan first;
    const QByteArray csv(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        first = CsvImport::plan(csv, {CsvImport::WeightUnit::Kg, Types}, {}, {});
    } catch (const FortavoError &) {
        return 0;
    }
    // Read a few rows at a time, the text makes the same plan.
    const CsvImport::Plan inBatches = CsvImport::plan(csv, {CsvImport::WeightUnit::Kg, Types, 2}, {}, {});
    if (inBatches.reportLines() != first.reportLines() || inBatches.toAdd != first.toAdd)
        std::abort();

    QFile::remove(folder + "workouts.dat");
    TrainingFile training;
    training.open(folder + "workouts.dat");
    CsvImport::apply(first, training, nullptr);
    if (training.RecordCount() != first.toAdd.size())
        std::abort();

    const CsvImport::Plan again = CsvImport::plan(csv, {CsvImport::WeightUnit::Kg, Types},
                                                  CsvImport::workoutKeys(training), {});
    if (!again.toAdd.isEmpty())
        std::abort();

    const QByteArray exported = CsvExport::text(training, CsvExport::Layout::Rows, Types);
    const CsvImport::Plan back = CsvImport::plan(exported, {CsvImport::WeightUnit::Kg, Types}, {}, {});
    if (!back.problems.isEmpty())
        std::abort();
    if (!distinguishable(first.toAdd))
        return 0;
    if (back.toAdd.size() != first.toAdd.size())
        std::abort();
    for (qsizetype i = 0; i < first.toAdd.size(); ++i)
        if (CsvImport::workoutKey(back.toAdd[i]) != CsvImport::workoutKey(first.toAdd[i]))
            std::abort();
    return 0;
}
