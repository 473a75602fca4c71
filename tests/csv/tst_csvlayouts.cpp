#include "common/DayCount.h"
#include "common/Errors.h"
#include "csv/CsvExport.h"
#include "csv/CsvImport.h"
#include "csv/CsvTable.h"
#include "store/TrainingFile.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QTest>

#include <ctime>

// Exports of other workout apps in each of their layouts (small files of our own in
// layouts/), read into exact records; Fortavo's own exports read back unchanged.
namespace {
const QStringList Types = {QString(), "Light", "Heavy", "Volume", "Experimental"};

CsvImport::Plan planOf(const QByteArray &csv, const QSet<QByteArray> &present = {})
{
    return CsvImport::plan(csv, {CsvImport::WeightUnit::Kg, Types}, present, {});
}

QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(FORTAVO_LAYOUTS_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no fixture %s", qPrintable(name));
    return file.readAll();
}

// A workout as one line: start, duration, comment, then its rows.
QString describe(const WorkoutRecord &w)
{
    QStringList parts{DayCount::toDate(w.Date).toString(Qt::ISODate) + u' '
                          + DayCount::toTime(w.StartTime).toString(QStringLiteral("HH:mm")),
                      QString::number(double(w.Duration)), w.Comment};
    for (const ExerciseEntry &e : w.Exercises)
        parts << QStringLiteral("%1 %2x%3 at %4 %5").arg(e.Name).arg(e.Sets).arg(e.Reps).arg(double(e.Weight)).arg(e.ExecutionType).trimmed();
    for (const CardioEntry &c : w.Cardio)
        parts << QStringLiteral("cardio %1 %2 h %3 m").arg(c.CardioType).arg(double(c.Duration)).arg(c.Distance);
    return parts.join(QStringLiteral(" | "));
}

QStringList describe(const QList<WorkoutRecord> &records)
{
    QStringList out;
    for (const WorkoutRecord &w : records)
        out << describe(w);
    return out;
}

QSet<QByteArray> keysOf(const QList<WorkoutRecord> &records)
{
    QSet<QByteArray> keys;
    for (const WorkoutRecord &r : records)
        keys.insert(CsvImport::workoutKey(r));
    return keys;
}

void setZone(const char *zone)
{
    qputenv("TZ", zone);
    tzset();
}

WorkoutRecord workout(QDate date, QTime time, float duration, const QString &bodypart, quint8 type, const QString &comment)
{
    WorkoutRecord w;
    w.Date = DayCount::fromDate(date);
    w.StartTime = DayCount::fromTime(time);
    w.Duration = duration;
    w.Bodypart = bodypart;
    w.TrainingType = type;
    w.Comment = comment;
    return w;
}
}

class TestCsvLayouts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        pinRegionalSettings();
        setZone("Europe/Berlin");
    }

    void layouts_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("workouts");
        QTest::addColumn<QString>("reported"); // a line of the report
        QTest::newRow("first app, current layout: warm-up, drop, failure, rest timer and note rows")
            << "first_current.csv"
            << QStringList{"2024-05-04 07:00 | 0.45 | Legs | Squat 1x5 at 100",
                           "2024-05-06 18:00 | 1.05 | Push: Deload week\nElbow sore | Bench Press 1x10 at 40 Warmup | "
                           "Bench Press 2x8 at 60 | Bench Press 1x5 at 60 | Bench Press 1x12 at 40 Drop set | "
                           "cardio Rowing Machine 0.08 h 2000 m"}
            << "Rest timer rows left out: 2";
        QTest::newRow("first app, oldest layout: columns headed lbs and mi")
            << "first_units.csv"
            << QStringList{"2016-02-01 06:30 | 0 | Morning | Deadlift 2x5 at 102.06 | cardio Running 0.12 h 2414 m"}
            << "Rows that could not be read: 0";
        QTest::newRow("first app, semicolon layout with workout durations")
            << "first_semicolon.csv"
            << QStringList{"2020-03-01 09:00 | 0.17 | Full body | Pull Up 2x8 at 0",
                           "2020-03-02 09:00 | 99.59 | Hike: Long one | cardio Walking 0 h 12000 m",
                           "2020-03-03 10:00 | 1.05 | Arms | Curl 1x12 at 13.61", "2020-03-04 10:00 | 2 | Core | Plank 1x0 at 10 55 s"}
            << "Durations longer than 99:59, stored as 99:59: 1";
        QTest::newRow("first app, newest layout, every field quoted")
            << "first_newest.csv"
            << QStringList{"2025-01-10 17:30 | 1.02 | Upper | Overhead Press 2x6 at 40 | cardio Cycling 0.15 h 5000 m"}
            << "Rows that could not be read: 0";
        QTest::newRow("first app, French header")
            << "first_french.csv" << QStringList{"2023-11-20 19:00 | 1.02 | Jambes | Squat 1x8 at 60 Warmup | Squat 2x5 at 100"}
            << "The header's names are unknown; its columns were taken by position: Date: \"Date\", Workout name: "
               "\"Nom de l'entraînement\", Workout duration: \"Durée\", Exercise: \"Nom de l'exercice\", Set order: \"Ordre de "
               "la série\", Weight: \"Poids\", Reps: \"Répétitions\", Distance: \"Distance\", Seconds: \"Secondes\", Notes: "
               "\"Notes\", Workout notes: \"Notes de l'entraînement\"";
        QTest::newRow("second app in lbs and miles, a timed carry with a weight")
            << "second.csv"
            << QStringList{"2025-01-06 07:15 | 0.45 | Pull: Grip day | Barbell Row 1x10 at 43.09 Warmup | Barbell Row 1x5 at 61.23 | "
                           "Barbell Row 1x8 at 43.09 Drop set | Farmer's Carry 1x0 at 58.97 30 s | cardio Running 0.1 h 2414 m"}
            << "Rows that could not be read: 0";
        QTest::newRow("third app, unquoted name with commas")
            << "third.csv"
            << QStringList{"2022-07-01 00:00 | 0 |  | Overhead Press (Each Side, Dumbbells) 2x10 at 20 | Lateral Raise 1x15 at 8 | "
                           "cardio Treadmill 0.2 h 3000 m"}
            << "Rows that could not be read: 0";
        QTest::newRow("app of UTC times, newest first, a set not done")
            << "iso_app.csv"
            << QStringList{"2026-06-27 19:05 | 0 | Day A | Squat 1x5 at 100",
                           "2026-06-29 06:56 | 0 | Day B | Deadlift 1x5 at 61.23 Warmup | Deadlift 1x5 at 102.06"}
            << "Sets not done (no completed reps) left out: 1";
    }
    void layouts()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, workouts);
        QFETCH(QString, reported);
        const CsvImport::Plan plan = planOf(fixture(file));
        QCOMPARE(describe(plan.toAdd), workouts);
        QCOMPARE(plan.problems.size(), 0);
        QVERIFY2(plan.reportLines().contains(reported), qPrintable(plan.reportLines().join(u'\n')));
        // A second import of the same file adds nothing.
        const CsvImport::Plan again = planOf(fixture(file), keysOf(plan.toAdd));
        QCOMPARE(again.toAdd.size(), 0);
        QCOMPARE(again.skippedAsPresent, workouts.size());
    }

    // Both of Fortavo's layouts give back the same records, and a second import into the
    // file they came from adds nothing.
    void ownExportsRoundTrip_data()
    {
        QTest::addColumn<int>("layout");
        QTest::newRow("rows") << int(CsvExport::Layout::Rows);
        QTest::newRow("sets") << int(CsvExport::Layout::Sets);
    }
    void ownExportsRoundTrip()
    {
        QFETCH(int, layout);
        WorkoutRecord full = workout({2024, 3, 2}, {9, 15}, 1.05f, "Chest", 2, "Felt \"strong\", slept well\nnext: legs");
        full.Exercises = {{"Bench press", "Warmup", 1, 10, 40.0f},
                          {"Bench press", QString(), 3, 10, 52.5f},
                          {"Bench press", QString(), 2, 10, 52.5f}, // equal to the row above but for its count
                          {"Dips", "Drop set", 2, 12, 0.0f},
                          {"Plank", QString(), 0, 0, 0.0f}};
        full.Cardio = {{"Running", DayCount::fromTime({10, 0}), 0.35f, 5000, 320},
                       {"Stretching", DayCount::fromTime({10, 40}), 0.0f, 0, 0},
                       {"Walk", DayCount::fromTime({10, 45}), 0.05f, 1234, 12}};
        const WorkoutRecord empty = workout({2024, 3, 1}, {7, 0}, 0.3f, QString(), 0, QString());
        WorkoutRecord sameTime = workout({2024, 3, 2}, {9, 15}, 1.05f, "Chest", 2, "Second session");
        sameTime.Exercises = {{"Squat", QString(), 5, 5, 100.0f}};
        const QList<WorkoutRecord> records = {empty, full, sameTime};

        TestEnvironment env;
        TrainingFile source;
        source.open(env.path("source.dat"));
        for (int i = 0; i < records.size(); ++i)
            source.WriteRecord(i, records[i]);
        const QByteArray csv = CsvExport::text(source, CsvExport::Layout(layout), Types);

        TrainingFile target;
        target.open(env.path("target.dat"));
        CsvImport::apply(planOf(csv, CsvImport::workoutKeys(target)), target, nullptr);
        QCOMPARE(target.RecordCount(), records.size());
        for (int i = 0; i < records.size(); ++i)
            QCOMPARE(target.ReadRecord(i), records[i]);
        QCOMPARE(planOf(csv, CsvImport::workoutKeys(source)).toAdd.size(), 0);
    }

    // A row whose fields do not fit the header is reported with its line, and nothing
    // of it is stored.
    void rowsThatDoNotFit_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("reason");
        const QByteArray head = "Date,Exercise,Category,Weight (kgs),Reps,Distance,Distance Unit,Time\n2022-07-01,Squat,Legs,85.0,5,,,\n";
        QTest::newRow("unclosed quote") << head + "2022-07-02,\"Bench,Chest,85.0,5,,,\n" << 3
                                        << "2 fields where the header has 8";
        QTest::newRow("too few fields") << head + "2022-07-02,85.0,5,,,\n" << 3 << "6 fields where the header has 8";
        QTest::newRow("extra field at the end") << head + "2022-07-02,Bench,Chest,85.0,5,,,,extra\n" << 3
                                                << "time \"extra\" is not a number";
    }
    void rowsThatDoNotFit()
    {
        QFETCH(QByteArray, csv);
        QFETCH(int, line);
        QFETCH(QString, reason);
        const CsvImport::Plan plan = planOf(csv);
        QCOMPARE(describe(plan.toAdd), QStringList{"2022-07-01 00:00 | 0 |  | Squat 1x5 at 85"});
        QCOMPARE(plan.newExercises, QStringList{"Squat"});
        QCOMPARE(plan.problems.size(), 1);
        QCOMPARE(plan.problems[0].line, line);
        QCOMPARE(plan.problems[0].reason, reason);
    }

    // A file cut in the middle of its last line leaves out the workout of that line.
    void cutOffFile_data()
    {
        QTest::addColumn<QByteArray>("cutLine");
        QTest::addColumn<QByteArray>("wholeLine");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("leftOut");
        QTest::addColumn<int>("workouts"); // in the whole file
        const QString legs = "2024-05-04 07:00 | 0.45 | Legs | Squat 1x5 at 100";
        const QByteArray push3 = "2024-05-06 18:00:00,Push,1h 5m,Bench Press,3,60,8,0,0,,,\n";
        QTest::newRow("inside a workout") << QByteArray("2024-05-06 18:00:00,Push,1h 5m,Bench Pr") << push3 << QStringList{legs}
                                          << QStringList{"2024-05-06 18:00"} << 2;
        QTest::newRow("inside the date") << QByteArray("2024-05-0") << push3 << QStringList{legs} << QStringList{"2024-05-06 18:00"} << 2;
        QTest::newRow("starting the next workout")
            << QByteArray("2024-05-08 18:00:00,Pull,1h,Ro") << QByteArray("2024-05-08 18:00:00,Pull,1h,Row,1,50,10,0,0,,,\n")
            << QStringList{legs, "2024-05-06 18:00 | 1.05 | Push | Bench Press 2x8 at 60"} << QStringList() << 3;
    }
    void cutOffFile()
    {
        QFETCH(QByteArray, cutLine);
        QFETCH(QByteArray, wholeLine);
        QFETCH(QStringList, added);
        QFETCH(QStringList, leftOut);
        QFETCH(int, workouts);
        const QByteArray head = "Date,Workout Name,Duration,Exercise Name,Set Order,Weight,Reps,Distance,Seconds,Notes,Workout Notes,RPE\n"
                                "2024-05-04 07:00:00,Legs,45m,Squat,1,100,5,0,0,,,\n"
                                "2024-05-06 18:00:00,Push,1h 5m,Bench Press,1,60,8,0,0,,,\n"
                                "2024-05-06 18:00:00,Push,1h 5m,Bench Press,2,60,8,0,0,,,\n";
        const CsvImport::Plan plan = planOf(head + cutLine);
        QCOMPARE(describe(plan.toAdd), added);
        QCOMPARE(plan.workoutsLeftOut, leftOut);
        QCOMPARE(plan.problems.size(), 1);
        QCOMPARE(plan.problems[0].line, 5);
        // The whole file later adds each workout once.
        const CsvImport::Plan whole = planOf(head + wholeLine, keysOf(plan.toAdd));
        QCOMPARE(whole.toAdd.size() + plan.toAdd.size(), workouts);
    }

    // A large file is read a batch of rows at a time: whatever the batch's size, the
    // plan is the one of the whole text, also where a batch ends at a cut line, a row
    // that cannot be read or a quoted field running over lines.
    void readInBatches_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QByteArray>("sameAs"); // a text of the same workouts, read whole
        for (const char *file : {"first_current.csv", "first_units.csv", "first_semicolon.csv", "first_newest.csv",
                                 "first_french.csv", "second.csv", "third.csv", "iso_app.csv"})
            QTest::newRow(file) << fixture(QString::fromLatin1(file)) << QByteArray();
        const QByteArray head = "Date,Workout Name,Duration,Exercise Name,Set Order,Weight,Reps,Distance,Seconds,Notes,Workout Notes,RPE\n"
                                "2024-05-04 07:00:00,Legs,45m,Squat,1,100,5,0,0,,,\n"
                                "2024-05-06 18:00:00,Push,1h 5m,Bench Press,1,60,8,0,0,,\"Long\nnote\",\n"
                                "not a date,Push,1h 5m,Bench Press,2,60,8,0,0,,,\n"
                                "\n"
                                "2024-05-06 18:00:00,Push,1h 5m,Bench Press,2,60,8,0,0,,,\n";
        QTest::newRow("whole") << head << QByteArray();
        QTest::newRow("cut inside a workout") << head + "2024-05-06 18:00:00,Push,1h 5m,Bench Pr" << QByteArray();
        QTest::newRow("cut starting the next workout") << head + "2024-05-08 18:00:00,Pull,1h,Ro" << QByteArray();
        QByteArray oldMac = head;
        oldMac.replace(",\n", ",\r").replace("RPE\n", "RPE\r"); // lone CR line ends; the quoted line break stays
        QTest::newRow("lone CR line ends") << oldMac << head;
        QTest::newRow("unclosed quote at the end") << head + "2024-05-08 18:00:00,Pull,1h,\"Row,1,50,10\n" << QByteArray();
    }
    void readInBatches()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QByteArray, sameAs);
        const CsvImport::Plan whole = CsvImport::plan(csv, {CsvImport::WeightUnit::Kg, Types, 0}, {}, {});
        QVERIFY(!whole.toAdd.isEmpty());
        if (!sameAs.isEmpty())
            QCOMPARE(describe(whole.toAdd), describe(planOf(sameAs).toAdd));
        for (const int rows : {1, 2, 3}) {
            const CsvImport::Plan batches = CsvImport::plan(csv, {CsvImport::WeightUnit::Kg, Types, rows}, {}, {});
            QCOMPARE(describe(batches.toAdd), describe(whole.toAdd));
            QCOMPARE(batches.toAdd, whole.toAdd);
            QCOMPARE(batches.reportLines(), whole.reportLines());
        }
    }

    // What the rows of a left-out workout hold is not counted in the report either.
    void cutOffWorkoutCountsNothing()
    {
        const QByteArray head = "Date,Workout Name,Duration,Exercise Name,Set Order,Weight,Reps,Distance,Seconds,Notes,Workout Notes,RPE\n"
                                "2024-05-04 07:00:00,Legs,45m,Squat,1,100,5,0,0,,,\n"
                                "2024-05-06 18:00:00,Push,1h 5m,Bench Press,Rest Timer,,,,90,,,\n"
                                "2024-05-06 18:00:00,Push,1h 5m,Bench Press,1,60,8,0,0,,,\n";
        const CsvImport::Plan cut = planOf(head + "2024-05-06 18:00:00,Push,1h 5m,Bench Pr");
        QCOMPARE(cut.workoutsLeftOut, QStringList{"2024-05-06 18:00"});
        QCOMPARE(cut.restTimerRows, 0);
        QVERIFY(!cut.reportLines().join(u'\n').contains("Rest timer"));
        const CsvImport::Plan whole = planOf(head + "2024-05-06 18:00:00,Push,1h 5m,Bench Press,2,60,8,0,0,,,\n");
        QCOMPARE(whole.restTimerRows, 1);
    }

    // A local time the clocks skip reads as given: the record stores no zone.
    void timeInAClockChange_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<QString>("when");
        QTest::newRow("Berlin") << QByteArray("Europe/Berlin") << QByteArray("31 Mar 2024, 02:30") << "2024-03-31 02:30";
        QTest::newRow("New York") << QByteArray("America/New_York") << QByteArray("10 Mar 2024, 02:15") << "2024-03-10 02:15";
        QTest::newRow("New York, ISO") << QByteArray("America/New_York") << QByteArray("2024-03-10T02:15:00") << "2024-03-10 02:15";
    }
    void timeInAClockChange()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QByteArray, start);
        QFETCH(QString, when);
        setZone(zone.constData());
        const CsvImport::Plan plan = planOf("title,start_time,exercise_title,weight_kg,reps\nLegs,\"" + start + "\",Squat,100,5\n");
        setZone("Europe/Berlin");
        QCOMPARE(plan.problems.size(), 0);
        QCOMPARE(describe(plan.toAdd), QStringList{when + " | 0 | Legs | Squat 1x5 at 100"});
    }

    // Dates with the month's name, as the start_time layout writes them.
    void namedMonthDates_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<QString>("when"); // empty: not a date
        QTest::newRow("with time") << QByteArray("6 Jan 2025, 07:15") << "2025-01-06 07:15";
        QTest::newRow("without comma, lower case") << QByteArray("16 dec 2024 23:59") << "2024-12-16 23:59";
        QTest::newRow("without time") << QByteArray("6 Jan 2025") << "2025-01-06 00:00";
        QTest::newRow("31 February") << QByteArray("31 Feb 2024, 10:00") << QString();
        QTest::newRow("hour 24") << QByteArray("6 Jan 2025, 24:00") << QString();
        QTest::newRow("unknown month") << QByteArray("6 Jax 2025, 10:00") << QString();
        QTest::newRow("trailing text") << QByteArray("6 Jan 2025, 10:00 x") << QString();
    }
    void namedMonthDates()
    {
        QFETCH(QByteArray, start);
        QFETCH(QString, when);
        const CsvImport::Plan plan = planOf("title,start_time,exercise_title,weight_kg,reps\nLegs,\"" + start + "\",Squat,100,5\n");
        if (when.isEmpty()) {
            QCOMPARE(plan.problems.size(), 1);
            QCOMPARE(plan.problems[0].reason, QStringLiteral("date \"%1\" is not a date").arg(QString::fromLatin1(start)));
            return;
        }
        QCOMPARE(plan.problems.size(), 0);
        QCOMPARE(describe(plan.toAdd), QStringList{when + " | 0 | Legs | Squat 1x5 at 100"});
    }

    void refusedFilesSayWhy_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QByteArray() << "The file is empty.";
        QTest::newRow("only a byte-order mark") << QByteArray("\xEF\xBB\xBF") << "The file is empty.";
        QTest::newRow("section blocks") << QByteArray("### WORKOUTS ###\nDate,Exercise,Reps\n2024-01-01,Squat,5\n")
                                        << "The file is made of \"### SECTION ###\" blocks: this layout is not supported. Export "
                                           "the workouts as a CSV file with one set a line instead.";
    }
    void refusedFilesSayWhy()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, message);
        try {
            planOf(csv);
            QFAIL("accepted");
        } catch (const ConversionError &e) {
            QCOMPARE(e.message(), message);
        }
    }

    // What the import cannot store as it stands is said in the report.
    void reportSaysWhatIsNotStored_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("added");
        QTest::newRow("weight column of an unknown unit")
            << QByteArray("Date,Exercise,Reps,Weight (stones)\n2021-09-09,Squat,5,12\n")
            << "The column \"Weight (stones)\" is not read as a weight: every weight is stored as 0 (body weight)." << 1;
        QTest::newRow("weight 0 and reps 0 alike empty ones")
            << QByteArray("Date,Exercise,Weight,Reps\n2021-09-09,Squat,0,0\n2021-09-10,Squat,,\n") << "  line 2: neither reps nor weight"
            << 0;
        QTest::newRow("a date after today") << QByteArray("Date,Exercise,Weight,Reps\n2999-01-01,Squat,100,5\n2021-09-09,Squat,100,5\n")
                                            << "1 workouts are dated after today" << 2;
    }
    void reportSaysWhatIsNotStored()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, line);
        QFETCH(int, added);
        const CsvImport::Plan plan = planOf(csv);
        QVERIFY2(plan.reportLines().contains(line), qPrintable(plan.reportLines().join(u'\n')));
        QCOMPARE(plan.toAdd.size(), added);
    }

    // A split workout is one workout in the count, its records said apart.
    void splitWorkoutCountsOnce()
    {
        QByteArray csv = "Date,Exercise,Weight,Reps\n";
        for (int i = 1; i <= 21; ++i)
            csv += "2021-09-09 08:00:00,Exercise " + QByteArray::number(i) + ",10,5\n";
        const QStringList report = planOf(csv).reportLines();
        QVERIFY(report.contains("Workouts to add: 1"));
        QVERIFY(report.contains("Records to add: 2"));
    }
};

QTEST_GUILESS_MAIN(TestCsvLayouts)
#include "tst_csvlayouts.moc"
