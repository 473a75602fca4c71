// Importing a CSV export of 100,000 set rows (10,000 workouts) into an empty training
// file, against reading the same CSV once with libcsv alone, in two layouts: the one
// with "Date" and "Exercise Name" columns, and the one with "start_time" and
// "exercise_title" whose dates are written as "6 Jan 2025, 07:15".
// Run: bench_csv; target: each import (BM_Import, BM_ImportStartTime: as fortavo-cli
// import-csv does it) at most 5 times the bare parse of its file.

#include "csv/CsvImport.h"
#include "csv/CsvTable.h"
#include "exercises/ExerciseFile.h"
#include "store/TrainingFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include <memory>

#include <unistd.h>

#include <benchmark/benchmark.h>

#include <csv.h>

namespace {
constexpr int kWorkouts = 10000;
constexpr int kSetsPerWorkout = 10;

QByteArray generatedCsv()
{
    static const QByteArray csv = [] {
        QByteArray out = "Date,Workout Name,Duration,Exercise Name,Set Order,Weight,Reps,Distance,Seconds,Notes,"
                         "Workout Notes,RPE\n";
        const QDate first(2000, 1, 3);
        for (int w = 0; w < kWorkouts; ++w) {
            const QByteArray date = first.addDays(w).toString(Qt::ISODate).toLatin1() + " 18:00:00";
            for (int s = 0; s < kSetsPerWorkout; ++s) {
                const QByteArray exercise = s < 5 ? "Bench Press" : "Squat \"High bar\"";
                out += date + ",Evening,1h 5m,\"" + QByteArray(exercise).replace("\"", "\"\"") + "\","
                       + QByteArray::number(s % 5 + 1) + "," + QByteArray::number(60 + (s % 3) * 5) + ",8,,,,\"notes, with comma\",\n";
            }
        }
        return out;
    }();
    return csv;
}

QByteArray generatedStartTimeCsv()
{
    static const QByteArray csv = [] {
        QByteArray out = "\"title\",\"start_time\",\"end_time\",\"description\",\"exercise_title\",\"superset_id\","
                         "\"exercise_notes\",\"set_index\",\"set_type\",\"weight_kg\",\"reps\",\"distance_km\","
                         "\"duration_seconds\",\"rpe\"\n";
        const QLocale c = QLocale::c();
        const QDate first(2000, 1, 3);
        for (int w = 0; w < kWorkouts; ++w) {
            const QByteArray date = c.toString(first.addDays(w), QStringLiteral("d MMM yyyy")).toLatin1();
            for (int s = 0; s < kSetsPerWorkout; ++s) {
                const QByteArray exercise = s < 5 ? "Bench Press (Barbell)" : "Squat (Barbell)";
                out += "\"Evening\",\"" + date + ", 18:00\",\"" + date + ", 19:05\",\"notes, with comma\",\"" + exercise
                       + "\",,\"\"," + QByteArray::number(s % 5) + ",\"" + (s % 5 == 0 ? "warmup" : "normal") + "\","
                       + QByteArray::number(60 + (s % 3) * 5) + ",8,,,\n";
            }
        }
        return out;
    }();
    return csv;
}

void bareParse(benchmark::State &state, const QByteArray &csv)
{
    for (auto _ : state) {
        csv_parser parser;
        csv_init(&parser, CSV_APPEND_NULL);
        size_t fields = 0;
        csv_parse(&parser, csv.constData(), size_t(csv.size()),
                  [](void *, size_t, void *n) { ++*static_cast<size_t *>(n); }, nullptr, &fields);
        csv_fini(&parser, [](void *, size_t, void *n) { ++*static_cast<size_t *>(n); }, nullptr, &fields);
        csv_free(&parser);
        benchmark::DoNotOptimize(fields);
    }
}

// A fresh training file for each round; making and removing it is not timed.
template <typename Import>
void intoEmptyFile(benchmark::State &state, Import import)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto dir = std::make_unique<QTemporaryDir>();
        TrainingFile training;
        training.open(dir->filePath(QStringLiteral("workouts.dat")));
        state.ResumeTiming();
        import(training);
        state.PauseTiming();
        if (training.RecordCount() != kWorkouts)
            state.SkipWithError("not every workout was imported");
        training.close();
        dir.reset();
        ::sync(); // the removal reaches the disk before the next round's flush
        state.ResumeTiming();
    }
}

// As fortavo-cli import-csv does it: the records written while the rows are read.
void import(benchmark::State &state, const QByteArray &csv)
{
    intoEmptyFile(state, [&](TrainingFile &training) {
        ExerciseFile exercises;
        const QString exerciseList = QFileInfo(training.fileName()).dir().filePath(QStringLiteral("exercises.dat"));
        CsvImport::importWhileReading(csv, {}, training.fileName(), training, {}, exercises, exerciseList,
                                      [](const CsvImport::Plan &) {});
    });
}

// As the program's window does it: the plan first, for its preview, then the write.
void planThenApply(benchmark::State &state, const QByteArray &csv)
{
    intoEmptyFile(state, [&](TrainingFile &training) {
        CsvImport::apply(CsvImport::plan(csv, {}, CsvImport::workoutKeys(training), {}), training, nullptr);
    });
}

// The import's stages apart: reading the text into fields a batch at a time, reading
// and making the records (the plan), and writing them (the whole training file
// replaced, flushed to the disk).
void readBatches(benchmark::State &state, const QByteArray &csv)
{
    for (auto _ : state) {
        CsvReader reader(csv);
        qsizetype rows = 0;
        while (reader.next())
            rows += reader.table().rows.size();
        benchmark::DoNotOptimize(rows);
    }
}

void makePlan(benchmark::State &state, const QByteArray &csv)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(CsvImport::plan(csv, {}, {}, {}).toAdd.size());
}

void writeRecords(benchmark::State &state, const QByteArray &csv)
{
    const CsvImport::Plan plan = CsvImport::plan(csv, {}, {}, {});
    intoEmptyFile(state, [&](TrainingFile &training) { CsvImport::apply(plan, training, nullptr); });
}

void BM_BareParse(benchmark::State &state) { bareParse(state, generatedCsv()); }
void BM_Read(benchmark::State &state) { readBatches(state, generatedCsv()); }
void BM_Plan(benchmark::State &state) { makePlan(state, generatedCsv()); }
void BM_Write(benchmark::State &state) { writeRecords(state, generatedCsv()); }
void BM_ReadStartTime(benchmark::State &state) { readBatches(state, generatedStartTimeCsv()); }
void BM_PlanStartTime(benchmark::State &state) { makePlan(state, generatedStartTimeCsv()); }
void BM_Import(benchmark::State &state) { import(state, generatedCsv()); }
void BM_PlanThenApply(benchmark::State &state) { planThenApply(state, generatedCsv()); }
void BM_BareParseStartTime(benchmark::State &state) { bareParse(state, generatedStartTimeCsv()); }
void BM_ImportStartTime(benchmark::State &state) { import(state, generatedStartTimeCsv()); }
BENCHMARK(BM_BareParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanThenApply)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareParseStartTime)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Plan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadStartTime)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanStartTime)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportStartTime)->Unit(benchmark::kMillisecond);
}

BENCHMARK_MAIN();
