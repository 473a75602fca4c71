// Details of the CSV import and export that a plain round trip does not show: the
// limits of a row, how rows group into workouts, durations and cardio rows, and the
// duplicate check.

#include "common/DayCount.h"
#include "csv/CsvExport.h"
#include "csv/CsvImport.h"
#include "csv/CsvTable.h"
#include "store/TrainingFile.h"
#include "support/TestEnvironment.h"

#include <QTest>

namespace {
const QStringList Types = {QString(), "Light", "Heavy", "Volume", "Experimental"};

CsvImport::Plan planOf(const QByteArray &csv, const QSet<QByteArray> &present = {})
{
    return CsvImport::plan(csv, {CsvImport::WeightUnit::Kg, Types}, present, {});
}

QString timeOf(double dayCount)
{
    return DayCount::toTime(dayCount).toString(QStringLiteral("HH:mm"));
}

QString problemsOf(const CsvImport::Plan &plan)
{
    QStringList lines;
    for (const CsvImport::RowProblem &p : plan.problems)
        lines << QStringLiteral("line %1: %2").arg(p.line).arg(p.reason);
    return lines.join(u'\n');
}

// The current comma layout of the widely used app: one line per set.
const QByteArray SetsHeader =
    "Date,Workout Name,Duration,Exercise Name,Set Order,Weight,Reps,Distance,Seconds,Notes,Workout Notes,RPE\n";
}

class TestCsvDetails : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { pinRegionalSettings(); }

    void repsUpTo255_data()
    {
        QTest::addColumn<QByteArray>("reps");
        QTest::addColumn<int>("stored"); // -1: the row is refused
        QTest::addColumn<QString>("reason");
        QTest::newRow("255") << QByteArray("255") << 255 << QString();
        QTest::newRow("256") << QByteArray("256") << -1 << "256 reps are above 255";
    }
    void repsUpTo255()
    {
        QFETCH(QByteArray, reps);
        QFETCH(int, stored);
        QFETCH(QString, reason);
        const CsvImport::Plan plan = planOf("Date,Exercise,Weight,Reps\n2021-09-09,Squat,20," + reps + "\n");
        if (stored < 0) {
            QVERIFY(plan.toAdd.isEmpty());
            QCOMPARE(problemsOf(plan), "line 2: " + reason);
        } else {
            QCOMPARE(problemsOf(plan), QString());
            QCOMPARE(plan.toAdd.size(), 1);
            QCOMPARE(int(plan.toAdd[0].Exercises.at(0).Reps), stored);
        }
    }

    // Set orders are read trimmed (inside quotes, and of a no-break space too) and in any
    // case.
    void setOrderWords_data()
    {
        QTest::addColumn<QByteArray>("order");
        QTest::addColumn<QString>("execution"); // "rest": no row at all
        QTest::newRow("W with spaces, quoted") << QByteArray("\" w \"") << "Warmup";
        QTest::newRow("warmup, no-break space") << QByteArray("WarmUp\xC2\xA0") << "Warmup";
        QTest::newRow("D") << QByteArray("D") << "Drop set";
        QTest::newRow("dropset with spaces") << QByteArray(" dropset") << "Drop set";
        QTest::newRow("F") << QByteArray("F") << "";
        QTest::newRow("rest timer with spaces, quoted") << QByteArray("\" Rest Timer \"") << "rest";
    }
    void setOrderWords()
    {
        QFETCH(QByteArray, order);
        QFETCH(QString, execution);
        const CsvImport::Plan plan = planOf(SetsHeader + "2021-09-09 08:00:00,Legs,,Squat,1,100,5,,,,,\n"
                                            "2021-09-09 08:00:00,Legs,,Squat," + order + ",60,8,,60,,,\n");
        QCOMPARE(problemsOf(plan), QString());
        QCOMPARE(plan.toAdd.size(), 1);
        const QList<ExerciseEntry> &rows = plan.toAdd[0].Exercises;
        QCOMPARE(plan.restTimerRows, execution == "rest" ? 1 : 0);
        QCOMPARE(rows.size(), execution == "rest" ? 1 : 2);
        if (execution != "rest")
            QCOMPARE(rows[1].ExecutionType, execution);
    }

    void negativeValuesAreBadRows_data()
    {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QString>("field");
        QTest::newRow("weight") << QByteArray("2021-09-09 08:00:00,Legs,,Squat,1,-100,5,,,,,") << "weight";
        QTest::newRow("reps") << QByteArray("2021-09-09 08:00:00,Legs,,Squat,1,100,-5,,,,,") << "reps";
        QTest::newRow("distance") << QByteArray("2021-09-09 08:00:00,Legs,,Running,1,,,-2.5,600,,,") << "distance";
    }
    void negativeValuesAreBadRows()
    {
        QFETCH(QByteArray, row);
        QFETCH(QString, field);
        // A good row first, so that the file itself is read.
        const CsvImport::Plan plan = planOf(SetsHeader + "2021-09-08 08:00:00,Legs,,Squat,1,100,5,,,,,\n" + row + "\n");
        QCOMPARE(plan.toAdd.size(), 1);
        QCOMPARE(plan.toAdd[0].Exercises.size(), 1);
        QVERIFY(plan.toAdd[0].Cardio.isEmpty());
        QCOMPARE(plan.problems.size(), 1);
        QCOMPARE(plan.problems[0].line, 3);
        QVERIFY2(plan.problems[0].reason.contains(field), qPrintable(plan.problems[0].reason));
    }

    // Rows with a time of day belong to the workout that starts then, whatever their
    // workout names; rows with a date alone are told apart by the workout's name.
    void rowsGroupIntoWorkouts_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("second");
        QTest::addColumn<int>("workouts");
        QTest::newRow("date only, two names") << QByteArray("2023-01-15,Push") << QByteArray("2023-01-15,Pull") << 2;
        QTest::newRow("date only, one name") << QByteArray("2023-01-15,Push") << QByteArray("2023-01-15,Push") << 1;
        QTest::newRow("same date and time, two names")
            << QByteArray("2023-01-15 10:30:00,Push") << QByteArray("2023-01-15 10:30:00,Push day") << 1;
        QTest::newRow("same date, two times")
            << QByteArray("2023-01-15 10:30:00,Push") << QByteArray("2023-01-15 18:00:00,Push") << 2;
    }
    void rowsGroupIntoWorkouts()
    {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        QFETCH(int, workouts);
        const CsvImport::Plan plan = planOf(SetsHeader + first + ",,Bench Press,1,50,10,,,,,\n" + second
                                            + ",,Squat,1,100,5,,,,,\n");
        QCOMPARE(problemsOf(plan), QString());
        QCOMPARE(plan.toAdd.size(), workouts);
        int rows = 0;
        for (const WorkoutRecord &w : plan.toAdd)
            rows += int(w.Exercises.size());
        QCOMPARE(rows, 2);
        if (workouts == 1)
            QCOMPARE(plan.toAdd[0].Comment, QStringLiteral("Push")); // the first row's name
    }

    void durationFromStartAndEnd_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<QByteArray>("end");
        QTest::addColumn<float>("duration");
        QTest::newRow("same day") << QByteArray("15 Jan 2023, 10:30") << QByteArray("15 Jan 2023, 11:45") << 1.15f;
        QTest::newRow("past midnight, end with its date")
            << QByteArray("15 Jan 2023, 23:30") << QByteArray("16 Jan 2023, 00:15") << 0.45f;
        QTest::newRow("past midnight, end as a time") << QByteArray("15 Jan 2023, 23:30") << QByteArray("00:15") << 0.45f;
    }
    void durationFromStartAndEnd()
    {
        QFETCH(QByteArray, start);
        QFETCH(QByteArray, end);
        QFETCH(float, duration);
        const CsvImport::Plan plan = planOf("title,start_time,end_time,exercise_title,set_index,set_type,weight_kg,reps\n"
                                            "Late,\"" + start + "\",\"" + end + "\",Squat,0,normal,100,5\n");
        QCOMPARE(problemsOf(plan), QString());
        QCOMPARE(plan.toAdd.size(), 1);
        QCOMPARE(plan.toAdd[0].Duration, duration);
    }

    // Durations are stored as hours + minutes/100, to the nearest whole minute.
    void durationTexts_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<float>("duration");
        QTest::newRow("40 s round up") << QByteArray("1h 5m 40s") << 1.06f;
        QTest::newRow("20 s round down") << QByteArray("1h 5m 20s") << 1.05f;
        QTest::newRow("up into the next hour") << QByteArray("59m 45s") << 1.0f;
        QTest::newRow("minutes only") << QByteArray("45m") << 0.45f;
    }
    void durationTexts()
    {
        QFETCH(QByteArray, text);
        QFETCH(float, duration);
        const CsvImport::Plan plan = planOf(SetsHeader + "2023-01-15 10:30:00,Push," + text + ",Bench Press,1,50,10,,,,,\n");
        QCOMPARE(problemsOf(plan), QString());
        QCOMPARE(plan.toAdd.size(), 1);
        QCOMPARE(plan.toAdd[0].Duration, duration);
    }

    // A cardio row of the per-set layout has no start time of its own: it starts with
    // its workout. Its seconds become whole minutes, rounded.
    void cardioRowStartsWithItsWorkout_data()
    {
        QTest::addColumn<QByteArray>("seconds");
        QTest::addColumn<float>("duration");
        QTest::newRow("150 s") << QByteArray("150") << 0.03f;
        QTest::newRow("89 s") << QByteArray("89") << 0.01f;
        QTest::newRow("3630 s") << QByteArray("3630") << 1.01f;
    }
    void cardioRowStartsWithItsWorkout()
    {
        QFETCH(QByteArray, seconds);
        QFETCH(float, duration);
        const CsvImport::Plan plan = planOf(SetsHeader + "2023-01-15 18:30:00,Evening,,Bench Press,1,50,10,,,,,\n"
                                                         "2023-01-15 18:30:00,Evening,,Running,1,0,0,2.5," + seconds + ",,,\n");
        QCOMPARE(problemsOf(plan), QString());
        QCOMPARE(plan.toAdd.size(), 1);
        QCOMPARE(plan.toAdd[0].Cardio.size(), 1);
        const CardioEntry &c = plan.toAdd[0].Cardio[0];
        QCOMPARE(timeOf(c.StartTime), QStringLiteral("18:30"));
        QCOMPARE(c.Duration, duration);
        QCOMPARE(int(c.Distance), 2500);
    }

    // A workout is a duplicate only when its rows are the same, weights included.
    void duplicateCheckComparesTheRows_data()
    {
        QTest::addColumn<QByteArray>("imported");
        QTest::addColumn<int>("skipped");
        QTest::newRow("same row") << QByteArray("Squat,100,5") << 1;
        QTest::newRow("other weight") << QByteArray("Squat,105,5") << 0;
        QTest::newRow("other reps") << QByteArray("Squat,100,6") << 0;
        QTest::newRow("other exercise") << QByteArray("Front squat,100,5") << 0;
    }
    void duplicateCheckComparesTheRows()
    {
        QFETCH(QByteArray, imported);
        QFETCH(int, skipped);
        const CsvImport::Plan stored = planOf("Date,Exercise,Weight,Reps\n2021-09-09,Squat,100,5\n");
        QCOMPARE(stored.toAdd.size(), 1);
        const QSet<QByteArray> present{CsvImport::workoutKey(stored.toAdd[0])};
        const CsvImport::Plan plan = planOf("Date,Exercise,Weight,Reps\n2021-09-09," + imported + "\n", present);
        QCOMPARE(plan.skippedAsPresent, skipped);
        QCOMPARE(plan.toAdd.size(), 1 - skipped);
    }

    // The per-set layout states distances in kilometres, with their fraction.
    void perSetExportWritesKilometres_data()
    {
        QTest::addColumn<int>("metres");
        QTest::addColumn<QByteArray>("kilometres");
        QTest::newRow("5,500 m") << 5500 << QByteArray("5.5");
        QTest::newRow("750 m") << 750 << QByteArray("0.75");
        QTest::newRow("12,000 m") << 12000 << QByteArray("12");
    }
    void perSetExportWritesKilometres()
    {
        QFETCH(int, metres);
        QFETCH(QByteArray, kilometres);
        TestEnvironment env;
        TrainingFile training;
        training.open(env.path(QStringLiteral("w.dat")));
        WorkoutRecord w;
        w.Date = DayCount::fromDate(QDate(2024, 3, 2));
        w.StartTime = DayCount::fromTime(QTime(9, 15));
        w.Bodypart = QStringLiteral("Legs");
        w.Cardio = {{QStringLiteral("Running"), DayCount::fromTime(QTime(9, 15)), 0.3f, quint16(metres), 0}};
        training.WriteRecord(0, w);
        const CsvTable table = CsvTable::parse(CsvExport::text(training, CsvExport::Layout::Sets, Types));
        QCOMPARE(table.rows.size(), 1);
        const qsizetype distance = table.header.indexOf(QStringLiteral("Distance"));
        QVERIFY(distance >= 0);
        QCOMPARE(table.text(table.rows[0], distance), QString::fromLatin1(kilometres));
    }
};

QTEST_GUILESS_MAIN(TestCsvDetails)
#include "tst_csvdetails.moc"
