#include "csv/CsvImport.h"

#include "common/FileLock.h"
#include "common/WholeFile.h"
#include "csv/CsvPlanReading.h"
#include "exercises/ExerciseFile.h"
#include "store/TrainingFile.h"

#include <algorithm>

namespace CsvImport {
namespace {
// Writes the training file's records, then the new ones 64 (about 190 KB) at a time
// from one buffer used again for each. The existing records are copied before the
// first new one, so a writer given none writes nothing.
class RecordWriter {
public:
    RecordWriter(QIODevice &out, const QString &path, TrainingFile &training, int existing)
        : m_out(out), m_path(path), m_training(training), m_existing(existing)
    {
    }

    // Writes the records of toAdd not written yet: all of them when whole, else as
    // many whole buffers as they fill.
    void write(const QList<WorkoutRecord> &toAdd, bool whole)
    {
        constexpr qsizetype chunk = 64;
        while (toAdd.size() - m_written >= (whole ? 1 : chunk)) {
            copyExisting();
            const qsizetype n = std::min(chunk, toAdd.size() - m_written);
            m_bytes.resize(n * WorkoutRecord::Size);
            for (qsizetype i = 0; i < n; ++i)
                toAdd[m_written + i].encodeInto(m_bytes.data() + i * WorkoutRecord::Size);
            WholeFile::writeTo(m_out, m_bytes, m_path);
            m_written += n;
        }
    }

private:
    void copyExisting()
    {
        if (m_copied)
            return;
        m_copied = true;
        if (m_existing > 0)
            m_training.forEachChunk(0, m_existing, [&](const QByteArray &bytes, int) { WholeFile::writeTo(m_out, bytes, m_path); });
    }

    QIODevice &m_out;
    const QString &m_path;
    TrainingFile &m_training;
    const int m_existing;
    bool m_copied = false;
    qsizetype m_written = 0;
    QByteArray m_bytes;
};

void addNewExercises(const Plan &plan, ExerciseFile *exercises, const QString &exerciseFileName)
{
    if (!exercises || plan.newExercises.isEmpty())
        return;
    if (!exercises->isOpen() && !exerciseFileName.isEmpty())
        exercises->open(exerciseFileName);
    QList<CatalogExercise> list = exercises->readAll();
    for (const QString &name : plan.newExercises)
        list.append({name, QString(), QString()});
    exercises->save(list);
}

void applyPlan(const Plan &plan, TrainingFile &training, ExerciseFile *exercises, const QString &exerciseFileName)
{
    if (!plan.toAdd.isEmpty()) {
        const QString path = training.fileName();
        const int count = training.RecordCount();
        // Nobody else writes it meanwhile, and it is still the file the plan was made on.
        const FileLock::WriteLock lock(path);
        training.checkUnchanged();
        WholeFile::write(path, [&](QIODevice &out) { RecordWriter(out, path, training, count).write(plan.toAdd, true); });
        // The file was replaced: read the new one from now on.
        training.reopen();
    }
    addNewExercises(plan, exercises, exerciseFileName);
}
}

void apply(const Plan &plan, TrainingFile &training, ExerciseFile *exercises)
{
    applyPlan(plan, training, exercises, QString());
}

void apply(const Plan &plan, TrainingFile &training, ExerciseFile &exercises, const QString &exerciseFileName)
{
    applyPlan(plan, training, &exercises, exerciseFileName);
}

Plan importWhileReading(const QByteArray &csv, const Options &options, const QString &path, TrainingFile &training,
                        const QStringList &known, ExerciseFile &exercises, const QString &exerciseFileName,
                        const std::function<void(const Plan &)> &beforeWriting)
{
    const bool existing = training.isOpen();
    const QSet<QByteArray> present = existing ? workoutKeys(training) : QSet<QByteArray>();
    const int count = existing ? training.RecordCount() : 0;
    const FileLock::WriteLock lock(path);
    if (existing)
        training.checkUnchanged();
    struct NothingToAdd {};
    Plan result;
    // Streaming: the records go out as their workouts are made, so the disk takes them
    // while the rest of the file is read; else they all go out once the plan stands.
    const auto write = [&](bool streaming) {
        WholeFile::write(path, [&](QIODevice &out) {
            RecordWriter writer(out, path, training, count);
            if (streaming)
                result = readPlan(csv, options, present, known,
                                  [&](const QList<WorkoutRecord> &toAdd) { writer.write(toAdd, false); });
            beforeWriting(result);
            if (result.toAdd.isEmpty())
                throw NothingToAdd{};
            writer.write(result.toAdd, true);
        });
    };
    try {
        try {
            write(true);
        } catch (const MadeTooEarly &) {
            result = readPlan(csv, options, present, known, {});
            write(false);
        }
        if (existing)
            training.reopen();
    } catch (const NothingToAdd &) {
    }
    addNewExercises(result, &exercises, exerciseFileName);
    return result;
}

}
