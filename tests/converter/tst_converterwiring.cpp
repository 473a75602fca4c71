#include "OldRecords.h"

#include "app/Main.h"
#include "app/ProgramWindows.h"
#include "converter/Converter.h"
#include "support/TestEnvironment.h"
#include "support/TestPrompts.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {
const QByteArray Ini = "[Lists]\nType_training=,Light,Heavy\n[Program]\nTraining_file=workouts.dat\n";
const QString Completed = QStringLiteral("Conversion completed!");

QByteArray oldWorkouts(const QList<QByteArray> &bodyparts)
{
    QByteArray bytes;
    for (int i = 0; i < bodyparts.size(); ++i) {
        OldRecords::Old r;
        r.date = 45000 + i; // 15.3.2023 on
        r.bodypart = bodyparts[i];
        r.trainingType = 2;
        r.cardioType = "Running";
        r.exercises = {{"Squat", "Working set", 3, 8, 82.5f}};
        bytes += OldRecords::encode(r);
    }
    return bytes;
}
}

// The ribbon's "Format converter": the main window shows the converter window and runs
// the conversion it asks for.
class TestConverterWiring : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    TestPrompts prompts;
    std::unique_ptr<ProgramWindows> windows;

    TfrmMain &main() { return windows->mainWindow(); }
    template <typename T>
    T *converterControl(const char *name)
    {
        return windows->converterWindow().findChild<T *>(QLatin1String(name));
    }
    void start(const QByteArray &trainingFile)
    {
        windows.reset();
        env = std::make_unique<TestEnvironment>();
        prompts = TestPrompts();
        env->writeFile("license.txt", "MIT License\n");
        env->writeFile("init.ini", Ini);
        env->writeFile("workouts.dat", trainingFile);
        windows = std::make_unique<ProgramWindows>(prompts);
        windows->startUp();
        prompts.take();
    }
    // Presses the ribbon button and answers the converter window: the file, the backup
    // box, and Enter or the close box.
    void convert(const QString &path, bool keepBackup = true, bool close = false)
    {
        QTimer::singleShot(0, this, [=, this] {
            converterControl<QLineEdit>("ledStara")->setText(path);
            converterControl<QCheckBox>("chbBackup")->setChecked(keepBackup);
            if (close)
                windows->converterWindow().close();
            else
                QTest::keyClick(converterControl<QLineEdit>("ledStara"), Qt::Key_Return);
        });
        main().findChild<QAction *>("bitConverter")->trigger();
    }
    QStringList listLines()
    {
        auto *list = main().findChild<QListWidget *>("lstProsliTreninzi");
        QStringList lines;
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    }

private slots:
    void ribbonButton()
    {
        start(QByteArray());
        auto *button = main().findChild<QToolButton *>("rbnbitConverter");
        QVERIFY(button);
        QCOMPARE(button->defaultAction()->text(), QStringLiteral("Format converter"));
    }

    // The open training file is converted: the main window opens it again and lists its
    // workouts from the new content.
    void openTrainingFile_data()
    {
        QTest::addColumn<bool>("keepBackup");
        QTest::newRow("backup") << true;
        QTest::newRow("no backup") << false;
    }
    void openTrainingFile()
    {
        QFETCH(bool, keepBackup);
        const QByteArray old = oldWorkouts({"Chest", "Back"});
        start(old);
        convert(env->path("workouts.dat"), keepBackup);
        QCOMPARE(prompts.take(), (QList<TestPrompts::Shown>{{"message", Completed}}));
        QCOMPARE(listLines().filter(QStringLiteral(" - ")),
                 (QStringList{"15.3.2023 - Chest (Heavy)", "16.3.2023 - Back (Heavy)"}));
        QCOMPARE(main().trainingFile().RecordCount(), 2);
        const WorkoutRecord first = main().trainingFile().ReadRecord(0);
        QCOMPARE(first.Cardio.size(), 1);
        QCOMPARE(first.Exercises.size(), 1);
        QCOMPARE(first.Exercises[0].Name, QStringLiteral("Squat"));
        QCOMPARE(QFile::exists(env->path("workoutsbackup.dat")), keepBackup);
        if (keepBackup)
            QVERIFY(env->readFile("workoutsbackup.dat") == old);
    }

    void otherFile()
    {
        start(QByteArray());
        env->writeFile("old.dat", oldWorkouts({"Legs"}));
        convert(env->path("old.dat"));
        QCOMPARE(prompts.take(), (QList<TestPrompts::Shown>{{"message", Completed}}));
        QCOMPARE(QFileInfo(env->path("old.dat")).size(), qint64(WorkoutRecord::Size));
        QVERIFY(env->readFile("oldbackup.dat") == oldWorkouts({"Legs"}));
        QCOMPARE(main().trainingFile().RecordCount(), 0);
    }

    // A failed conversion shows its error and never "Conversion completed!"; the open
    // file and its list stay as they were.
    void failureIsNoSuccess()
    {
        const QByteArray old = oldWorkouts({"Chest"});
        start(old);
        env->writeFile("workoutsbackup.dat", "earlier");
        const QStringList before = listLines();
        convert(env->path("workouts.dat"));
        const QList<TestPrompts::Shown> shown = prompts.take();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, QStringLiteral("error"));
        QVERIFY2(shown[0].text.contains("workoutsbackup.dat"), qPrintable(shown[0].text));
        QVERIFY(env->readFile("workouts.dat") == old);
        QCOMPARE(listLines(), before);
    }

    void closeBoxDoesNothing()
    {
        const QByteArray old = oldWorkouts({"Chest"});
        start(old);
        convert(env->path("workouts.dat"), true, true);
        QCOMPARE(prompts.take(), QList<TestPrompts::Shown>());
        QVERIFY(env->readFile("workouts.dat") == old);
        QVERIFY(!QFile::exists(env->path("workoutsbackup.dat")));
    }

    void olderLayoutWarningNamesTheConverter()
    {
        windows.reset();
        env = std::make_unique<TestEnvironment>();
        prompts = TestPrompts();
        env->writeFile("license.txt", "MIT License\n");
        env->writeFile("init.ini", Ini);
        env->writeFile("workouts.dat", oldWorkouts({"Chest"}));
        windows = std::make_unique<ProgramWindows>(prompts);
        windows->startUp();
        const QStringList warnings = prompts.texts("warning");
        prompts.take();
        QCOMPARE(warnings.size(), 1);
        for (const char *part : {"\"Format converter\"", "\"Tools\"", "\"Converter\""})
            QVERIFY2(warnings[0].contains(QLatin1String(part)), qPrintable(warnings[0]));
    }
};

QTEST_MAIN(TestConverterWiring)
#include "tst_converterwiring.moc"
