#include "app/Main.h"
#include "app/ProgramWindows.h"
#include "common/DayCount.h"
#include "support/TestEnvironment.h"
#include "support/TestPrompts.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QTest>

#include <memory>

namespace {
const QByteArray kIni = "[Lists]\nBodypart=,Chest,Back,Legs\nType_cardio=,Running,Cycling\n"
                        "Type_training=,Light,Heavy\nType_execution=,Warmup,Working set\n"
                        "[Program]\nTop=100\nLeft=50\nTraining_file=workouts.dat\n";

// A workout whose durations and weights are singles lying just below their
// two-decimal texts (1.05 is stored as 1.0499999523).
WorkoutRecord workoutOfNearValues()
{
    WorkoutRecord r;
    r.Date = DayCount::fromDate(QDate(2009, 3, 12));
    r.StartTime = DayCount::fromTime(QTime(18, 30));
    r.Duration = 1.05f;
    r.Bodypart = QStringLiteral("Back");
    r.TrainingType = 2;
    r.Comment = QStringLiteral("near values");
    const double seven = DayCount::fromTime(QTime(7, 0));
    for (const float duration : {0.53f, 0.59f, 1.05f, 1.06f, 1.17f, 1.18f, 2.09f, 2.1f, 2.11f, 2.12f, 2.34f, 2.35f,
                                 2.36f, 2.37f})
        r.Cardio.append({QStringLiteral("Running"), seven, duration, 1000, 100});
    for (const float weight : {16.3f, 32.1f, 1.05f, 0.53f, 82.5f, 0.0f})
        r.Exercises.append({QStringLiteral("Row"), QStringLiteral("Warmup"), 3, 10, weight});
    return r;
}
}

class TestStoredValues : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    TestPrompts prompts;
    std::unique_ptr<ProgramWindows> windows;
    TfrmMain *window = nullptr;

    QAction *action(const char *name)
    {
        auto *a = window->findChild<QAction *>(QString::fromLatin1(name));
        if (!a)
            qFatal("no action %s", name);
        return a;
    }
    QListWidget *list() { return window->findChild<QListWidget *>(QStringLiteral("lstProsliTreninzi")); }

    void start(const QByteArray &workouts)
    {
        windows.reset();
        env = std::make_unique<TestEnvironment>();
        prompts = TestPrompts();
        env->writeFile("init.ini", kIni);
        env->writeFile("license.txt", "Licence");
        env->writeFile("workouts.dat", workouts);
        windows = std::make_unique<ProgramWindows>(prompts);
        window = &windows->mainWindow();
        windows->startUp();
    }

private slots:
    void cleanup()
    {
        windows.reset();
        QCOMPARE(prompts.texts("error"), QStringList());
    }

    void showAndSaveKeepTheFile()
    {
        const QByteArray stored = workoutOfNearValues().encode();
        start(stored);
        list()->setCurrentRow(0);
        action("mniOpenTraining")->trigger();
        action("actSpremi")->trigger();
        QCOMPARE(env->readFile("workouts.dat").toHex(), stored.toHex());
    }

    void copyAndPasteKeepTheNumbers()
    {
        const QByteArray stored = workoutOfNearValues().encode();
        start(stored);
        list()->setCurrentRow(0);
        action("mniOpenTraining")->trigger();
        action("bitCopy")->trigger();
        action("actNovi")->trigger();
        action("bitPaste")->trigger();
        action("actSpremi")->trigger();
        QCOMPARE(env->readFile("workouts.dat").toHex(), (stored + stored).toHex());
    }
};

QTEST_MAIN(TestStoredValues)
#include "tst_storedvalues.moc"
