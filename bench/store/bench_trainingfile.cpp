// The training file with 20,000 workouts (about 59 MB): reading it once, opening it
// and listing its workouts, deleting record 0 and undoing it, and copying the file.
// Run: bench_trainingfile; compare the listing to the plain read and the deletion
// with its undo to the durable copy: both flush their new file to the disk (fsync),
// so both sides do the same durable work. Target: at most 4 times the durable copy.

#include "common/DayCount.h"
#include "store/TrainingFile.h"
#include "store/WorkoutList.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr int kWorkouts = 20000;
const QStringList kTypes = {QString(), "Light", "Heavy", "Volume", "Experimental"};

struct Fixture {
    QTemporaryDir dir;
    QString path = dir.filePath("workouts.dat");

    Fixture()
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        for (int i = 0; i < kWorkouts; ++i) {
            WorkoutRecord r;
            r.Date = DayCount::fromDate(QDate(2000, 1, 3).addDays(i));
            r.Bodypart = QStringLiteral("Chest");
            r.TrainingType = quint8(i % 5);
            r.Comment = QStringLiteral("a workout");
            for (int k = 0; k < 6; ++k)
                r.Exercises.append({QStringLiteral("Bench press"), QStringLiteral("Working set"), 3, 10, 80.0f});
            file.write(r.encode());
        }
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void ReadSequentially(benchmark::State &state)
{
    for (auto _ : state) {
        QFile file(fixture().path);
        file.open(QIODevice::ReadOnly);
        qint64 total = 0;
        while (!file.atEnd())
            total += file.read(1 << 20).size();
        benchmark::DoNotOptimize(total);
    }
}

void OpenAndFillList(benchmark::State &state)
{
    for (auto _ : state) {
        TrainingFile file;
        file.open(fixture().path);
        const QStringList lines = WorkoutList::build(file, kTypes);
        benchmark::DoNotOptimize(lines.size());
    }
}

void DeleteFirstAndUndo(benchmark::State &state)
{
    TrainingFile file;
    file.open(fixture().path);
    for (auto _ : state) {
        const WorkoutRecord first = file.ReadRecord(0);
        file.RemoveRecord(0);
        file.InsertRecord(0, first);
    }
}

void CopyFile(benchmark::State &state)
{
    const QString copy = fixture().dir.filePath("copy.dat");
    for (auto _ : state) {
        QFile::remove(copy);
        QFile::copy(fixture().path, copy);
    }
}

// The copy flushed to the disk, with its folder, as a durable rewrite is.
void CopyFileDurably(benchmark::State &state)
{
    const QString copy = fixture().dir.filePath("durable.dat");
    for (auto _ : state) {
        QFile::remove(copy);
        QFile::copy(fixture().path, copy);
        const int fd = ::open(QFile::encodeName(copy).constData(), O_RDONLY);
        const int folder = ::open(QFile::encodeName(fixture().dir.path()).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0 || folder < 0 || ::fsync(fd) != 0 || ::fsync(folder) != 0)
            state.SkipWithError("cannot flush the copy");
        ::close(fd);
        ::close(folder);
    }
}
}

BENCHMARK(ReadSequentially)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenAndFillList)->Unit(benchmark::kMillisecond);
BENCHMARK(DeleteFirstAndUndo)->Unit(benchmark::kMillisecond);
BENCHMARK(CopyFile)->Unit(benchmark::kMillisecond);
BENCHMARK(CopyFileDurably)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
