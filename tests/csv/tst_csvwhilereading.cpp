#include "common/DayCount.h"
#include "common/Errors.h"
#include "csv/CsvImport.h"
#include "exercises/ExerciseFile.h"
#include "store/TrainingFile.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

// The command line's import writes the records while it reads the rows. Whatever the
// order of the rows, the training file and the exercise list must come out as the
// window's import (plan, then apply) makes them.
namespace {
const QByteArray Header = "Date,Workout Name,Exercise Name,Set Order,Weight,Reps\n";

// One workout's rows: sets of day's own exercise, then a squat.
QByteArray workout(int day, int sets = 2)
{
    const QByteArray date = QDate(2021, 1, 1).addDays(day).toString(Qt::ISODate).toLatin1() + " 18:00:00";
    QByteArray rows;
    for (int s = 1; s <= sets; ++s)
        rows += date + ",Evening,Lift " + QByteArray::number(day % 7) + "," + QByteArray::number(s) + ",60,"
                + QByteArray::number(5 + s) + "\n";
    return rows + date + ",Evening,Squat,1,100,5\n";
}

QByteArray workouts(int first, int last, int step = 1)
{
    QByteArray csv;
    for (int day = first; step > 0 ? day <= last : day >= last; day += step)
        csv += workout(day);
    return csv;
}

struct Result {
    QByteArray training;
    QByteArray exercises;
    QStringList report;
    int plansShown = 0;
    QStringList temporariesLeft;
};

// Imports csv into a folder whose training file first holds the workouts of existing.
Result importInto(const QByteArray &existing, const QByteArray &csv, bool whileReading)
{
    TestEnvironment env;
    const QString trainingName = env.path("workouts.dat"), exerciseName = env.path("exercises.dat");
    TrainingFile training;
    ExerciseFile exercises;
    if (!existing.isEmpty()) {
        training.open(trainingName);
        CsvImport::apply(CsvImport::plan(Header + existing, {}, {}, {}), training, exercises, exerciseName);
    }
    QStringList known;
    if (exercises.isOpen())
        for (const CatalogExercise &e : exercises.readAll())
            known.append(e.Name);
    Result result;
    if (whileReading) {
        CsvImport::importWhileReading(csv, {}, trainingName, training, known, exercises, exerciseName,
                                      [&](const CsvImport::Plan &plan) {
                                          ++result.plansShown;
                                          result.report = plan.reportLines();
                                      });
    } else {
        if (!training.isOpen())
            training.open(trainingName);
        const CsvImport::Plan plan = CsvImport::plan(csv, {}, CsvImport::workoutKeys(training), known);
        result.report = plan.reportLines();
        result.plansShown = 1;
        CsvImport::apply(plan, training, exercises, exerciseName);
    }
    result.training = env.readFile("workouts.dat");
    result.exercises = env.readFile("exercises.dat");
    result.temporariesLeft = QDir(env.folder()).entryList({"*.part"}, QDir::Files | QDir::Hidden);
    return result;
}

int recordsIn(const QByteArray &training)
{
    return int(training.size() / WorkoutRecord::Size);
}
}

class TestCsvWhileReading : public QObject {
    Q_OBJECT
private slots:
    // Enough workouts that many go out before the file is read to its end.
    void sameFileAsPlanThenApply_data()
    {
        QTest::addColumn<QByteArray>("existing");
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("records");
        QTest::newRow("in date order") << QByteArray() << Header + workouts(0, 256) << 257; // 4 buffers and a record
        QTest::newRow("a workout's row far below it") << QByteArray() << Header + workouts(0, 199) + workout(3).left(workout(3).indexOf('\n') + 1) << 200;
        // Untimed workouts of one day, told apart by their names: the stray row goes to
        // the morning's workout, although the day's order stays the same.
        QTest::newRow("a row of a day's first workout after its second")
            << QByteArray()
            << Header + workouts(0, 149) + "2021-06-01,Morning,Squat,1,100,5\n2021-06-01,Noon,Squat,1,100,5\n"
                   + "2021-06-01,Morning,Bench,1,50,5\n"
            << 152;
        QTest::newRow("an earlier workout last") << QByteArray() << Header + workouts(10, 209) + workout(0) << 201;
        QTest::newRow("newest first") << QByteArray() << Header + workouts(199, 0, -1) << 200;
        QTest::newRow("some already in the training file") << workouts(0, 69) << Header + workouts(0, 199) << 200;
        QTest::newRow("a workout's rows repeated right after it") << QByteArray() << Header + workouts(0, 99) + workouts(99, 149) << 150;
        QTest::newRow("a workout of more than 20 rows") << QByteArray() << Header + workouts(0, 49) + workout(50, 24) + workouts(51, 149) << 151;
        QTest::newRow("cut in the last line") << QByteArray() << Header + workouts(0, 199) + workout(200).left(30) << 200;
    }
    void sameFileAsPlanThenApply()
    {
        QFETCH(QByteArray, existing);
        QFETCH(QByteArray, csv);
        QFETCH(int, records);
        const Result expected = importInto(existing, csv, false);
        const Result got = importInto(existing, csv, true);
        QCOMPARE(recordsIn(expected.training), records);
        QCOMPARE(got.plansShown, 1);
        QCOMPARE(got.temporariesLeft, QStringList());
        QCOMPARE(got.report, expected.report);
        QVERIFY(got.training == expected.training);
        QCOMPARE(got.exercises, expected.exercises);
    }

    // Nothing to add: the training file is not written at all, and the plan is still
    // shown.
    void secondImportLeavesTheFile()
    {
        TestEnvironment env;
        const QString trainingName = env.path("workouts.dat");
        const QByteArray csv = Header + workouts(0, 99);
        TrainingFile training;
        training.open(trainingName);
        ExerciseFile exercises;
        CsvImport::importWhileReading(csv, {}, trainingName, training, {}, exercises, env.path("exercises.dat"),
                                      [](const CsvImport::Plan &) {});
        const QByteArray before = env.readFile("workouts.dat");
        QCOMPARE(recordsIn(before), 100);
        const QDateTime modified = QFileInfo(trainingName).lastModified();
        const auto inode = QFileInfo(trainingName).fileTime(QFileDevice::FileMetadataChangeTime);

        CsvImport::Plan shown;
        const CsvImport::Plan plan = CsvImport::importWhileReading(
            csv, {}, trainingName, training, {}, exercises, env.path("exercises.dat"),
            [&](const CsvImport::Plan &p) { shown = p; });
        QCOMPARE(plan.skippedAsPresent, 100);
        QCOMPARE(shown.reportLines(), plan.reportLines());
        QCOMPARE(env.readFile("workouts.dat"), before);
        QCOMPARE(QFileInfo(trainingName).lastModified(), modified);
        QCOMPARE(QFileInfo(trainingName).fileTime(QFileDevice::FileMetadataChangeTime), inode);
        QCOMPARE(QDir(env.folder()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary file
    }

    // A refused file, or a refusal once the plan stands (the exercise list in use),
    // leaves every file as it was, even with records already written out.
    void refusalLeavesEveryFile_data()
    {
        QTest::addColumn<bool>("trainingExists");
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<bool>("refuseThePlan");
        QTest::newRow("no header, no training file yet") << false << QByteArray("a;b\n1;2\n") << false;
        QTest::newRow("no header") << true << QByteArray("a;b\n1;2\n") << false;
        QTest::newRow("plan refused, no training file yet") << false << Header + workouts(0, 299) << true;
        QTest::newRow("plan refused") << true << Header + workouts(0, 299) << true;
        QTest::newRow("plan refused after a restart") << true << Header + workouts(10, 209) + workout(0) << true;
    }
    void refusalLeavesEveryFile()
    {
        QFETCH(bool, trainingExists);
        QFETCH(QByteArray, csv);
        QFETCH(bool, refuseThePlan);
        TestEnvironment env;
        const QString trainingName = env.path("workouts.dat");
        TrainingFile training;
        ExerciseFile exercises;
        QByteArray before;
        if (trainingExists) {
            training.open(trainingName);
            CsvImport::apply(CsvImport::plan(Header + workout(400), {}, {}, {}), training, exercises, env.path("exercises.dat"));
            before = env.readFile("workouts.dat");
        }
        const QStringList files = QDir(env.folder()).entryList(QDir::Files | QDir::Hidden);
        const QByteArray exerciseList = env.readFile("exercises.dat");
        try {
            CsvImport::importWhileReading(csv, {}, trainingName, training, {}, exercises, env.path("exercises.dat"),
                                          [&](const CsvImport::Plan &) {
                                              if (refuseThePlan)
                                                  throw IoError(QStringLiteral("in use"));
                                          });
            QFAIL("accepted");
        } catch (const FortavoError &) {
        }
        QCOMPARE(QDir(env.folder()).entryList(QDir::Files | QDir::Hidden), files);
        QCOMPARE(env.readFile("workouts.dat"), before);
        QCOMPARE(env.readFile("exercises.dat"), exerciseList);
    }
};

QTEST_GUILESS_MAIN(TestCsvWhileReading)
#include "tst_csvwhilereading.moc"
