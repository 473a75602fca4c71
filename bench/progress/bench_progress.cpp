// The progress collection (records table and every exercise's series) and the word
// after a save, on a 20,000-workout training file, against what `fortavo-cli stats`
// does on it: the list of past workouts and the training period analysis. Prints the
// ratios at the end. `bench_progress --write-training FILE` only writes the file, for
// timing the fortavo-cli commands themselves.
#include "analysis/WeekStatistics.h"
#include "common/RegionalSettings.h"
#include "progress/NewRecord.h"
#include "progress/ProgressData.h"
#include "progress/RecordTexts.h"
#include "store/WorkoutList.h"
#include "support/BenchTrainingFile.h"
#include "support/LeastTimeReporter.h"

#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

namespace {
constexpr int Workouts = 20000;

struct Fixture {
    QTemporaryDir dir;
    TrainingFile file;
    const QStringList types = {QString(), "Light", "Heavy", "Volume", "Experimental"};
    const QStringList cardio = {QString(), "Running", "Cycling", "Swimming", "Jumprope", "Walking"};

    Fixture()
    {
        RegionalSettings::setCurrent(RegionalSettings());
        const QString path = dir.filePath(QStringLiteral("workouts.dat"));
        writeBenchTrainingFile(path, Workouts);
        file.open(path, TrainingFile::Access::ReadOnly);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_StatsPath(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        const QStringList lines = WorkoutList::build(f.file, f.types);
        QString text = trainingPeriodAnalysis(f.file, lines, {f.cardio, f.types});
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_StatsPath)->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_CollectProgress(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        ProgressData data = CollectProgress(f.file, {QStringLiteral("Bench press")});
        benchmark::DoNotOptimize(data);
    }
}
BENCHMARK(BM_CollectProgress)->Unit(benchmark::kMillisecond)->Repetitions(5);

// The records table's texts as fortavo-cli prints them.
void BM_RecordsTable(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        const ProgressData data = CollectProgress(f.file, {});
        QString text = recordsTableTitles().join(QLatin1Char('\t'));
        for (const ExerciseRecords &r : data.records)
            text += recordsTableRow(r).join(QLatin1Char('\t'));
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_RecordsTable)->Unit(benchmark::kMillisecond)->Repetitions(5);

// After saving the last workout.
void BM_NewRecord(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        QString text = NewRecordText(f.file, Workouts - 1);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_NewRecord)->Unit(benchmark::kMillisecond)->Repetitions(5);
}

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--write-training") == 0) {
        writeBenchTrainingFile(QString::fromLocal8Bit(argv[2]), Workouts);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    LeastTimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nratio to the stats path (least real time of each):\n");
    for (const char *name : {"BM_CollectProgress", "BM_RecordsTable", "BM_NewRecord"}) {
        double a = 0, b = 0;
        if (reporter.pair(name, "BM_StatsPath", a, b))
            std::printf("  %-20s %.3f\n", name, a / b);
    }
    benchmark::Shutdown();
    return 0;
}
