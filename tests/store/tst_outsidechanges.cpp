#include "common/Errors.h"
#include "exercises/ExerciseFile.h"
#include "goals/GoalsFile.h"
#include "store/TrainingFile.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <cstdio>

namespace {
WorkoutRecord workout(const QString &bodypart)
{
    WorkoutRecord r;
    r.Date = 40000;
    r.Bodypart = bodypart;
    return r;
}

QByteArray workouts(const QStringList &bodyparts)
{
    QByteArray bytes;
    for (const QString &b : bodyparts)
        bytes += workout(b).encode();
    return bytes;
}

QByteArray goals(const QStringList &names)
{
    QByteArray bytes;
    for (const QString &n : names) {
        GoalRecord g;
        g.Name = n;
        bytes += g.encode();
    }
    return bytes;
}

QByteArray exercises(const QStringList &names)
{
    QByteArray bytes;
    for (const QString &n : names)
        bytes += CatalogExercise{n, QString(), QString()}.encode();
    return bytes;
}

// What another program does to a file the program has open.
enum class Outside { ReplacedByRename, GrownInPlace, Removed };

void changeOutside(const TestEnvironment &env, const QString &name, Outside how, const QByteArray &content)
{
    const QString path = env.path(name);
    switch (how) {
    case Outside::ReplacedByRename:
        env.writeFile(name + ".sync-tmp", content);
        QVERIFY(std::rename(QFile::encodeName(path + ".sync-tmp").constData(), QFile::encodeName(path).constData()) == 0);
        break;
    case Outside::GrownInPlace: {
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        QCOMPARE(file.write(content), content.size());
        break;
    }
    case Outside::Removed:
        QVERIFY(QFile::remove(path));
        break;
    }
}

void addOutsideRows()
{
    QTest::addColumn<int>("how");
    QTest::newRow("replaced by rename") << int(Outside::ReplacedByRename);
    QTest::newRow("grown in place") << int(Outside::GrownInPlace);
    QTest::newRow("removed") << int(Outside::Removed);
}

// The file at path afterwards: what the other program left, nothing of ours.
QByteArray expectedAfter(Outside how, const QByteArray &before, const QByteArray &outside)
{
    switch (how) {
    case Outside::ReplacedByRename:
        return outside;
    case Outside::GrownInPlace:
        return before + outside;
    case Outside::Removed:
        return QByteArray();
    }
    return QByteArray();
}
}

class TestOutsideChanges : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { pinRegionalSettings(); }

    void trainingFileIsNeverWrittenAfterAnOutsideChange_data() { addOutsideRows(); }
    void trainingFileIsNeverWrittenAfterAnOutsideChange()
    {
        QFETCH(int, how);
        TestEnvironment env;
        const QByteArray before = workouts({"Chest"});
        const QByteArray outside = workouts({"Legs", "Back"});
        env.writeFile("workouts.dat", before);
        TrainingFile file;
        QCOMPARE(file.openForEditing(env.path("workouts.dat")), TrainingFile::Access::ReadWrite);
        int handled = 0;
        file.setOutsideChangeHandler([&] { ++handled; });
        file.WriteRecord(1, workout("Arms")); // our own writes are no outside change
        const QByteArray ours = env.readFile("workouts.dat");
        changeOutside(env, "workouts.dat", Outside(how), outside);
        QVERIFY(file.changedOutside());

        const std::function<void()> writes[] = {
            [&] { file.WriteRecord(0, workout("Shoulders")); },
            [&] { file.WriteRecord(2, workout("Shoulders")); },
            [&] { file.TruncateTo(1); },
            [&] { file.RemoveRecord(0); },
            [&] { file.InsertRecord(0, workout("Shoulders")); },
        };
        for (const auto &write : writes) {
            try {
                write();
                QFAIL("a write went into a file changed outside");
            } catch (const FileChangedError &e) {
                QCOMPARE(e.message(), QStringLiteral("The training file was changed outside Fortavo."));
            }
        }
        QCOMPARE(handled, int(std::size(writes)));
        if (Outside(how) == Outside::Removed)
            QVERIFY(!QFileInfo::exists(env.path("workouts.dat")));
        else
            QCOMPARE(env.readFile("workouts.dat"), expectedAfter(Outside(how), ours, outside));
    }

    void reopeningKeepsTheSavePositionOnlyOnAnUnchangedRecord_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("expected");
        // Before: Chest, Back. After: Chest, Legs (the second changed), Arms.
        QTest::newRow("unchanged record") << 0 << 0;
        QTest::newRow("changed record") << 1 << 3;
        QTest::newRow("append position") << 2 << 3;
    }
    void reopeningKeepsTheSavePositionOnlyOnAnUnchangedRecord()
    {
        QFETCH(int, position);
        QFETCH(int, expected);
        TestEnvironment env;
        env.writeFile("workouts.dat", workouts({"Chest", "Back"}));
        TrainingFile file;
        file.openForEditing(env.path("workouts.dat"));
        changeOutside(env, "workouts.dat", Outside::ReplacedByRename, workouts({"Chest", "Legs", "Arms"}));
        QCOMPARE(file.reopenAfterOutsideChange(position), expected);
        QVERIFY(!file.changedOutside());
        file.WriteRecord(expected, workout("Form"));
        QCOMPARE(file.RecordCount(), expected == 3 ? 4 : 3);
        QCOMPARE(file.ReadRecord(2).Bodypart, QStringLiteral("Arms"));
    }

    void aSecondCopyOpensTheTrainingFileReadOnly()
    {
        TestEnvironment env;
        env.writeFile("workouts.dat", workouts({"Chest"}));
        TrainingFile first, second;
        QCOMPARE(first.openForEditing(env.path("workouts.dat")), TrainingFile::Access::ReadWrite);
        QCOMPARE(second.openForEditing(env.path("workouts.dat")), TrainingFile::Access::ReadOnly);
        QVERIFY2(second.readOnlyReason().contains("open in another copy of Fortavo"), qPrintable(second.readOnlyReason()));
        QVERIFY_THROWS_EXCEPTION(IoError, second.WriteRecord(1, workout("Legs")));
        first.close();
        QCOMPARE(second.openForEditing(env.path("workouts.dat")), TrainingFile::Access::ReadWrite);
    }

    void goalsFileIsNeverWrittenAfterAnOutsideChange_data() { addOutsideRows(); }
    void goalsFileIsNeverWrittenAfterAnOutsideChange()
    {
        QFETCH(int, how);
        TestEnvironment env;
        const QByteArray before = goals({"Run 10 km", "Bench 100"});
        const QByteArray outside = goals({"Swim"});
        env.writeFile("goals.dat", before);
        GoalsFile file;
        file.open(env.path("goals.dat"));
        QVERIFY(file.claimInUse());
        file.setStatus(0, GoalStatus::Completed);
        const QByteArray ours = env.readFile("goals.dat");
        changeOutside(env, "goals.dat", Outside(how), outside);

        const std::function<void()> writes[] = {
            [&] { file.WriteRecord(0, GoalRecord()); },
            [&] { file.WriteRecord(2, GoalRecord()); },
            [&] { file.setStatus(1, GoalStatus::Unsuccessful); },
            [&] { file.RemoveRecord(0); },
        };
        for (const auto &write : writes) {
            try {
                write();
                QFAIL("a write went into a file changed outside");
            } catch (const FileChangedError &e) {
                QCOMPARE(e.message(), QStringLiteral("The goals file was changed outside Fortavo."));
            }
        }
        if (Outside(how) == Outside::Removed)
            QVERIFY(!QFileInfo::exists(env.path("goals.dat")));
        else
            QCOMPARE(env.readFile("goals.dat"), expectedAfter(Outside(how), ours, outside));
    }

    void goalsReopenKeepsAViewedGoalOnlyWhileItIsUnchanged()
    {
        TestEnvironment env;
        env.writeFile("goals.dat", goals({"Run", "Swim"}));
        GoalsFile file;
        file.open(env.path("goals.dat"));
        changeOutside(env, "goals.dat", Outside::ReplacedByRename, goals({"Run", "Row", "Lift"}));
        QCOMPARE(file.reopenAfterOutsideChange(0), 0);
        changeOutside(env, "goals.dat", Outside::ReplacedByRename, goals({"Lift"}));
        QCOMPARE(file.reopenAfterOutsideChange(1), 1); // gone: the position of a new goal
        file.WriteRecord(1, GoalRecord());
        QCOMPARE(file.RecordCount(), 2);
        QCOMPARE(file.ReadRecord(0).Name, QStringLiteral("Lift"));
    }

    void exerciseListIsNeverWrittenAfterAnOutsideChange_data() { addOutsideRows(); }
    void exerciseListIsNeverWrittenAfterAnOutsideChange()
    {
        QFETCH(int, how);
        TestEnvironment env;
        const QByteArray outside = exercises({"Row"});
        env.writeFile("exercises.dat", exercises({"Squat"}));
        ExerciseFile file;
        file.open(env.path("exercises.dat"));
        QVERIFY(file.claimInUse());
        file.save({{"Squat", "Legs", QString()}});
        const QByteArray ours = env.readFile("exercises.dat");
        int handled = 0;
        file.setOutsideChangeHandler([&] { ++handled; });
        changeOutside(env, "exercises.dat", Outside(how), outside);
        try {
            file.save({{"Bench press", "Chest", QString()}});
            QFAIL("a save went over a file changed outside");
        } catch (const FileChangedError &e) {
            QCOMPARE(e.message(), QStringLiteral("The exercise list was changed outside Fortavo."));
        }
        QCOMPARE(handled, 1);
        if (Outside(how) == Outside::Removed)
            QVERIFY(!QFileInfo::exists(env.path("exercises.dat")));
        else
            QCOMPARE(env.readFile("exercises.dat"), expectedAfter(Outside(how), ours, outside));
        if (Outside(how) != Outside::Removed) {
            file.reopen();
            file.save({{"Bench press", "Chest", QString()}}); // told and read again: the save goes through
            QCOMPARE(file.readAll().size(), 1);
        }
    }

    void aSecondCopyCannotWriteGoalsOrExercises()
    {
        TestEnvironment env;
        env.writeFile("goals.dat", goals({"Run"}));
        env.writeFile("exercises.dat", exercises({"Squat"}));
        GoalsFile goals1, goals2;
        goals1.open(env.path("goals.dat"));
        goals2.open(env.path("goals.dat"));
        QVERIFY(goals1.claimInUse());
        QVERIFY(!goals2.claimInUse());
        QCOMPARE(goals2.heldBy().program, QStringLiteral("Fortavo"));
        try {
            goals2.setStatus(0, GoalStatus::Completed);
            QFAIL("the second copy wrote the goals file");
        } catch (const IoError &e) {
            QVERIFY2(e.message().contains("open in another copy of Fortavo"), qPrintable(e.message()));
        }
        ExerciseFile exercises1, exercises2;
        exercises1.open(env.path("exercises.dat"));
        exercises2.open(env.path("exercises.dat"));
        QVERIFY(exercises1.claimInUse());
        QVERIFY(!exercises2.claimInUse());
        QVERIFY_THROWS_EXCEPTION(IoError, exercises2.save({}));
        QCOMPARE(env.readFile("goals.dat"), goals({"Run"}));
        QCOMPARE(env.readFile("exercises.dat"), exercises({"Squat"}));
    }
};

QTEST_GUILESS_MAIN(TestOutsideChanges)
#include "tst_outsidechanges.moc"
