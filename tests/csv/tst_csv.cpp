#include "common/DayCount.h"
#include "common/Errors.h"
#include "csv/CsvExport.h"
#include "csv/CsvImport.h"
#include "csv/CsvTable.h"
#include "exercises/ExerciseFile.h"
#include "store/TrainingFile.h"
#include "support/TestEnvironment.h"

#include <QTest>

namespace {
const QStringList Types = {QString(), "Light", "Heavy", "Volume", "Experimental"};

CsvImport::Plan planOf(const QByteArray &csv, const QSet<QByteArray> &present = {},
                       CsvImport::WeightUnit unit = CsvImport::WeightUnit::Kg)
{
    return CsvImport::plan(csv, {unit, Types}, present, {QStringLiteral("Bench press")});
}

QString rowText(const ExerciseEntry &e)
{
    return QStringLiteral("%1 %2x%3 at %4 %5").arg(e.Name).arg(e.Sets).arg(e.Reps).arg(double(e.Weight)).arg(e.ExecutionType).trimmed();
}

QStringList rowTexts(const WorkoutRecord &w)
{
    QStringList rows;
    for (const ExerciseEntry &e : w.Exercises)
        rows.append(rowText(e));
    for (const CardioEntry &c : w.Cardio)
        rows.append(QStringLiteral("cardio %1 %2 h %3 m").arg(c.CardioType).arg(double(c.Duration)).arg(c.Distance));
    return rows;
}

QString when(const WorkoutRecord &w)
{
    return DayCount::toDate(w.Date).toString(Qt::ISODate) + u' ' + DayCount::toTime(w.StartTime).toString(QStringLiteral("HH:mm"));
}

WorkoutRecord sample()
{
    WorkoutRecord w;
    w.Date = DayCount::fromDate(QDate(2024, 3, 2));
    w.StartTime = DayCount::fromTime(QTime(9, 15));
    w.Duration = 1.05f;
    w.Bodypart = QStringLiteral("Chest");
    w.TrainingType = 2;
    w.Comment = QStringLiteral("Felt \"strong\", slept well\nnext: legs");
    w.Exercises = {{QStringLiteral("Bench press"), QStringLiteral("Working set"), 3, 10, 52.5f},
                   {QStringLiteral("Dips"), QString(), 2, 12, 0.0f},
                   {QStringLiteral("Čučanj"), QString(), 5, 5, 16.3f}};
    w.Cardio = {{QStringLiteral("Running"), DayCount::fromTime(QTime(10, 0)), 0.35f, 5000, 320}};
    return w;
}
}

class TestCsv : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { pinRegionalSettings(); }

    void currentCommaExport()
    {
        const CsvImport::Plan plan = planOf(
            "Date,Workout Name,Duration,Exercise Name,Set Order,Weight,Reps,Distance,Seconds,Notes,Workout Notes,RPE\n"
            "2023-01-15 10:30:00,Push day,1h 5m,Bench Press,1,50,10,,,,Good one,8\n"
            "2023-01-15 10:30:00,Push day,1h 5m,Bench Press,2,50,10,,,,Good one,\n"
            "2023-01-15 10:30:00,Push day,1h 5m,Bench Press,3,50,10,,,,Good one,\n"
            "2023-01-15 10:30:00,Push day,1h 5m,Bench Press,4,55,8,,,,Good one,\n"
            "2023-01-15 10:30:00,Push day,1h 5m,Bench Press,5,50,10,,,,Good one,\n"
            "2023-01-15 10:30:00,Push day,1h 5m,Running,1,0,0,2.5,900,,Good one,\n"
            "2023-01-14 18:00:00,Legs,45m,Squat,1,100,5,,,,,\n");
        QCOMPARE(plan.toAdd.size(), 2);
        QCOMPARE(when(plan.toAdd[0]), QStringLiteral("2023-01-14 18:00")); // date order
        const WorkoutRecord &push = plan.toAdd[1];
        QCOMPARE(rowTexts(push), (QStringList{"Bench Press 3x10 at 50", "Bench Press 1x8 at 55", "Bench Press 1x10 at 50",
                                             "cardio Running 0.15 h 2500 m"}));
        QCOMPARE(push.Duration, 1.05f);
        QCOMPARE(push.Comment, QStringLiteral("Push day: Good one"));
        QCOMPARE(plan.toAdd[0].Duration, 0.45f);
        QCOMPARE(plan.newExercises, (QStringList{"Squat", "Bench Press"}));
        QVERIFY(plan.problems.isEmpty());
    }

    void olderSemicolonExportWithUnits()
    {
        const QByteArray csv =
            "Date;Workout Name;Exercise Name;Set Order;Weight;Weight Unit;Reps;RPE;Distance;Distance Unit;Seconds;Notes;Workout Notes\n"
            "2022-05-01 07:00:00;Morning;Deadlift;1;225;lbs;5;;;;;;\n"
            "2022-05-01 07:00:00;Morning;Deadlift;2;100;kg;5;;;;;;\n"
            "2022-05-01 07:00:00;Morning;Rowing;1;0;;0;;1,5;mi;600;;\n";
        CsvImport::Plan plan = planOf(csv);
        QCOMPARE(plan.toAdd.size(), 1);
        QCOMPARE(rowTexts(plan.toAdd[0]),
                 (QStringList{"Deadlift 1x5 at 102.06", "Deadlift 1x5 at 100", "cardio Rowing 0.1 h 2414 m"}));
        plan = planOf(csv, {}, CsvImport::WeightUnit::Lbs); // only a stated unit that differs is converted
        QCOMPARE(rowTexts(plan.toAdd[0]).mid(0, 2), (QStringList{"Deadlift 1x5 at 225", "Deadlift 1x5 at 220.46"}));
    }

    void titleAndStartTimeExport()
    {
        const CsvImport::Plan plan = planOf(
            "\xEF\xBB\xBF\"title\",\"start_time\",\"end_time\",\"description\",\"exercise_title\",\"superset_id\",\"exercise_notes\","
            "\"set_index\",\"set_type\",\"weight_kg\",\"reps\",\"distance_km\",\"duration_seconds\",\"rpe\"\n"
            "\"Upper\",\"15 Jan 2023, 10:30\",\"15 Jan 2023, 11:45\",\"\",\"Pull Up\",,\"\",0,\"warmup\",,8,,,\n"
            "\"Upper\",\"15 Jan 2023, 10:30\",\"15 Jan 2023, 11:45\",\"\",\"Pull Up\",,\"\",1,\"normal\",,8,,,\n"
            "\"Upper\",\"15 Jan 2023, 10:30\",\"15 Jan 2023, 11:45\",\"\",\"Pull Up\",,\"\",2,\"normal\",,8,,,\n"
            "\"Upper\",\"15 Jan 2023, 10:30\",\"15 Jan 2023, 11:45\",\"\",\"Cycling\",,\"\",0,\"normal\",,,12.4,1800,\n");
        QCOMPARE(plan.toAdd.size(), 1);
        const WorkoutRecord &w = plan.toAdd[0];
        QCOMPARE(when(w), QStringLiteral("2023-01-15 10:30"));
        QCOMPARE(w.Duration, 1.15f); // from start and end: 1 hour 15 minutes
        QCOMPARE(w.Comment, QStringLiteral("Upper"));
        QCOMPARE(rowTexts(w), (QStringList{"Pull Up 1x8 at 0 Warmup", "Pull Up 2x8 at 0", "cardio Cycling 0.3 h 12400 m"}));
    }

    void otherCsvWithDateExerciseAndReps()
    {
        const CsvImport::Plan plan = planOf("Date,Exercise,Category,Weight (kgs),Reps,Distance,Distance Unit,Time\n"
                                            "2021-09-09,Bench press,Chest,60.0,8,,,\n"
                                            "2021-09-09,Bench press,Chest,60.0,8,,,\n"
                                            "2021-09-09,Treadmill,Cardio,,,3000,m,0:20:00\n");
        QCOMPARE(plan.toAdd.size(), 1);
        QCOMPARE(rowTexts(plan.toAdd[0]), (QStringList{"Bench press 2x8 at 60", "cardio Treadmill 0.2 h 3000 m"}));
        QCOMPARE(when(plan.toAdd[0]), QStringLiteral("2021-09-09 00:00"));
        QVERIFY(plan.newExercises.isEmpty()); // "Bench press" is in the list
    }

    void badRowsReportedWithTheirLines()
    {
        const CsvImport::Plan plan = planOf("Date,Exercise,Weight,Reps,Notes\n"
                                            "2021-09-09,Squat,100,5,\n"
                                            "yesterday,Squat,100,5,\n"
                                            "2021-09-09,Squat,heavy,5,\"two\nlines\"\n"
                                            "2021-09-09,,100,5,\n"
                                            "2021-09-09,Squat,100,300,\n");
        QCOMPARE(plan.toAdd.size(), 1);
        QCOMPARE(plan.problems.size(), 4);
        QCOMPARE(plan.problems[0].line, 3);
        QCOMPARE(plan.problems[0].reason, QStringLiteral("date \"yesterday\" is not a date"));
        QCOMPARE(plan.problems[1].line, 5); // the row spans lines 4 and 5
        QCOMPARE(plan.problems[1].reason, QStringLiteral("weight \"heavy\" is not a number"));
        QCOMPARE(plan.problems[2].reason, QStringLiteral("no exercise name"));
        QCOMPARE(plan.problems[3].reason, QStringLiteral("300 reps are above 255"));
        QVERIFY(plan.reportLines().contains(QStringLiteral("  line 3: date \"yesterday\" is not a date")));
    }

    void duplicatesAreSkipped()
    {
        const QByteArray csv = "Date,Exercise,Weight,Reps\n2021-09-09,Squat,100,5\n2021-09-10,Squat,105,5\n";
        CsvImport::Plan first = planOf(csv);
        QSet<QByteArray> present;
        for (const WorkoutRecord &w : first.toAdd)
            present.insert(CsvImport::workoutKey(w));
        present.remove(CsvImport::workoutKey(first.toAdd[1]));
        const CsvImport::Plan again = planOf(csv, present);
        QCOMPARE(again.skippedAsPresent, 1);
        QCOMPARE(again.toAdd.size(), 1);
        QCOMPARE(when(again.toAdd[0]), QStringLiteral("2021-09-10 00:00"));
    }

    void moreThanTwentyRowsContinueInASecondRecord()
    {
        QByteArray csv = "Date,Exercise,Weight,Reps\n";
        for (int i = 1; i <= 25; ++i)
            csv += "2021-09-09 08:00:00,Exercise " + QByteArray::number(i) + ",10,5\n";
        const CsvImport::Plan plan = planOf(csv);
        QCOMPARE(plan.toAdd.size(), 2);
        QCOMPARE(plan.toAdd[0].Exercises.size(), 20);
        QCOMPARE(plan.toAdd[1].Exercises.size(), 5);
        QCOMPARE(when(plan.toAdd[1]), when(plan.toAdd[0]));
        QCOMPARE(plan.workoutsSplit, 1);
    }

    void textsCutAndReplacedAreCounted()
    {
        const CsvImport::Plan plan =
            planOf("Date,Exercise,Weight,Reps\n2021-09-09," + QByteArray(60, 'x') + ",10,5\n2021-09-11,"
                   + QByteArray(60, 'x') + ",10,5\n2021-09-10,深蹲,10,5\n");
        QCOMPARE(plan.toAdd[0].Exercises[0].Name, QString(50, u'x'));
        QCOMPARE(plan.toAdd[1].Exercises[0].Name, QStringLiteral("??"));
        QCOMPARE(plan.toAdd[2].Exercises[0].Name, QString(50, u'x'));
        QCOMPARE(plan.textsCut, 2); // the same text cut in two workouts
        QCOMPARE(plan.textsWithReplacedCharacters, 1);
    }

    void notCsvIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("binary") << QByteArray("\x00\x01\x02\xFF\xFE", 5);
        QTest::newRow("no known header") << QByteArray("a,b,c\n1,2,3\n");
        QTest::newRow("no reps or weight") << QByteArray("Date,Exercise\n2021-01-01,Squat\n");
    }
    void notCsvIsRefused()
    {
        QFETCH(QByteArray, bytes);
        try {
            planOf(bytes);
            QFAIL("accepted");
        } catch (const ConversionError &e) {
            QVERIFY2(!e.message().isEmpty(), "says what was expected");
        }
    }

    void exportThenImportGivesTheSameWorkouts()
    {
        TestEnvironment env;
        TrainingFile training;
        training.open(env.path(QStringLiteral("w.dat")));
        WorkoutRecord empty;
        empty.Date = DayCount::fromDate(QDate(2024, 3, 1));
        empty.StartTime = DayCount::fromTime(QTime(7, 0));
        training.WriteRecord(0, empty);
        training.WriteRecord(1, sample());
        const QByteArray csv = CsvExport::text(training, CsvExport::Layout::Rows, Types);
        QVERIFY(csv.startsWith("Date,Start time,Duration,Body part,Type of training,Comment,Kind,Name,Execution,Sets,"
                               "Reps,Weight,Distance,Calories"));
        QVERIFY(csv.contains("2024-03-02,09:15:00,1:05,Chest,Heavy,\"Felt \"\"strong\"\", slept well\nnext: legs\","
                             "exercise,Bench press,Working set,3,10,52.5,,,,\r\n"));

        TrainingFile other;
        other.open(env.path(QStringLiteral("new.dat")));
        const CsvImport::Plan plan = CsvImport::plan(csv, {CsvImport::WeightUnit::Kg, Types},
                                                     CsvImport::workoutKeys(other), {});
        CsvImport::apply(plan, other, nullptr);
        QCOMPARE(other.RecordCount(), 2);
        QCOMPARE(other.ReadRecord(0), empty);
        QCOMPARE(other.ReadRecord(1), sample());
    }

    void importAppendsAndLeavesExistingRecords()
    {
        TestEnvironment env;
        TrainingFile training;
        training.open(env.path(QStringLiteral("w.dat")));
        training.WriteRecord(0, sample());
        const QByteArray before = env.readFile(QStringLiteral("w.dat"));
        ExerciseFile exercises;
        exercises.open(env.path(QStringLiteral("e.dat")));
        exercises.save({{QStringLiteral("Bench press"), QStringLiteral("Chest"), QString()}});

        const CsvImport::Plan plan = planOf("Date,Exercise,Weight,Reps\n2020-01-02,Squat,100,5\n2020-01-01,Squat,95,5\n");
        CsvImport::apply(plan, training, &exercises);
        QCOMPARE(training.RecordCount(), 3);
        QCOMPARE(env.readFile(QStringLiteral("w.dat")).left(WorkoutRecord::Size), before);
        QCOMPARE(when(training.ReadRecord(1)), QStringLiteral("2020-01-01 00:00"));
        const QList<CatalogExercise> list = exercises.readAll();
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[1].Name, QStringLiteral("Squat"));
        QVERIFY(list[1].Bodypart.isEmpty());
    }

    // The same workout twice in one file (at midnight, and without a time) is added once.
    void workoutTwiceInOneFileIsAddedOnce()
    {
        const CsvImport::Plan plan = planOf("Date,Exercise,Weight,Reps\n2019-12-31,Bench press,50,5\n"
                                            "2020-01-01 00:00:00,Squat,100,5\n2020-01-01,Squat,100,5\n");
        QCOMPARE(plan.workoutsToAdd, 2);
        QCOMPARE(plan.skippedAsPresent, 1);
        QCOMPARE(plan.toAdd.size(), 2);
        QCOMPARE(when(plan.toAdd[1]), QStringLiteral("2020-01-01 00:00"));
        QCOMPARE(rowTexts(plan.toAdd[1]), QStringList{"Squat 1x5 at 100"});
    }

    void exportOneLinePerSet()
    {
        TestEnvironment env;
        TrainingFile training;
        training.open(env.path(QStringLiteral("w.dat")));
        training.WriteRecord(0, sample());
        const QList<QByteArray> lines = CsvExport::text(training, CsvExport::Layout::Sets, Types).split('\n');
        QCOMPARE(lines[0], QByteArray("Date,Workout Name,Duration,Exercise Name,Set Order,Weight,Reps,Distance,Seconds,"
                                      "Notes,Workout Notes,RPE,Body part,Type of training,Execution,Calories,Cardio start time\r"));
        QVERIFY(lines[1].startsWith("2024-03-02 09:15:00,Chest,3900,Bench press,1,52.5,10,,,Working set,"));
        int benchSets = 0;
        for (const QByteArray &l : lines)
            benchSets += l.contains(",Bench press,") ? 1 : 0;
        QCOMPARE(benchSets, 3);
        // An app reading this layout gets the same sets back.
        const CsvImport::Plan plan = planOf(CsvExport::text(training, CsvExport::Layout::Sets, Types));
        QCOMPARE(rowTexts(plan.toAdd[0]),
                 (QStringList{"Bench press 3x10 at 52.5 Working set", "Dips 2x12 at 0", "Čučanj 5x5 at 16.3", "cardio Running 0.35 h 5000 m"}));
    }
};

QTEST_GUILESS_MAIN(TestCsv)
#include "tst_csv.moc"
