#include "ProgressFixture.h"

#include "progress/ProgressData.h"
#include "progress/RecordTexts.h"
#include "support/TestEnvironment.h"

#include <QTest>

#include <cstring>
#include <limits>

using namespace ProgressFixture;

namespace {
// Four workouts, the last one dated before the others:
//   0  Mon 4.3.2024   Chest 1:30  Bench press 3×5 at 100, 3×8 at 90; Pull-up 3×10 BW
//   1  Wed 6.3.2024   Back  0:45  bench PRESS 1×21 at 40; Pull-up 2×12 BW; Squat 1×0 at 200
//   2  Mon 11.3.2024  Chest 1:00  Bench press 2×5 at 100; Squat 5×5 at 100; Pull-up 1×12 BW
//   3  Fri 1.3.2024   Chest 0:50  BENCH PRESS 4×5 at 100
QList<WorkoutRecord> history()
{
    return {
        workout(QDate(2024, 3, 4),
                {row("Bench press", 3, 5, 100), row("Bench press", 3, 8, 90), row("Pull-up", 3, 10, 0)},
                "Chest", 1.30f),
        workout(QDate(2024, 3, 6), {row("bench PRESS", 1, 21, 40), row("Pull-up", 2, 12, 0), row("Squat", 1, 0, 200)},
                "Back", 0.45f),
        workout(QDate(2024, 3, 11), {row("Bench press", 2, 5, 100), row("Squat", 5, 5, 100), row("Pull-up", 1, 12, 0)},
                "Chest", 1.00f),
        workout(QDate(2024, 3, 1), {row("BENCH PRESS", 4, 5, 100)}, "Chest", 0.50f),
    };
}

// 100 × 36 ÷ (37 − 5)
constexpr float OneRm100x5 = 112.5f;
}

class TestProgressData : public QObject {
    Q_OBJECT

    TestEnvironment *env = nullptr;
    TrainingFile file;

    ProgressData collect(const QStringList &catalogue)
    {
        return CollectProgress(file, catalogue);
    }

private slots:
    void init()
    {
        env = new TestEnvironment;
        env->writeFile(QStringLiteral("workouts.dat"), WorkoutBuilder::fileBytes(history()));
        file.open(env->path(QStringLiteral("workouts.dat")), TrainingFile::Access::ReadOnly);
    }
    void cleanup()
    {
        file.close();
        delete env;
    }

    // Names differing in case are one exercise, named as the catalogue spells it or as
    // first met; a catalogue exercise never done is listed without points or records.
    void exercisesAndNames_data()
    {
        QTest::addColumn<QStringList>("catalogue");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("recordNames");
        QTest::newRow("no catalogue") << QStringList() << QStringList{"Bench press", "Pull-up", "Squat"}
                                      << QStringList{"Bench press", "Pull-up", "Squat"};
        QTest::newRow("catalogue spelling") << QStringList{"Squat", "Deadlift", "Bench Press"}
                                            << QStringList{"Bench Press", "Deadlift", "Pull-up", "Squat"}
                                            << QStringList{"Bench Press", "Pull-up", "Squat"};
    }
    void exercisesAndNames()
    {
        QFETCH(QStringList, catalogue);
        const ProgressData data = collect(catalogue);
        QStringList names, recordNames;
        for (const ExerciseSeries &s : data.exercises)
            names << s.name;
        for (const ExerciseRecords &r : data.records)
            recordNames << r.name;
        QTEST(names, "names");
        QTEST(recordNames, "recordNames");
        QCOMPARE(data.findExercise(QStringLiteral("BENCH press")), 0);
        QCOMPARE(data.findExercise(QStringLiteral("Bench")), -1);
    }

    // One point per workout, by date: best expected 1RM (21 reps: × 2.1), heaviest
    // weight with its reps, sets × reps × weight.
    void seriesPoints()
    {
        const ProgressData data = collect({});
        const QList<ExercisePoint> &bench = data.exercises.at(data.findExercise("Bench press")).points;
        QCOMPARE(bench.size(), 4);
        const int records[] = {3, 0, 1, 2};
        const int days[] = {day(2024, 3, 1), day(2024, 3, 4), day(2024, 3, 6), day(2024, 3, 11)};
        const float oneRm[] = {OneRm100x5, OneRm100x5, 84.0f, OneRm100x5};
        const float heaviest[] = {100, 100, 40, 100};
        const int heaviestReps[] = {5, 5, 21, 5};
        const float volume[] = {2000, 3660, 840, 1000};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(bench.at(i).record, records[i]);
            QCOMPARE(bench.at(i).day, days[i]);
            QCOMPARE(bench.at(i).bestOneRm, oneRm[i]);
            QCOMPARE(bench.at(i).heaviest, heaviest[i]);
            QCOMPARE(bench.at(i).heaviestReps, heaviestReps[i]);
            QCOMPARE(bench.at(i).volume, volume[i]);
            QCOMPARE(measureValue(bench.at(i), ProgressMeasure::Volume), volume[i]);
        }
        // A row of 0 reps gives neither an expected 1RM nor a heaviest weight.
        const QList<ExercisePoint> &squat = data.exercises.at(data.findExercise("Squat")).points;
        QCOMPARE(squat.size(), 2);
        QCOMPARE(squat.at(0).bestOneRm, 0.0f);
        QCOMPARE(squat.at(0).heaviest, 0.0f);
        QCOMPARE(squat.at(1).heaviest, 100.0f);
    }

    // Of equal values the earlier date counts, even when its record comes later.
    void records()
    {
        const ProgressData data = collect({});
        const ExerciseRecords &bench = data.records.at(data.findRecords("bench press"));
        QCOMPARE(bench.bestOneRm.value, OneRm100x5);
        QCOMPARE(bench.bestOneRm.day, day(2024, 3, 1));
        QCOMPARE(bench.bestOneRm.record, 3);
        QCOMPARE(bench.bestOneRm.weight, 100.0f);
        QCOMPARE(bench.bestOneRm.reps, 5);
        QCOMPARE(bench.heaviest.value, 100.0f);
        QCOMPARE(bench.heaviest.record, 3);
        QVERIFY(!bench.bodyweightReps.isSet());
        QCOMPARE(bench.bestVolume.value, 3660.0f);
        QCOMPARE(bench.bestVolume.record, 0);

        const ExerciseRecords &pullUp = data.records.at(data.findRecords("Pull-up"));
        QCOMPARE(pullUp.bodyweightReps.reps, 12);
        QCOMPARE(pullUp.bodyweightReps.record, 1); // 12 again on 11.3. does not take it
        QVERIFY(!pullUp.bestOneRm.isSet());
        QVERIFY(!pullUp.heaviest.isSet());
        QVERIFY(!pullUp.bestVolume.isSet());

        const ExerciseRecords &squat = data.records.at(data.findRecords("Squat"));
        QCOMPARE(squat.heaviest.value, 100.0f); // not the 200 of 0 reps
        QCOMPARE(squat.bestVolume.value, 2500.0f);

        QCOMPARE(recordsTableRow(bench),
                 (QStringList{"Bench press", "112.50", "1.3.2024", "100 × 5", "100", "5", "1.3.2024", "", "",
                              "3660.00", "4.3.2024"}));
    }

    // Weeks from Monday: volume by body part, workouts and minutes (1.30 is 90 minutes).
    void weeks()
    {
        const ProgressData data = collect({});
        QCOMPARE(data.bodyparts, (QStringList{"Chest", "Back"}));
        QCOMPARE(data.weeks.size(), 3);
        const int firstDays[] = {day(2024, 2, 26), day(2024, 3, 4), day(2024, 3, 11)};
        const QList<float> volumes[] = {{2000, 0}, {3660, 840}, {3500, 0}};
        const int workouts[] = {1, 2, 1};
        const int minutes[] = {50, 135, 60};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(data.weeks.at(i).firstDay, firstDays[i]);
            QCOMPARE(data.weeks.at(i).volumeByBodypart, volumes[i]);
            QCOMPARE(data.weeks.at(i).workouts, workouts[i]);
            QCOMPARE(data.weeks.at(i).minutes, qint64(minutes[i]));
        }
        QCOMPARE(data.weeks.at(1).volume(), 4500.0f);
    }

    void weekStart_data()
    {
        QTest::addColumn<int>("dayCount");
        QTest::addColumn<int>("monday");
        QTest::newRow("Monday") << day(2024, 3, 4) << day(2024, 3, 4);
        QTest::newRow("Sunday") << day(2024, 3, 10) << day(2024, 3, 4);
        QTest::newRow("before 1900") << day(1899, 12, 29) << day(1899, 12, 25);
    }
    void weekStart()
    {
        QFETCH(int, dayCount);
        QTEST(weekStartDay(dayCount), "monday");
    }

    void ranges_data()
    {
        QTest::addColumn<int>("range");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("first");
        QTest::newRow("3 months") << int(ProgressRange::LastThreeMonths) << QDate(2024, 6, 15) << QDate(2024, 3, 15);
        QTest::newRow("3 months, shorter month") << int(ProgressRange::LastThreeMonths) << QDate(2024, 5, 31)
                                                 << QDate(2024, 2, 29);
        QTest::newRow("year from 29 February") << int(ProgressRange::LastYear) << QDate(2024, 2, 29)
                                               << QDate(2023, 2, 28);
    }
    void ranges()
    {
        QFETCH(int, range);
        QFETCH(QDate, today);
        QFETCH(QDate, first);
        QCOMPARE(rangeFirstDay(ProgressRange(range), today), int(DayCount::fromDate(first)));
    }

    // Both ends count; a week counts when one of its days is in the span.
    void filtering()
    {
        const ProgressData data = collect({});
        const QList<ExercisePoint> &bench = data.exercises.at(0).points;
        QCOMPARE(pointsBetween(bench, day(2024, 3, 4), day(2024, 3, 6)).size(), 2);
        QCOMPARE(pointsBetween(bench, rangeFirstDay(ProgressRange::All, QDate(2024, 3, 11)), day(2024, 3, 11)).size(), 4);
        QCOMPARE(weeksBetween(data.weeks, day(2024, 3, 3), day(2024, 3, 4)).size(), 2);
        QCOMPARE(weeksBetween(data.weeks, day(2024, 3, 5), day(2024, 3, 10)).size(), 1);
    }

    // A damaged record (counts above 20, a date that is no number) is read as far as it
    // is sound.
    void damagedRecord()
    {
        QByteArray bytes = workout(QDate(2024, 3, 4), {row("Bench press", 1, 5, 100)}).encode();
        bytes[WorkoutLayout::ExerciseCount] = char(200);
        const double nan = std::numeric_limits<double>::quiet_NaN();
        std::memcpy(bytes.data() + WorkoutLayout::Date, &nan, 8);
        env->writeFile(QStringLiteral("damaged.dat"), bytes);
        TrainingFile damaged;
        damaged.open(env->path(QStringLiteral("damaged.dat")), TrainingFile::Access::ReadOnly);
        const ProgressData data = CollectProgress(damaged, {});
        QCOMPARE(data.records.size(), 1); // the empty rows beyond the one used are no exercise
        QCOMPARE(data.exercises.at(data.findExercise("Bench press")).points.at(0).day, 0);
    }
};

QTEST_GUILESS_MAIN(TestProgressData)
#include "tst_progressdata.moc"
