// Export of all week analyses of a 20,000-workout training file, against reading
// that file once.
#include "analysis/AnalysisCommands.h"
#include "analysis/WeekStatistics.h"
#include "support/BenchTrainingFile.h"
#include "common/DayCount.h"
#include "common/RegionalSettings.h"
#include "store/WorkoutList.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
constexpr int Workouts = 20000;

// Answers the save dialog with a fixed path; every other prompt is unexpected.
class BenchPrompts : public UserPrompts {
public:
    QString target;
    void error(const QString &text) override { qFatal("error: %s", qPrintable(text)); }
    void warning(const QString &) override {}
    void information(const QString &) override {}
    void message(const QString &) override {}
    Answer confirm(const QString &, bool) override { return Answer::No; }
    bool input(const QString &, const QString &, QString &) override { return false; }
    QString openFileName(const FileDialog &) override { return QString(); }
    QString saveFileName(const FileDialog &) override { return target; }
    void beep() override {}
    bool openWithDesktop(const QString &) override { return false; }
};

class BenchSession : public WorkoutSession {
public:
    TrainingFile file;
    QStringList lines;
    QStringList types = {QString(), "Light", "Heavy", "Volume", "Experimental"};
    QStringList cardio = {QString(), "Running", "Cycling", "Swimming", "Jumprope", "Walking"};
    BenchPrompts prompts_;
    qint64 progressCalls = 0;

    TrainingFile &trainingFile() override { return file; }
    QStringList workoutLines() const override { return lines; }
    int selectedLine() const override { return -1; }
    int currentRecordIndex() const override { return 0; }
    WorkoutRecord formWorkout() override { return {}; }
    QList<QStringList> exerciseGridRows() override { return {}; }
    QStringList trainingTypes() const override { return types; }
    QStringList cardioTypes() const override { return cardio; }
    QString templateFileName() const override { return QStringLiteral("template.html"); }
    UserPrompts &prompts() override { return prompts_; }
    ProgressCallback progress(const QString &) override
    {
        return [this](qint64, qint64) { ++progressCalls; };
    }
};

struct Fixture {
    QTemporaryDir dir;
    BenchSession session;

    Fixture()
    {
        RegionalSettings::setCurrent(RegionalSettings());
        const QString path = dir.filePath(QStringLiteral("workouts.dat"));
        writeBenchTrainingFile(path, Workouts);
        session.file.open(path);
        session.lines = WorkoutList::build(session.file, session.types);
        session.prompts_.target = dir.filePath(QStringLiteral("weeks.txt"));
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// The baseline: every record read and decoded once, as a full scan does.
void BM_ReadFileOnce(benchmark::State &state)
{
    TrainingFile &file = fixture().session.file;
    for (auto _ : state) {
        const int count = file.RecordCount();
        for (int n = 0; n < count; ++n) {
            WorkoutRecord r = file.ReadRecord(n);
            benchmark::DoNotOptimize(r);
        }
    }
}
BENCHMARK(BM_ReadFileOnce)->Unit(benchmark::kMillisecond);

// The bytes alone, read in 1024-record chunks: the lower bound of any full scan.
void BM_ReadRawOnce(benchmark::State &state)
{
    TrainingFile &file = fixture().session.file;
    for (auto _ : state) {
        const int count = file.RecordCount();
        for (int first = 0; first < count; first += 1024) {
            QByteArray data = file.readRaw(first, qMin(1024, count - first));
            benchmark::DoNotOptimize(data);
        }
    }
}
BENCHMARK(BM_ReadRawOnce)->Unit(benchmark::kMillisecond);

void BM_ExportAllWeekAnalyses(benchmark::State &state)
{
    BenchSession &session = fixture().session;
    for (auto _ : state)
        ExportAllWeekAnalyses(session);
    state.counters["weeks"] = double(session.lines.count(WorkoutList::Separator) + 1);
    state.counters["bytes"] = double(QFile(session.prompts_.target).size());
}
BENCHMARK(BM_ExportAllWeekAnalyses)->Unit(benchmark::kMillisecond);

void BM_TrainingPeriodAnalysis(benchmark::State &state)
{
    BenchSession &session = fixture().session;
    for (auto _ : state) {
        QString text = trainingPeriodAnalysis(session.file, session.lines, {session.cardio, session.types});
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_TrainingPeriodAnalysis)->Unit(benchmark::kMillisecond);
}

BENCHMARK_MAIN();
