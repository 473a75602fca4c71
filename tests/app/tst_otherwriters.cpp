#include "app/Main.h"
#include "app/ProgramWindows.h"
#include "common/DayCount.h"
#include "exercises/ExerciseFile.h"
#include "exercises/Vjezbe.h"
#include "goals/Ciljevi.h"
#include "goals/GoalsFile.h"
#include "support/CliRunner.h"
#include "support/TestEnvironment.h"
#include "support/TestPrompts.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <memory>

namespace {
const QByteArray kIni = "[Lists]\nBodypart=,Chest,Back,Legs\nType_cardio=,Running\n"
                        "Type_training=,Light,Heavy\nType_execution=,Working set\n"
                        "[Program]\nTraining_file=workouts.dat\n";
const QByteArray kCsv = "Date,Exercise,Weight (kgs),Reps\n2021-09-09,Squat,100,5\n2021-09-10,Row,60,8\n";

QByteArray workouts(const QList<QPair<QDate, QString>> &days)
{
    QByteArray bytes;
    for (const auto &[day, bodypart] : days) {
        WorkoutRecord r;
        r.Date = DayCount::fromDate(day);
        r.Bodypart = bodypart;
        r.TrainingType = 1;
        bytes += r.encode();
    }
    return bytes;
}

QStringList storedBodyparts(const QString &path)
{
    TrainingFile f;
    f.open(path, TrainingFile::Access::ReadOnly);
    QStringList result;
    for (int i = 0; i < f.RecordCount(); ++i)
        result << f.ReadRecord(i).Bodypart;
    return result;
}

// A sync tool's way of writing: a new file renamed over the old one.
void replaceByRename(const TestEnvironment &env, const QString &name, const QByteArray &content)
{
    env.writeFile(name + ".sync", content);
    QVERIFY(std::rename(QFile::encodeName(env.path(name + ".sync")).constData(),
                        QFile::encodeName(env.path(name)).constData()) == 0);
}

// One running copy of the program on a program folder.
struct Program {
    TestPrompts prompts;
    std::unique_ptr<ProgramWindows> windows;
    explicit Program(const TestEnvironment &env)
    {
        Q_UNUSED(env);
        windows = std::make_unique<ProgramWindows>(prompts);
        windows->startUp();
    }
    TfrmMain &main() const { return windows->mainWindow(); }
    template <typename T>
    T *child(QWidget &window, const char *name) const
    {
        T *widget = window.findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QAction *action(const char *name) const { return child<QAction>(main(), name); }
    QListWidget *list() const { return child<QListWidget>(main(), "lstProsliTreninzi"); }
    void fillForm(const QDate &day, const QString &bodypart) const
    {
        child<QDateEdit>(main(), "dtpDatum")->setDate(day);
        child<QComboBox>(main(), "cmbDioTijela")->setCurrentText(bodypart);
    }
    QString formBodypart() const { return child<QComboBox>(main(), "cmbDioTijela")->currentText(); }
};
}

class TestOtherWriters : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;

    void makeFolder(const QByteArray &training)
    {
        env = std::make_unique<TestEnvironment>();
        env->writeFile("license.txt", "MIT License\n");
        env->writeFile("init.ini", kIni);
        env->writeFile("workouts.dat", training);
        env->writeFile("in.csv", kCsv);
    }

private slots:
    void initTestCase() { pinRegionalSettings(); }

    void importFromATerminalWhileTheWindowHasTheFile()
    {
        makeFolder(workouts({{QDate(2009, 3, 12), "Chest"}}));
        Program program(*env);
        program.fillForm(QDate(2009, 3, 14), "Legs"); // a new workout, not saved yet

        CliRun run = runCli({"--folder", env->folder(), "import-csv", "in.csv"}, env->folder());
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("workouts.dat") && run.err.contains("Fortavo has it open"), qPrintable(run.err));
        QCOMPARE(storedBodyparts(env->path("workouts.dat")), QStringList{"Chest"});

        run = runCli({"--folder", env->folder(), "import-csv", "in.csv", "--force"}, env->folder());
        QCOMPARE(run.status, 0);
        QCOMPARE(storedBodyparts(env->path("workouts.dat")).size(), 3);

        // The save does not go into the replaced file: it is refused and the file read again.
        program.action("actSpremi")->trigger();
        QCOMPARE(program.prompts.texts("error"), QStringList{"The training file was changed outside Fortavo."});
        QCOMPARE(program.list()->count(), 3);
        QCOMPARE(program.formBodypart(), QStringLiteral("Legs"));
        program.prompts.take();

        program.action("actSpremi")->trigger();
        QCOMPARE(program.prompts.texts("error"), QStringList());
        const QStringList stored = storedBodyparts(env->path("workouts.dat"));
        QCOMPARE(stored.size(), 4);
        QCOMPARE(stored.first(), QStringLiteral("Chest"));
        QCOMPARE(stored.last(), QStringLiteral("Legs"));
    }

    void anEditedWorkoutThatChangedOutsideIsSavedAsANewOne()
    {
        makeFolder(workouts({{QDate(2009, 3, 12), "Chest"}, {QDate(2009, 3, 13), "Back"}}));
        Program program(*env);
        program.list()->setCurrentRow(1);
        program.main().ShowWorkout(1);
        program.fillForm(QDate(2009, 3, 13), "Legs");
        replaceByRename(*env, "workouts.dat", workouts({{QDate(2009, 3, 12), "Chest"}, {QDate(2009, 3, 13), "Chest"}}));

        program.action("actSpremi")->trigger();
        QCOMPARE(program.prompts.texts("error"), QStringList{"The training file was changed outside Fortavo."});
        program.prompts.take();
        program.action("actSpremi")->trigger();
        QCOMPARE(storedBodyparts(env->path("workouts.dat")), (QStringList{"Chest", "Chest", "Legs"}));
    }

    void anOutsideRenameRefreshesTheListAndTheNextSaveGoesToTheNewFile()
    {
        makeFolder(workouts({{QDate(2009, 3, 12), "Chest"}}));
        Program program(*env);
        QCOMPARE(program.list()->count(), 1);
        replaceByRename(*env, "workouts.dat", workouts({{QDate(2009, 3, 12), "Chest"}, {QDate(2009, 3, 13), "Back"}}));
        QTRY_COMPARE(program.list()->count(), 2);
        QVERIFY2(program.prompts.shown.isEmpty(), "nothing was being edited: no message");

        program.fillForm(QDate(2009, 3, 16), "Legs");
        program.action("actSpremi")->trigger();
        QCOMPARE(storedBodyparts(env->path("workouts.dat")), (QStringList{"Chest", "Back", "Legs"}));

        // The watch is set again on the new file: a second replace is seen as well.
        replaceByRename(*env, "workouts.dat", workouts({{QDate(2009, 3, 12), "Chest"}}));
        QTRY_COMPARE(program.list()->count(), 1);
        QCOMPARE(program.prompts.texts("error"), QStringList());
    }

    void aSecondCopyOpensTheFileReadOnlyAndSaysSo()
    {
        makeFolder(workouts({{QDate(2009, 3, 12), "Chest"}}));
        env->writeFile("goals.dat", QByteArray());
        Program first(*env);
        Program second(*env);
        const QStringList warnings = second.prompts.texts("warning");
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings.first().contains("open read-only") && warnings.first().contains("another copy of Fortavo"),
                 qPrintable(warnings.first()));
        second.prompts.take();

        second.fillForm(QDate(2009, 3, 13), "Back");
        second.action("actSpremi")->trigger();
        QCOMPARE(second.prompts.texts("error").size(), 1);
        first.fillForm(QDate(2009, 3, 14), "Legs");
        first.action("actSpremi")->trigger();
        QCOMPARE(first.prompts.texts("error"), QStringList());
        QCOMPARE(storedBodyparts(env->path("workouts.dat")), (QStringList{"Chest", "Legs"}));
        QTRY_COMPARE(second.list()->count(), 2); // the read-only copy follows the file

        // The second copy's goals window cannot write the goals file either.
        TfrmCiljevi &goals = second.windows->goalsWindow();
        second.child<QLineEdit>(goals, "edtIme")->setText("Run 10 km");
        QTest::mouseClick(second.child<QPushButton>(goals, "bitSpremi"), Qt::LeftButton);
        QCOMPARE(second.prompts.texts("error").size(), 2);
        QVERIFY(second.prompts.texts("error").last().contains("another copy of Fortavo"));
        QCOMPARE(env->readFile("goals.dat").size(), 0);
    }

    void goalsChangedOutsideAreReadAgain()
    {
        makeFolder(QByteArray());
        GoalRecord run;
        run.Name = "Run";
        run.Deadline = DayCount::fromDate(QDate::currentDate().addDays(30));
        env->writeFile("goals.dat", run.encode());
        Program program(*env);
        TfrmCiljevi &goals = program.windows->goalsWindow();
        auto *pending = program.child<QListWidget>(goals, "lstPending");
        QCOMPARE(pending->count(), 1);

        GoalRecord swim = run;
        swim.Name = "Swim";
        replaceByRename(*env, "goals.dat", run.encode() + swim.encode());
        QTRY_COMPARE(pending->count(), 2); // refreshed while idle

        // Changed again and saved into before the watch fires: refused, read again, kept.
        GoalRecord row = run;
        row.Name = "Row";
        replaceByRename(*env, "goals.dat", run.encode() + swim.encode() + row.encode());
        program.child<QLineEdit>(goals, "edtIme")->setText("Lift");
        QTest::mouseClick(program.child<QPushButton>(goals, "bitSpremi"), Qt::LeftButton);
        QCOMPARE(program.prompts.texts("error"), QStringList{"The goals file was changed outside Fortavo."});
        QCOMPARE(pending->count(), 3);
        QCOMPARE(program.child<QLineEdit>(goals, "edtIme")->text(), QStringLiteral("Lift"));
        program.prompts.take();
        QTest::mouseClick(program.child<QPushButton>(goals, "bitSpremi"), Qt::LeftButton);
        GoalsFile check;
        check.openReadOnly(env->path("goals.dat"));
        QCOMPARE(check.RecordCount(), 4);
        QCOMPARE(check.ReadRecord(3).Name, QStringLiteral("Lift"));
    }

    void exerciseListChangedOutsideRefreshesTheChoiceAndASaveKeepsBoth()
    {
        makeFolder(QByteArray());
        env->writeFile("exercises.dat", CatalogExercise{"Squat", "Legs", QString()}.encode());
        Program program(*env);
        auto *choice = program.child<QComboBox>(program.main(), "cmbVjezba");
        QVERIFY(choice->findText("Squat") >= 0);

        replaceByRename(*env, "exercises.dat",
                        CatalogExercise{"Squat", "Legs", QString()}.encode() + CatalogExercise{"Row", "Back", QString()}.encode());
        QTRY_VERIFY(choice->findText("Row") >= 0);

        // A save over a list changed meanwhile is refused; the grid gains the new names,
        // so the next save keeps them.
        TfrmVjezbe &exercises = program.windows->exerciseWindow();
        QMetaObject::invokeMethod(&exercises, [&] {
            replaceByRename(*env, "exercises.dat",
                            CatalogExercise{"Squat", "Legs", QString()}.encode()
                                + CatalogExercise{"Dip", "Chest", QString()}.encode());
            exercises.actSpremiExecute();
            QCOMPARE(program.prompts.texts("error"), QStringList{"The exercise list was changed outside Fortavo."});
            program.prompts.take();
            exercises.actSpremiExecute();
            exercises.reject();
        }, Qt::QueuedConnection);
        exercises.showModal();
        ExerciseFile check;
        check.open(env->path("exercises.dat"));
        QStringList names;
        for (const CatalogExercise &e : check.readAll())
            names << e.Name;
        QCOMPARE(names, (QStringList{"Squat", "Row", "Dip"}));
    }
};

QTEST_MAIN(TestOtherWriters)
#include "tst_otherwriters.moc"
