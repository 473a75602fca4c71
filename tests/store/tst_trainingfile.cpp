#include "common/DayCount.h"
#include "common/Errors.h"
#include "store/TrainingFile.h"
#include "store/WorkoutList.h"
#include "support/FailingDevice.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QTest>

namespace {
WorkoutRecord workoutOn(const QDate &day, const QString &bodypart = QStringLiteral("Chest"), quint8 type = 2)
{
    WorkoutRecord r;
    r.Date = DayCount::fromDate(day);
    r.Bodypart = bodypart;
    r.TrainingType = type;
    return r;
}

const QStringList kTypes = {QString(), "Light", "Heavy", "Volume", "Experimental"};
}

class TestTrainingFile : public QObject {
    Q_OBJECT
private:
    // A file of count records whose bodyparts are "B0", "B1", ..., written in one go
    // (single saves each wait for the disk).
    void fill(TrainingFile &file, int count)
    {
        QByteArray bytes;
        for (int i = 0; i < count; ++i)
            bytes += workoutOn(QDate(2009, 3, 2).addDays(i), QStringLiteral("B%1").arg(i)).encode();
        const QString path = file.fileName();
        file.close();
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
        out.close();
        file.open(path);
    }
    QStringList bodyparts(TrainingFile &file)
    {
        QStringList result;
        for (int i = 0; i < file.RecordCount(); ++i)
            result << file.ReadRecord(i).Bodypart;
        return result;
    }

private slots:
    void emptyFileIsCreatedAndAppendedTo()
    {
        TestEnvironment env;
        TrainingFile file;
        file.open(env.path("workouts.dat"));
        QVERIFY(QFile::exists(env.path("workouts.dat")));
        QCOMPARE(file.RecordCount(), 0);
        QVERIFY_THROWS_EXCEPTION(IoError, file.ReadRecord(0));
        file.WriteRecord(0, workoutOn(QDate(2009, 3, 12)));
        QCOMPARE(file.RecordCount(), 1);
        QCOMPARE(QFile(env.path("workouts.dat")).size(), 2944);
        QVERIFY_THROWS_EXCEPTION(IoError, file.WriteRecord(2, WorkoutRecord()));
    }

    void partialTailIsIgnoredAndOverwritten()
    {
        TestEnvironment env;
        env.writeFile("w.dat", workoutOn(QDate(2009, 3, 12)).encode() + QByteArray(100, 'x'));
        TrainingFile file;
        file.open(env.path("w.dat"));
        QCOMPARE(file.RecordCount(), 1);
        file.WriteRecord(1, workoutOn(QDate(2009, 3, 13), "Back"));
        QCOMPARE(QFile(env.path("w.dat")).size(), 2 * 2944);
        QCOMPARE(file.ReadRecord(1).Bodypart, QStringLiteral("Back"));
    }

    void overwriteAndTruncate()
    {
        TestEnvironment env;
        TrainingFile file;
        file.open(env.path("w.dat"));
        fill(file, 3);
        file.WriteRecord(1, workoutOn(QDate(2009, 1, 1), "Edited"));
        QCOMPARE(bodyparts(file), (QStringList{"B0", "Edited", "B2"}));
        file.TruncateTo(1);
        QCOMPARE(bodyparts(file), QStringList{"B0"});
    }

    void removeAndInsertKeepTheOrder_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("removed");
        QTest::newRow("first") << 5 << 0;
        QTest::newRow("middle") << 5 << 2;
        QTest::newRow("last only truncates") << 5 << 4;
        QTest::newRow("the only record") << 1 << 0;
        QTest::newRow("record 300 of 400") << 400 << 300;
    }
    void removeAndInsertKeepTheOrder()
    {
        QFETCH(int, count);
        QFETCH(int, removed);
        TestEnvironment env;
        TrainingFile file;
        file.open(env.path("w.dat"));
        fill(file, count);
        const QStringList before = bodyparts(file);
        const WorkoutRecord record = file.ReadRecord(removed);
        file.RemoveRecord(removed);
        QStringList expected = before;
        expected.removeAt(removed);
        QCOMPARE(bodyparts(file), expected);
        file.InsertRecord(removed, record);
        QCOMPARE(bodyparts(file), before);
        // The handle follows the renamed file: writes still land in it.
        file.WriteRecord(file.RecordCount(), workoutOn(QDate(2010, 1, 1), "After"));
        QCOMPARE(QFile(env.path("w.dat")).size(), qint64(count + 1) * 2944);
    }

    void failedRewriteLeavesTheFileWhole_data()
    {
        QTest::addColumn<qint64>("budget");
        QTest::newRow("nothing written") << qint64(0);
        QTest::newRow("part of the first chunk") << qint64(2944 * 3 + 17);
        QTest::newRow("all but the end") << qint64(2944 * 1100);
    }
    void failedRewriteLeavesTheFileWhole()
    {
        QFETCH(qint64, budget);
        TestEnvironment env;
        TrainingFile file;
        file.open(env.path("w.dat"));
        fill(file, 1200);
        const QByteArray before = env.readFile("w.dat");
        file.setRewriteWrapper([budget](QIODevice &target) { return std::make_unique<FailingDevice>(target, budget); });
        QVERIFY_THROWS_EXCEPTION(IoError, file.RemoveRecord(3));
        QVERIFY_THROWS_EXCEPTION(IoError, file.InsertRecord(3, WorkoutRecord()));
        QCOMPARE(env.readFile("w.dat"), before);
        QCOMPARE(QDir(env.folder()).entryList(QDir::Files), QStringList{"w.dat"});
        QCOMPARE(file.RecordCount(), 1200);
    }

    void readOnlyFileRefusesEveryChange_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("save") << "save";
        QTest::newRow("append") << "append";
        QTest::newRow("truncate") << "truncate";
        QTest::newRow("delete") << "delete";
        QTest::newRow("undo") << "undo";
    }
    void readOnlyFileRefusesEveryChange()
    {
        QFETCH(QString, change);
        TestEnvironment env;
        {
            TrainingFile writer;
            writer.open(env.path("w.dat"));
            fill(writer, 3);
        }
        const QByteArray before = env.readFile("w.dat");
        TrainingFile file;
        file.open(env.path("w.dat"), TrainingFile::Access::ReadOnly);
        QVERIFY(file.isReadOnly());
        QCOMPARE(WorkoutList::build(file, kTypes).size(), 3);
        try {
            if (change == "save")
                file.WriteRecord(1, WorkoutRecord());
            else if (change == "append")
                file.WriteRecord(3, WorkoutRecord());
            else if (change == "truncate")
                file.TruncateTo(1);
            else if (change == "delete")
                file.RemoveRecord(0);
            else
                file.InsertRecord(0, WorkoutRecord());
            QFAIL("the change was not refused");
        } catch (const IoError &e) {
            QCOMPARE(e.message(), QStringLiteral("Cannot save to \"%1\": the training file is open read-only. Nothing was "
                                                 "changed.")
                                      .arg(env.path("w.dat")));
        }
        QCOMPARE(env.readFile("w.dat"), before);
        QCOMPARE(QDir(env.folder()).entryList(QDir::Files | QDir::Hidden), QStringList{"w.dat"});
    }

    void openingForReadingNeverCreates()
    {
        TestEnvironment env;
        TrainingFile file;
        QVERIFY_THROWS_EXCEPTION(IoError, file.open(env.path("absent.dat"), TrainingFile::Access::ReadOnly));
        QVERIFY(!QFile::exists(env.path("absent.dat")));
        QCOMPARE(file.openForEditing(env.path("absent.dat")), TrainingFile::Access::ReadWrite);
        QVERIFY(QFile::exists(env.path("absent.dat")));
        QVERIFY(!file.isReadOnly());
        QVERIFY_THROWS_EXCEPTION(IoError, file.openForEditing(env.path("missing/absent.dat")));
    }

    void weekSeparators_data()
    {
        QTest::addColumn<QList<QDate>>("days");
        QTest::addColumn<QStringList>("pattern"); // "W" a workout line, "-" a separator
        // 2.3.2009 is a Monday.
        QTest::newRow("Mon Wed Fri Mon") << QList<QDate>{{2009, 3, 2}, {2009, 3, 4}, {2009, 3, 6}, {2009, 3, 9}}
                                         << QStringList{"W", "W", "W", "-", "W"};
        QTest::newRow("Mon then next Mon") << QList<QDate>{{2009, 3, 2}, {2009, 3, 9}} << QStringList{"W", "W"};
        QTest::newRow("Sun then Sat") << QList<QDate>{{2009, 3, 8}, {2009, 3, 14}} << QStringList{"W", "-", "W"};
        QTest::newRow("earlier date later in the file")
            << QList<QDate>{{2009, 3, 5}, {2009, 3, 3}} << QStringList{"W", "-", "W"};
    }
    void weekSeparators()
    {
        QFETCH(QList<QDate>, days);
        QFETCH(QStringList, pattern);
        TestEnvironment env;
        TrainingFile file;
        file.open(env.path("w.dat"));
        for (int i = 0; i < days.size(); ++i)
            file.WriteRecord(i, workoutOn(days.at(i)));
        const QStringList lines = WorkoutList::build(file, kTypes);
        QStringList shape;
        for (const QString &line : lines)
            shape << (WorkoutList::isSeparator(line) ? "-" : "W");
        QCOMPARE(shape, pattern);
    }

    void workoutLinesAndRecordNumbers()
    {
        TestEnvironment env;
        TrainingFile file;
        file.open(env.path("w.dat"));
        file.WriteRecord(0, workoutOn(QDate(2009, 3, 12), "Chest", 2));
        file.WriteRecord(1, workoutOn(QDate(2009, 3, 9), "Back", 9)); // type beyond the list
        file.WriteRecord(2, workoutOn(QDate(2009, 3, 10), "Legs", 1));
        const QStringList lines = WorkoutList::build(file, kTypes);
        QCOMPARE(lines, (QStringList{"12.3.2009 - Chest (Heavy)", WorkoutList::Separator, "9.3.2009 - Back ()",
                                     "10.3.2009 - Legs (Light)"}));
        QCOMPARE(WorkoutList::RecordNumberOfItem(lines, 0), 0);
        QCOMPARE(WorkoutList::RecordNumberOfItem(lines, 2), 1);
        QCOMPARE(WorkoutList::RecordNumberOfItem(lines, 3), 2);
        QCOMPARE(WorkoutList::lineOfRecord(lines, 2), 3);
        QCOMPARE(WorkoutList::lineOfRecord(lines, 3), -1);
    }
};

QTEST_GUILESS_MAIN(TestTrainingFile)
#include "tst_trainingfile.moc"
