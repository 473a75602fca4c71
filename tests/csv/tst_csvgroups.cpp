// Rows of one workout found apart in a CSV file still make one workout, whatever order
// the file lists its workouts in: oldest first, newest first, or mixed.

#include "common/DayCount.h"
#include "csv/CsvImport.h"

#include <QTest>

namespace {
const QByteArray Header =
    "Date,Workout Name,Duration,Exercise Name,Set Order,Weight,Reps,Distance,Seconds,Notes,Workout Notes,RPE\n";

// One set of 5 reps, a line of the file.
QByteArray set(const QByteArray &date, const QByteArray &workout, const QByteArray &exercise, int weight)
{
    return date + ',' + workout + ",," + exercise + ",1," + QByteArray::number(weight) + ",5,,,,,\n";
}

// "2023-01-15 10:30 Push: Squat 1x5 at 100, ..."
QStringList describe(const QList<WorkoutRecord> &records)
{
    QStringList out;
    for (const WorkoutRecord &w : records) {
        QStringList rows;
        for (const ExerciseEntry &e : w.Exercises)
            rows << QStringLiteral("%1 %2x%3 at %4").arg(e.Name).arg(e.Sets).arg(e.Reps).arg(double(e.Weight));
        out << QStringLiteral("%1 %2 %3: %4")
                   .arg(DayCount::toDate(w.Date).toString(Qt::ISODate), DayCount::toTime(w.StartTime).toString(QStringLiteral("HH:mm")),
                        w.Comment, rows.join(QStringLiteral(", ")));
    }
    return out;
}
}

class TestCsvGroups : public QObject {
    Q_OBJECT
private slots:
    void rowsOfAWorkoutApart_data()
    {
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<QStringList>("workouts"); // in date order
        QTest::addColumn<QStringList>("leftOut");
        const QByteArray d1 = "2023-01-15 10:30:00", d2 = "2023-01-16 10:30:00", d3 = "2023-01-17 10:30:00";
        const QString w1 = "2023-01-15 10:30 A: ", w2 = "2023-01-16 10:30 B: ", w3 = "2023-01-17 10:30 C: ";
        QTest::newRow("oldest first, one row back")
            << set(d1, "A", "Squat", 100) + set(d2, "B", "Bench", 50) + set(d1, "A", "Squat", 110)
            << QStringList{w1 + "Squat 1x5 at 100, Squat 1x5 at 110", w2 + "Bench 1x5 at 50"} << QStringList();
        QTest::newRow("newest first, one row back")
            << set(d3, "C", "Row", 60) + set(d2, "B", "Bench", 50) + set(d1, "A", "Squat", 100) + set(d2, "B", "Dips", 0)
                   + set(d3, "C", "Row", 70)
            << QStringList{w1 + "Squat 1x5 at 100", w2 + "Bench 1x5 at 50, Dips 1x5 at 0", w3 + "Row 1x5 at 60, Row 1x5 at 70"}
            << QStringList();
        QTest::newRow("back to a workout begun after the order broke")
            << set(d2, "B", "Bench", 50) + set(d1, "A", "Squat", 100) + set(d3, "C", "Row", 60) + set(d1, "A", "Squat", 110)
                   + set(d3, "C", "Row", 70)
            << QStringList{w1 + "Squat 1x5 at 100, Squat 1x5 at 110", w2 + "Bench 1x5 at 50", w3 + "Row 1x5 at 60, Row 1x5 at 70"}
            << QStringList();
        QTest::newRow("same day, the later time first")
            << set("2023-01-15 18:00:00", "B", "Bench", 50) + set(d1, "A", "Squat", 100) + set("2023-01-15 18:00:00", "B", "Bench", 55)
            << QStringList{w1 + "Squat 1x5 at 100", "2023-01-15 18:00 B: Bench 1x5 at 50, Bench 1x5 at 55"} << QStringList();
        QTest::newRow("date alone, names apart")
            << set("2023-01-15", "Push", "Bench", 50) + set("2023-01-15", "Pull", "Row", 60) + set("2023-01-15", "Push", "Bench", 55)
            << QStringList{"2023-01-15 00:00 Push: Bench 1x5 at 50, Bench 1x5 at 55", "2023-01-15 00:00 Pull: Row 1x5 at 60"}
            << QStringList();
        // The cut line belongs to the workout of the line above, which is not the one
        // the file began last.
        QTest::newRow("cut line of a workout begun before")
            << set(d1, "A", "Squat", 100) + set(d2, "B", "Bench", 50) + set(d1, "A", "Squat", 110) + d1 + ",A,,Squ"
            << QStringList{w2 + "Bench 1x5 at 50"} << QStringList{"2023-01-15 10:30"};
    }
    void rowsOfAWorkoutApart()
    {
        QFETCH(QByteArray, rows);
        QFETCH(QStringList, workouts);
        QFETCH(QStringList, leftOut);
        // Read whole, and a row at a time.
        for (const int batchRows : {0, 1}) {
            const CsvImport::Plan plan = CsvImport::plan(Header + rows, {CsvImport::WeightUnit::Kg, {}, batchRows}, {}, {});
            QCOMPARE(describe(plan.toAdd), workouts);
            QCOMPARE(plan.workoutsLeftOut, leftOut);
            QCOMPARE(plan.workoutsToAdd, int(workouts.size()));
        }
    }
};

QTEST_GUILESS_MAIN(TestCsvGroups)
#include "tst_csvgroups.moc"
