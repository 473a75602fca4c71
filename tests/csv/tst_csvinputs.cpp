#include "common/DayCount.h"
#include "common/Errors.h"
#include "csv/CsvExport.h"
#include "csv/CsvImport.h"
#include "csv/CsvTable.h"
#include "exercises/ExerciseFile.h"
#include "store/TrainingFile.h"
#include "support/TestEnvironment.h"
#include "support/WorkoutBuilder.h"

#include <QDir>
#include <QTest>

#include <cmath>

// Inputs of the CSV import that must be refused as bad rows, or read without storing
// a value the record cannot mean.
namespace {
const QStringList Types = {QString(), "Light", "Heavy", "Volume", "Experimental"};

CsvImport::Plan planOf(const QByteArray &csv, const QSet<QByteArray> &present = {}, const QStringList &known = {})
{
    return CsvImport::plan(csv, {CsvImport::WeightUnit::Kg, Types}, present, known);
}

// Writes the workouts to a training file in the folder and exports them as CSV.
QByteArray exported(const TestEnvironment &env, const QList<WorkoutRecord> &workouts)
{
    env.writeFile("export.dat", WorkoutBuilder::fileBytes(workouts));
    TrainingFile training;
    training.open(env.path("export.dat"), TrainingFile::Access::ReadOnly);
    return CsvExport::text(training, CsvExport::Layout::Rows, Types);
}

QSet<QByteArray> keysOf(const QList<WorkoutRecord> &records)
{
    QSet<QByteArray> keys;
    for (const WorkoutRecord &r : records)
        keys.insert(CsvImport::workoutKey(r));
    return keys;
}

const QByteArray Head = "Date,Exercise,Weight,Reps,Duration\n";
}

class TestCsvInputs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { pinRegionalSettings(); }

    // A spreadsheet's Latin-1 / Windows-1252 file: its letters are kept, never "?".
    void windows1252Text()
    {
        const CsvImport::Plan plan = planOf("Date;Exercise;Weight;Reps\n2024-03-05;Kniebeuge \xfc" "ber Kopf;100,5;5\n"
                                            "2024-03-06;Dr\xfc" "cken \x80;20;8\n");
        QCOMPARE(plan.problems.size(), 0);
        QCOMPARE(plan.newExercises, (QStringList{QString::fromUtf8("Kniebeuge über Kopf"), QString::fromUtf8("Drücken €")}));
        QCOMPARE(plan.toAdd[0].Exercises[0].Name, QString::fromUtf8("Kniebeuge über Kopf"));
        QCOMPARE(plan.textsWithReplacedCharacters, 0);
        QVERIFY(plan.reportLines().contains("The file is not UTF-8 text: read as Windows-1252."));
        // UTF-8 stays UTF-8.
        QVERIFY(!planOf("Date;Exercise;Reps\n2024-03-05;Kniebeuge \xc3\xbc" "ber;5\n").reportLines().join('\n').contains("Windows-1252"));
    }

    void dates_data()
    {
        QTest::addColumn<QByteArray>("date");
        QTest::addColumn<QDate>("expected"); // invalid: a bad row
        QTest::newRow("letter O in the year") << QByteArray("2O24-03-05 08:00:00") << QDate();
        QTest::newRow("letter in the day") << QByteArray("2024-03-0x 08:00:00") << QDate();
        QTest::newRow("year 1899") << QByteArray("1899-12-31 08:00:00") << QDate();
        QTest::newRow("year 0001") << QByteArray("0001-01-01") << QDate();
        QTest::newRow("first day 1900") << QByteArray("1900-01-01 08:00:00") << QDate(1900, 1, 1);
        QTest::newRow("last day 9999") << QByteArray("9999-12-31") << QDate(9999, 12, 31);
    }
    void dates()
    {
        QFETCH(QByteArray, date);
        QFETCH(QDate, expected);
        const CsvImport::Plan plan = planOf(Head + date + ",Squat,100,5,\n");
        if (!expected.isValid()) {
            QCOMPARE(plan.toAdd.size(), 0);
            QCOMPARE(plan.problems.size(), 1);
            QCOMPARE(plan.problems[0].line, 2);
            QCOMPARE(plan.problems[0].reason, QStringLiteral("date \"%1\" is not a date").arg(QString::fromLatin1(date)));
            return;
        }
        QCOMPARE(plan.problems.size(), 0);
        QCOMPARE(DayCount::toDate(plan.toAdd[0].Date), expected);
    }

    // Values a record cannot mean are bad rows; the largest the forms show still read.
    void values_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("reason"); // empty: read
        const QByteArray fortavo = "Date,Start time,Duration,Body part,Type of training,Comment,Kind,Name,Execution,Sets,"
                                   "Reps,Weight,Distance,Calories,Cardio start time,Cardio duration\n2024-03-04,08:00:00,";
        QTest::newRow("negative duration") << Head + "2024-03-05,Squat,100,5,-1:30\n" << "duration \"-1:30\" is negative";
        QTest::newRow("duration overflowing int, cut to 99:59") << Head + "2024-03-05,Squat,100,5,35791395:00\n" << QString();
        QTest::newRow("hours overflowing int, cut to 99:59") << Head + "2024-03-05,Squat,100,5,2147483647h\n" << QString();
        QTest::newRow("100 hours, cut to 99:59") << Head + "2024-03-05,Squat,100,5,100:00\n" << QString();
        QTest::newRow("99:59 reads") << Head + "2024-03-05,Squat,100,5,99:59\n" << QString();
        QTest::newRow("weight beyond a single") << Head + "2024-03-05,Squat,1e39,5,\n" << "weight \"1e39\" is too large";
        QTest::newRow("negative weight") << Head + "2024-03-05,Squat,-5,5,\n" << "weight \"-5\" is negative";
        QTest::newRow("negative cardio duration") << fortavo + "1:00,,,,cardio,Running,,,,,1000,10,08:00:00,-0:30\n"
                                                  << "duration \"-0:30\" is negative";
        QTest::newRow("cardio seconds beyond 99:59") << QByteArray("Date,Exercise,Distance,Seconds,Reps\n2024-03-05,Run,5,360000,\n")
                                                     << "duration \"360000\" is longer than 99:59, the longest a workout form shows";
        QTest::newRow("negative cardio time") << QByteArray("Date,Exercise,Distance,Seconds,Reps\n2024-03-05,Run,5,-1:00,\n")
                                              << "time \"-1:00\" is negative";
        QTest::newRow("weight followed by its unit") << Head + "2024-03-05,Squat,100kg,5,\n" << "weight \"100kg\" is not a number";
        QTest::newRow("reps, a space and more") << Head + "2024-03-05,Squat,100,5 x,\n" << "reps \"5 x\" is not a number";
        QTest::newRow("reps beyond int") << Head + "2024-03-05,Squat,100,1e300,\n" << "1e300 reps are above 255";
        const QByteArray longNumber = QByteArray(68, '0') + "1.5";
        QTest::newRow("number of 71 characters") << Head + "2024-03-05,Squat," + longNumber + ",5,\n" << QString();
        QTest::newRow("non-number of 71 characters")
            << Head + "2024-03-05,Squat," + QByteArray(70, '1') + "x,5,\n"
            << QStringLiteral("weight \"%1x\" is not a number").arg(QString(70, u'1'));
    }
    void values()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, reason);
        const CsvImport::Plan plan = planOf(csv);
        if (reason.isEmpty()) {
            QCOMPARE(plan.problems.size(), 0);
            QCOMPARE(plan.toAdd.size(), 1);
            return;
        }
        QCOMPARE(plan.toAdd.size(), 0);
        QCOMPARE(plan.problems.size(), 1);
        QCOMPARE(plan.problems[0].line, 2);
        QCOMPARE(plan.problems[0].reason, reason);
    }

    void readValues()
    {
        const CsvImport::Plan plan = planOf(Head + "2024-03-05 08:00:00,Squat," + QByteArray(68, '0') + "1.5,5,99:59\n"
                                            "2024-03-06 08:00:00,Dips,-0,12,\n");
        QCOMPARE(plan.toAdd.size(), 2);
        QCOMPARE(plan.toAdd[0].Exercises[0].Weight, 1.5f);
        QCOMPARE(plan.toAdd[0].Duration, 99.59f);
        QCOMPARE(plan.toAdd[1].Exercises[0].Weight, 0.0f);
        QVERIFY(!std::signbit(plan.toAdd[1].Exercises[0].Weight)); // "-0" is bodyweight, stored as 0
    }

    // The program's own export of workouts it cannot confuse with each other: import into
    // an empty file gives them back, import into the file they came from adds nothing.
    void ownExportRoundTrip_data()
    {
        using namespace WorkoutBuilder;
        QTest::addColumn<QList<WorkoutRecord>>("workouts");
        WorkoutRecord morning = workout(QDate(2024, 3, 4), "Chest", 2);
        morning.Comment = "morning";
        WorkoutRecord evening = workout(QDate(2024, 3, 4), "Back", 1);
        evening.Comment = "evening";
        QTest::newRow("two workouts at the same date and time") << QList<WorkoutRecord>{morning, evening};
        WorkoutRecord a = morning, b = morning;
        a.Exercises = {exercise("Bench press", 3, 10, 52.5f)};
        b.Duration = 1.05f;
        b.Exercises = {exercise("Bench press", 3, 10, 52.5f)};
        QTest::newRow("differing in the duration only") << QList<WorkoutRecord>{a, b};
        WorkoutRecord spaced = workout(QDate(2024, 3, 5));
        spaced.Exercises = {exercise(QString(49, u'A') + u' ', 3, 10, 50.0f)}; // what a cut to 50 can leave
        spaced.Bodypart = "Upper body ";
        QTest::newRow("texts ending with a space") << QList<WorkoutRecord>{spaced};
        WorkoutRecord negativeZero = workout(QDate(2024, 3, 6));
        negativeZero.Exercises = {exercise("Dips", 2, 12, -0.0f)};
        QTest::newRow("weight -0") << QList<WorkoutRecord>{negativeZero};
    }
    void ownExportRoundTrip()
    {
        QFETCH(QList<WorkoutRecord>, workouts);
        TestEnvironment env;
        const QByteArray csv = exported(env, workouts);

        const CsvImport::Plan intoEmpty = planOf(csv);
        QCOMPARE(intoEmpty.problems.size(), 0);
        QCOMPARE(intoEmpty.toAdd.size(), workouts.size());
        for (qsizetype i = 0; i < workouts.size(); ++i) {
            QCOMPARE(intoEmpty.toAdd[i].Bodypart, workouts[i].Bodypart.trimmed());
            QCOMPARE(intoEmpty.toAdd[i].TrainingType, workouts[i].TrainingType);
            QCOMPARE(intoEmpty.toAdd[i].Comment, workouts[i].Comment);
            QCOMPARE(intoEmpty.toAdd[i].Exercises.size(), workouts[i].Exercises.size());
        }
        const CsvImport::Plan intoSource = planOf(csv, keysOf(workouts));
        QCOMPARE(intoSource.toAdd.size(), 0);
        QCOMPARE(intoSource.skippedAsPresent, workouts.size());
    }

    // The importer's own cut to 50 characters leaves no space at the end, so the export
    // of what it stored imports as present.
    void cutNameImportsTwiceAsOne()
    {
        TestEnvironment env;
        const QByteArray name = QByteArray(49, 'A') + " BC";
        const CsvImport::Plan first = planOf(Head + "2024-03-05 08:00:00," + name + ",100,5,\n");
        QCOMPARE(first.toAdd[0].Exercises[0].Name, QString(49, u'A'));
        const CsvImport::Plan again = planOf(exported(env, first.toAdd), keysOf(first.toAdd));
        QCOMPARE(again.toAdd.size(), 0);
    }

    // Names of workouts already present that the exercise list lacks are added too, as
    // an import stopped between the two files leaves them.
    void namesOfPresentWorkoutsAreAdded()
    {
        const QByteArray csv = Head + "2024-03-05 08:00:00,Squat,100,5,\n2024-03-06 08:00:00,Dips,0,12,\n";
        const CsvImport::Plan first = planOf(csv);
        QList<WorkoutRecord> present = first.toAdd;
        present.removeLast();
        const CsvImport::Plan again = planOf(csv, keysOf(present), {"Bench press"});
        QCOMPARE(again.toAdd.size(), 1);
        QCOMPARE(again.newExercises, (QStringList{"Dips", "Squat"}));
        QCOMPARE(planOf(csv, keysOf(first.toAdd), {"Squat", "Dips"}).newExercises, QStringList());
    }

    // A failed write of the workouts leaves no exercise list behind.
    void failedImportCreatesNoExerciseList()
    {
        TestEnvironment env;
        QDir(env.folder()).mkpath("gone");
        const CsvImport::Plan plan = planOf(Head + "2024-03-05 08:00:00,Squat,100,5,\n");
        TrainingFile training;
        training.open(env.path("gone/w.dat"));
        QVERIFY(QFile::remove(env.path("gone/w.dat")));
        QVERIFY(QDir(env.folder()).rmdir("gone"));
        ExerciseFile exercises;
        QVERIFY_THROWS_EXCEPTION(IoError, CsvImport::apply(plan, training, exercises, env.path("exercises.dat")));
        QVERIFY(!QFile::exists(env.path("exercises.dat")));
    }
};

QTEST_GUILESS_MAIN(TestCsvInputs)
#include "tst_csvinputs.moc"
