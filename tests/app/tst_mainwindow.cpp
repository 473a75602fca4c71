#include "app/Main.h"
#include "app/ProgramWindows.h"
#include "goals/Ciljevi.h"
#include "editor/Skripta.h"
#include "csv/CsvImport.h"
#include "exercises/Vjezbe.h"
#include "common/DayCount.h"
#include "config/IniFile.h"
#include "editing/DrugiProzor.h"
#include "editing/WorkoutGrid.h"
#include "exercises/ExerciseFile.h"
#include "store/WorkoutList.h"
#include "support/TestEnvironment.h"
#include "support/TestPrompts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLayout>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

#include <memory>

namespace {
const QByteArray kIni = "[Lists]\nBodypart=,Chest,Back,Legs\nType_cardio=,Running,Cycling\n"
                        "Type_training=,Light,Heavy\nType_execution=,Warmup,Working set\n"
                        "[Program]\nTop=100\nLeft=50\nTraining_file=workouts.dat\n";

WorkoutRecord workout(const QDate &day, const QString &bodypart, quint8 type = 2)
{
    WorkoutRecord r;
    r.Date = DayCount::fromDate(day);
    r.Bodypart = bodypart;
    r.TrainingType = type;
    return r;
}
}

class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    TestPrompts prompts;
    std::unique_ptr<ProgramWindows> windows;
    TfrmMain *window = nullptr;

    template <typename T>
    T *child(const char *name)
    {
        T *widget = window->findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QListWidget *list() { return child<QListWidget>("lstProsliTreninzi"); }
    WorkoutGrid *exercises() { return child<WorkoutGrid>("stgVjezbe"); }
    WorkoutGrid *cardio() { return child<WorkoutGrid>("stgKardio"); }
    QAction *action(const char *name) { return child<QAction>(name); }

    // Starts the program's windows over a program folder holding the given files.
    void start(const QByteArray &ini = kIni, const QList<WorkoutRecord> &records = {},
               const QByteArray &exerciseFile = QByteArray())
    {
        windows.reset();
        env = std::make_unique<TestEnvironment>();
        prompts = TestPrompts();
        env->writeFile("license.txt", "MIT License\n"); // the about window reads it at start-up
        if (!ini.isNull())
            env->writeFile("init.ini", ini);
        if (!records.isEmpty()) {
            QByteArray bytes;
            for (const WorkoutRecord &r : records)
                bytes += r.encode();
            env->writeFile("workouts.dat", bytes);
        }
        if (!exerciseFile.isNull())
            env->writeFile("exercises.dat", exerciseFile);
        windows = std::make_unique<ProgramWindows>(prompts);
        window = &windows->mainWindow();
        windows->startUp();
    }

    void addExercise(const QString &name, int sets, int reps, const QString &weightMask)
    {
        child<QComboBox>("cmbVjezba")->setEditText(name);
        child<QSpinBox>("spnSerija")->setValue(sets);
        child<QSpinBox>("spnPonavljanja")->setValue(reps);
        child<QLineEdit>("mskTezina")->setText(weightMask);
        child<QPushButton>("bitDodaj")->click();
    }
    QStringList column(WorkoutGrid *grid, int c)
    {
        QStringList cells;
        for (int r = 1; r <= grid->entryCount(); ++r)
            cells << grid->cell(r, c);
        return cells;
    }
    QStringList listLines()
    {
        QStringList lines;
        for (int i = 0; i < list()->count(); ++i)
            lines << list()->item(i)->text();
        return lines;
    }
    void selectLine(int line)
    {
        list()->setCurrentRow(line);
    }
    QStringList storedBodyparts(const QString &file = QStringLiteral("workouts.dat"))
    {
        TrainingFile f;
        f.open(env->path(file));
        QStringList result;
        for (int i = 0; i < f.RecordCount(); ++i)
            result << f.ReadRecord(i).Bodypart;
        return result;
    }
    void saveFormAs(const QDate &day, const QString &bodypart)
    {
        child<QDateEdit>("dtpDatum")->setDate(day);
        child<QComboBox>("cmbDioTijela")->setCurrentText(bodypart);
        action("actSpremi")->trigger();
    }

private slots:
    void cleanup()
    {
        windows.reset();
        QCOMPARE(prompts.texts("error"), QStringList());
    }

    // --- start-up and configuration

    void startsWithConfiguration()
    {
        start();
        QCOMPARE(window->windowTitle(), QStringLiteral("Fortavo"));
        QCOMPARE(child<QComboBox>("cmbDioTijela")->count(), 4);
        QCOMPARE(child<QComboBox>("cmbDioTijela")->currentIndex(), 0);
        QCOMPARE(child<QComboBox>("cmbTipIzvodjenja")->itemText(2), QStringLiteral("Working set"));
        QCOMPARE(window->trainingFileName(), env->path("workouts.dat"));
        QCOMPARE(window->goalsFileName(), env->path("goals.dat"));
        QVERIFY(QFile::exists(env->path("workouts.dat")));
        QCOMPARE(window->currentRecordIndex(), 0);
        QCOMPARE(exercises()->gridRowCount(), 2);
        QCOMPARE(child<QLineEdit>("mskTezina")->text(), QStringLiteral("0000.00"));
        QVERIFY(!action("mniUndo")->isEnabled());
    }

    void missingConfigurationIsReported()
    {
        start(QByteArray());
        QCOMPARE(prompts.take(), (QList<TestPrompts::Shown>{{"error", "Configuration file not found!"}}));
        QCOMPARE(child<QComboBox>("cmbDioTijela")->count(), 0);
        // Commands that need a training file say so instead of failing on a closed file.
        action("actSpremi")->trigger();
        QCOMPARE(prompts.texts("error").size(), 1);
        QVERIFY(prompts.take().at(0).text.startsWith("No training file is open."));
        // The close-time write never stores an empty training file name.
        window->close();
        IniFile ini(env->path("init.ini"));
        QCOMPARE(ini.readString("Program", "Training_file", "<none>"), QStringLiteral("<none>"));
        QVERIFY(ini.readString("Program", "Top", "") != QString());
    }

    void configurationActionOpensTheFileAndAsksForRestart()
    {
        start();
        action("actInit2")->trigger();
        QCOMPARE(prompts.take(),
                 (QList<TestPrompts::Shown>{
                     {"desktop", env->path("init.ini")},
                     {"information",
                      "In order to make changes on the configuration file valid, Fortavo se must be restarted."}}));
    }

    // --- rows

    void addsExerciseRows_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("cell");
        QTest::newRow("bodyweight") << "0000.00" << "BW";
        QTest::newRow("82.5") << "0082.50" << "82.5";
        QTest::newRow("100") << "0100.00" << "100";
    }
    void addsExerciseRows()
    {
        QFETCH(QString, mask);
        QFETCH(QString, cell);
        start();
        addExercise("Squat", 3, 10, mask);
        addExercise("Squat", 3, 10, mask);
        QCOMPARE(exercises()->gridRowCount(), 4);
        QCOMPARE(column(exercises(), 0), (QStringList{"1.", "2."}));
        QCOMPARE(exercises()->cells(2), (QStringList{"2.", "Squat", "", "3", "10", cell}));
        QCOMPARE(exercises()->cells(3), QStringList(6, QString()));
        // Saved and shown again, the cell reads the same.
        action("actSpremi")->trigger();
        window->ShowWorkout(0);
        QCOMPARE(exercises()->cell(1, 5), cell);
    }

    void addsCardioRows()
    {
        start();
        child<QComboBox>("cmbVrstaKardio")->setCurrentIndex(1);
        child<QTimeEdit>("dtpStartTime")->setTime(QTime(7, 15));
        child<QLineEdit>("mskTrajanje")->setText("0030");
        child<QSpinBox>("spnUdaljenost")->setValue(5000);
        child<QPushButton>("bitDodajKardio")->click();
        QCOMPARE(cardio()->cells(1), (QStringList{"1.", "Running", "07:15:00", "0.3", "5000", "0"}));
        action("actSpremi")->trigger();
        TrainingFile f;
        f.open(env->path("workouts.dat"));
        QCOMPARE(f.ReadRecord(0).Cardio.at(0).Duration, 0.3f);
    }

    void rowLimitsAreRefused()
    {
        start();
        for (int i = 0; i < 21; ++i)
            addExercise(QString::number(i), 1, 1, "0000.00");
        QCOMPARE(exercises()->entryCount(), 20);
        QCOMPARE(prompts.take(), (QList<TestPrompts::Shown>{{"warning", "A workout holds at most 20 exercise rows."}}));

        start();
        addExercise("Squat", 300, 1, "0000.00");
        QCOMPARE(exercises()->entryCount(), 0);
        QCOMPARE(prompts.texts("error").size(), 1);
        QVERIFY(prompts.take().at(0).text.contains("Number of sets"));
        child<QSpinBox>("spnUdaljenost")->setValue(70000);
        child<QPushButton>("bitDodajKardio")->click();
        QCOMPARE(cardio()->entryCount(), 0);
        QVERIFY(prompts.take().at(0).text.contains("Distance"));
    }

    void deletesRowsAndRenumbers()
    {
        start();
        addExercise("A", 1, 1, "0000.00");
        addExercise("B", 1, 1, "0000.00");
        addExercise("C", 1, 1, "0000.00");
        exercises()->setCurrentCell(1, 1); // grid row 2
        action("actObrisiRed")->trigger();
        QCOMPARE(column(exercises(), 0), (QStringList{"1.", "2."}));
        QCOMPARE(column(exercises(), 1), (QStringList{"A", "C"}));
        // Undo puts it back where it was.
        action("actUndo")->trigger();
        QCOMPARE(column(exercises(), 1), (QStringList{"A", "B", "C"}));
        QCOMPARE(column(exercises(), 0), (QStringList{"1.", "2.", "3."}));
        QCOMPARE(window->undoKind(), 0);
    }

    void deletingTheTrailingRowReportsAndKeepsTheUndo()
    {
        start();
        addExercise("A", 1, 1, "0000.00");
        addExercise("B", 1, 1, "0000.00");
        exercises()->setCurrentCell(0, 1);
        action("actObrisiRed")->trigger();
        exercises()->setCurrentCell(1, 1); // now the trailing row
        action("actObrisiRed")->trigger();
        QCOMPARE(prompts.take(), (QList<TestPrompts::Shown>{{"error", "'' is not a valid integer value"}}));
        QCOMPARE(exercises()->entryCount(), 1);
        action("actUndo")->trigger();
        QCOMPARE(column(exercises(), 1), (QStringList{"A", "B"}));
    }

    void cardioRowUndoBeyondTheGridGoesLast()
    {
        start();
        for (const char *type : {"1", "2", "3"}) {
            child<QComboBox>("cmbVrstaKardio")->setCurrentIndex(1);
            child<QPushButton>("bitDodajKardio")->click();
            Q_UNUSED(type);
        }
        cardio()->setCurrentCell(2, 1); // grid row 3
        action("actObrisiKardio")->trigger();
        action("actNovi")->trigger(); // the grid is empty now
        action("actUndo")->trigger();
        QCOMPARE(cardio()->entryCount(), 1);
        QCOMPARE(cardio()->cells(1), (QStringList{"1.", "Running", "00:00:00", "0", "0", "0"}));
    }

    void deleteKeysFollowTheLastClickedArea()
    {
        WorkoutRecord shown = workout(QDate(2009, 3, 2), "Chest");
        shown.Exercises.append({"Row", "Warmup", 3, 10, 0.0f});
        shown.Cardio.append({"Running", 0, 0.3f, 5000, 0});
        start(kIni, {shown});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const auto key = [this](const char *name) { return action(name)->shortcut(); };
        const auto clickCell = [](WorkoutGrid *grid, int row, int column) {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualItemRect(grid->item(row, column)).center());
        };
        const auto clickLine = [this](int line) {
            QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(line)).center());
        };
        const QKeySequence del(Qt::Key_Delete), ctrlDel(Qt::CTRL | Qt::Key_Delete), altDel(Qt::ALT | Qt::Key_Delete);
        QCOMPARE(key("actObrisi"), del);
        addExercise("A", 1, 1, "0000.00");
        clickCell(exercises(), 0, 2);
        QCOMPARE(key("actObrisiRed"), del);
        QCOMPARE(key("actObrisi"), ctrlDel);
        QCOMPARE(key("actObrisiKardio"), altDel);
        // The ribbon button keeps its caption and shows the key it has now.
        auto *deleteButton = child<QToolButton>("rbnactObrisi");
        QCOMPARE(deleteButton->text(), QStringLiteral("Delete\nworkout"));
        QCOMPARE(deleteButton->toolTip(), "Delete workout (" + ctrlDel.toString(QKeySequence::NativeText) + ")");
        clickCell(cardio(), 0, 1);
        QCOMPARE(key("actObrisiKardio"), del);
        QCOMPARE(key("actObrisiRed"), ctrlDel);
        QCOMPARE(key("actObrisi"), altDel);
        // A click on a workout line gives Del back to the workout.
        clickLine(0);
        QCOMPARE(key("actObrisi"), del);
        QCOMPARE(list()->toolTip(), list()->item(0)->text());
        // Showing that workout refills both grids; Del still deletes the workout.
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(exercises()->entryCount(), 1);
        QCOMPARE(key("actObrisi"), del);
        QCOMPARE(key("actObrisiRed"), ctrlDel);
        QCOMPARE(key("actObrisiKardio"), altDel);
        prompts.confirmAnswers << UserPrompts::Answer::No;
        QTest::keyClick(list(), Qt::Key_Delete);
        QCOMPARE(prompts.take(), (QList<TestPrompts::Shown>{{"confirm", "Do your want to delete selected workout?"}}));
        QCOMPARE(exercises()->entryCount(), 1);
    }

    void defaultAddButtonFollowsTheMouse()
    {
        start();
        QVERIFY(child<QPushButton>("bitDodaj")->isDefault());
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(child<QWidget>("grbKardio"), &enter);
        QVERIFY(child<QPushButton>("bitDodajKardio")->isDefault());
        QVERIFY(!child<QPushButton>("bitDodaj")->isDefault());
        QTest::keyClick(window, Qt::Key_Return);
        QCOMPARE(cardio()->entryCount(), 1);
        // Enter on an "Add" button that has the focus presses that button.
        auto *exerciseAdd = child<QPushButton>("bitDodaj");
        exerciseAdd->setFocus();
        QTest::keyClick(exerciseAdd, Qt::Key_Return);
        QCOMPARE(exercises()->entryCount(), 1);
        QCOMPARE(cardio()->entryCount(), 1);
    }

    void tabWalksTheFormInOrder()
    {
        start();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        list()->setFocus();
        // Tab steps through the sections of a date or time first.
        QStringList order;
        for (int i = 0; i < 40 && order.size() < 20; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const QString name = QApplication::focusWidget()->objectName();
            if (order.isEmpty() || order.last() != name)
                order << name;
        }
        QCOMPARE(order, (QStringList{"dtpDatum", "dtpVrijeme", "mskTrajanjeTrening", "cmbDioTijela", "cmbTipTreninga",
                                     "memKomentar", "cmbVrstaKardio", "dtpStartTime", "mskTrajanje", "spnUdaljenost",
                                     "spnKalorije", "bitDodajKardio", "stgKardio", "cmbVjezba", "cmbTipIzvodjenja",
                                     "spnSerija", "spnPonavljanja", "mskTezina", "bitDodaj", "stgVjezbe"}));
    }

    // --- workouts in the training file

    void saveAppendsThenOverwrites()
    {
        start();
        saveFormAs(QDate(2009, 3, 12), "Chest");
        saveFormAs(QDate(2009, 3, 12), "Back");
        QCOMPARE(storedBodyparts(), QStringList{"Back"});
        QCOMPARE(listLines(), QStringList{"12.3.2009 - Back ()"});
        QCOMPARE(list()->currentRow(), 0);
        action("actNovi")->trigger();
        QCOMPARE(window->currentRecordIndex(), 1);
        saveFormAs(QDate(2009, 3, 1), "Legs"); // an earlier day still goes last
        QCOMPARE(storedBodyparts(), (QStringList{"Back", "Legs"}));
    }

    void showsAStoredWorkout()
    {
        WorkoutRecord r = workout(QDate(2009, 3, 12), "Back", 1);
        r.StartTime = DayCount::fromTime(QTime(18, 30));
        r.Duration = 1.30f;
        r.Comment = "good";
        r.Exercises.append({"Row", "Warmup", 3, 10, 0.0f});
        start(kIni, {workout(QDate(2009, 3, 9), "Chest"), r});
        selectLine(list()->count() - 1);
        action("mniOpenTraining")->trigger();
        QCOMPARE(window->currentRecordIndex(), 1);
        QCOMPARE(child<QDateEdit>("dtpDatum")->date(), QDate(2009, 3, 12));
        QCOMPARE(child<QTimeEdit>("dtpVrijeme")->time(), QTime(18, 30));
        QCOMPARE(child<QLineEdit>("mskTrajanjeTrening")->text(), QStringLiteral("01:30"));
        QCOMPARE(child<QComboBox>("cmbDioTijela")->currentText(), QStringLiteral("Back"));
        QCOMPARE(child<QComboBox>("cmbTipTreninga")->currentIndex(), 1);
        QCOMPARE(exercises()->cells(1), (QStringList{"1.", "Row", "Warmup", "3", "10", "BW"}));
        // Saved unchanged, the record reads back the same.
        action("actSpremi")->trigger();
        TrainingFile f;
        f.open(env->path("workouts.dat"));
        const WorkoutRecord back = f.ReadRecord(1);
        QCOMPARE(back.Exercises, r.Exercises);
        QCOMPARE(back.Comment, r.Comment);
        QCOMPARE(back.Duration, r.Duration);
    }

    void bodypartOfAShownWorkout_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("mainForm");
        QTest::addColumn<QString>("secondWindow");
        QTest::newRow("in the list") << "Legs" << "Legs" << "Legs";
        QTest::newRow("none chosen") << "" << "" << "";
        QTest::newRow("not in the list") << "Calves" << "Back" << "";
    }
    void bodypartOfAShownWorkout()
    {
        QFETCH(QString, stored);
        QFETCH(QString, mainForm);
        QFETCH(QString, secondWindow);
        start(kIni, {workout(QDate(2009, 3, 2), "Back"), workout(QDate(2009, 3, 3), stored)});
        TfrmDrugiProzor &second = windows->secondWindow();
        for (int record : {0, 1}) {
            selectLine(record);
            action("mniOpenTraining")->trigger();
            action("mniSecondWindow")->trigger();
        }
        QCOMPARE(child<QComboBox>("cmbDioTijela")->currentText(), mainForm);
        QCOMPARE(second.controls.cmbDioTijela->currentText(), secondWindow);
        // Saved as shown, a workout with no body part keeps none.
        action("actSpremi")->trigger();
        if (stored.isEmpty())
            QCOMPARE(storedBodyparts(), (QStringList{"Back", ""}));
    }

    void listMenuAndKeys()
    {
        start(kIni, {workout(QDate(2009, 3, 2), "Chest"), workout(QDate(2009, 3, 3), "Back")});
        auto *menu = child<QMenu>("pmnLista");
        QStringList items;
        for (QAction *a : menu->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(items, (QStringList{"&View", "Vie&w in second window", "-", "C&ut", "&Copy", "&Paste", "-", "&Delete",
                                     "&Undo deletion"}));
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        list()->setFocus();
        // A right click selects the line under the pointer before the menu opens.
        QTest::mouseClick(list()->viewport(), Qt::RightButton, {}, list()->visualItemRect(list()->item(1)).center());
        menu->hide();
        QCOMPARE(list()->currentRow(), 1);
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(window->currentRecordIndex(), 1);
        QCOMPARE(child<QComboBox>("cmbDioTijela")->currentText(), QStringLiteral("Back"));
        // A press below the last line selects nothing.
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, QPoint(5, list()->viewport()->height() - 3));
        QCOMPARE(list()->selectedItems().size(), 0);
    }

    void separatorLinesDoNothing()
    {
        start(kIni, {workout(QDate(2009, 3, 8), "Chest"), workout(QDate(2009, 3, 14), "Back")});
        QCOMPARE(listLines().at(1), WorkoutList::Separator);
        selectLine(1);
        action("mniOpenTraining")->trigger();
        action("actObrisi")->trigger(); // no question asked
        QCOMPARE(window->currentRecordIndex(), 2);
        QCOMPARE(storedBodyparts().size(), 2);
    }

    void deletesAndUndoes_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("deleted");
        QTest::newRow("the only record") << 1 << 0;
        QTest::newRow("the last record") << 3 << 2;
        QTest::newRow("record 300 of 400") << 400 << 300;
    }
    void deletesAndUndoes()
    {
        QFETCH(int, count);
        QFETCH(int, deleted);
        QList<WorkoutRecord> records;
        for (int i = 0; i < count; ++i)
            records << workout(QDate(2009, 3, 2).addDays(7 * i), QStringLiteral("B%1").arg(i));
        start(kIni, records);
        const QStringList before = storedBodyparts();
        selectLine(WorkoutList::lineOfRecord(listLines(), deleted));
        prompts.confirmAnswers << UserPrompts::Answer::Yes;
        action("actObrisi")->trigger();
        QCOMPARE(prompts.take().at(0), (TestPrompts::Shown{"confirm", "Do your want to delete selected workout?"}));
        QCOMPARE(storedBodyparts().size(), count - 1);
        QCOMPARE(list()->count(), count - 1);
        QCOMPARE(window->currentRecordIndex(), count - 1);
        QVERIFY(action("mniUndo")->isEnabled());
        action("actUndo")->trigger();
        QCOMPARE(storedBodyparts(), before);
        QVERIFY(!action("mniUndo")->isEnabled());
        // The save position still designates the new workout at the end.
        QCOMPARE(window->currentRecordIndex(), count);
        action("actUndo")->trigger();
        QCOMPARE(prompts.take(), (QList<TestPrompts::Shown>{{"message", "There is no deletion to undo."}}));
    }

    void answeringNoDeletesNothing()
    {
        start(kIni, {workout(QDate(2009, 3, 2), "Chest")});
        selectLine(0);
        prompts.confirmAnswers << UserPrompts::Answer::No;
        action("actObrisi")->trigger();
        QCOMPARE(storedBodyparts(), QStringList{"Chest"});
    }

    void undoAfterOpeningAnotherFileIsRefused()
    {
        start(kIni, {workout(QDate(2009, 3, 2), "Chest")});
        selectLine(0);
        prompts.confirmAnswers << UserPrompts::Answer::Yes;
        action("actObrisi")->trigger();
        prompts.fileAnswers << env->path("other.dat");
        action("actNoviTrening")->trigger();
        QCOMPARE(window->trainingFileName(), env->path("other.dat"));
        prompts.take();
        action("actUndo")->trigger();
        QCOMPARE(prompts.take(), (QList<TestPrompts::Shown>{{"message", "There is no deletion to undo."}}));
        QCOMPARE(storedBodyparts("other.dat"), QStringList());
    }

    void newTrainingFileGoesBesideTheProgram()
    {
        start(kIni, {workout(QDate(2009, 3, 2), "Chest")});
        QFile::copy(env->path("workouts.dat"), env->path("existing.dat"));
        prompts.fileAnswers << QStringLiteral("/somewhere/else/existing.dat");
        action("actNoviTrening")->trigger();
        QCOMPARE(prompts.fileDialogs.at(0).title, QStringLiteral("New traning file"));
        QCOMPARE(window->trainingFileName(), env->path("existing.dat"));
        QCOMPARE(listLines(), QStringList{"2.3.2009 - Chest (Heavy)"});
    }

    void olderLayoutIsDetected()
    {
        start();
        env->writeFile("old.dat", QByteArray(2032 * 3, '\0'));
        prompts.fileAnswers << env->path("old.dat");
        action("actOtvoriTrening")->trigger();
        QCOMPARE(prompts.texts("warning").size(), 1);
        QVERIFY(prompts.take().last().text.contains("\"Format converter\""));
    }

    void damagedRecordsAreReported()
    {
        QByteArray damaged = workout(QDate(2009, 3, 3), "Back").encode();
        damaged[2684] = char(60); // exercise count far beyond the 20 slots
        QByteArray bytes = workout(QDate(2009, 3, 2), "Chest").encode() + damaged;
        start();
        env->writeFile("bad.dat", bytes);
        prompts.fileAnswers << env->path("bad.dat");
        action("actOtvoriTrening")->trigger();
        QCOMPARE(prompts.texts("warning").size(), 1);
        QVERIFY(prompts.texts("warning").at(0).startsWith("1 workout(s) of \"bad.dat\" claim more than 20"));
        prompts.take();
        QCOMPARE(listLines().size(), 2);
        selectLine(1);
        action("mniOpenTraining")->trigger();
        QCOMPARE(exercises()->entryCount(), 20);
    }

    void closeWritesPositionAndTrainingFile()
    {
        start();
        env->writeFile("second.dat", QByteArray());
        prompts.fileAnswers << env->path("second.dat");
        action("actOtvoriTrening")->trigger();
        window->move(120, 130);
        window->close();
        IniFile ini(env->path("init.ini"));
        QCOMPARE(ini.readString("Program", "Training_file", ""), env->path("second.dat"));
        QCOMPARE(ini.readInteger("Program", "Left", 0), window->x());
        QCOMPARE(ini.readInteger("Program", "Top", 0), window->y());
        QCOMPARE(ini.readString("Lists", "Type_cardio", ""), QStringLiteral(",Running,Cycling"));
    }

    // --- copy, cut and paste

    void pasteWithNothingCopied()
    {
        start();
        action("bitPaste")->trigger();
        QCOMPARE(prompts.take(), (QList<TestPrompts::Shown>{{"error", "Clipboard is empty."}}));
    }

    void copyAcrossFiles()
    {
        start(kIni, {workout(QDate(2009, 3, 12), "Back")});
        selectLine(0);
        action("mniOpenTraining")->trigger();
        addExercise("Row", 3, 8, "0050.00");
        action("bitCopy")->trigger();
        prompts.fileAnswers << env->path("other.dat");
        action("actNoviTrening")->trigger();
        action("actNovi")->trigger();
        action("bitPaste")->trigger();
        action("actSpremi")->trigger();
        TrainingFile other;
        other.open(env->path("other.dat"));
        QCOMPARE(other.RecordCount(), 1);
        QCOMPARE(other.ReadRecord(0).Bodypart, QStringLiteral("Back"));
        QCOMPARE(other.ReadRecord(0).Exercises.at(0).Weight, 50.0f);
    }

    void pasteOfEmptyGridsClearsRows()
    {
        start();
        action("bitCopy")->trigger();
        addExercise("Row", 3, 8, "0050.00");
        action("bitPaste")->trigger();
        QCOMPARE(exercises()->gridRowCount(), 2);
        QCOMPARE(cardio()->gridRowCount(), 2);
    }

    void cutTakesTheFormAndDeletesTheSelection()
    {
        start(kIni, {workout(QDate(2009, 3, 2), "Chest"), workout(QDate(2009, 3, 3), "Back")});
        selectLine(0);
        action("mniOpenTraining")->trigger(); // the form holds Chest
        selectLine(1);                        // the list selects Back
        prompts.confirmAnswers << UserPrompts::Answer::Yes;
        action("bitCut")->trigger();
        QCOMPARE(storedBodyparts(), QStringList{"Chest"});
        action("bitPaste")->trigger();
        QCOMPARE(child<QComboBox>("cmbDioTijela")->currentText(), QStringLiteral("Chest"));
    }

    // --- commands of the other parts, reached through the ribbon

    void analysisCommandsWorkOnTheSelection()
    {
        start(kIni, {workout(QDate(2009, 3, 2), "Chest"), workout(QDate(2009, 3, 3), "Back")});
        action("actStatistikaTjedna")->trigger();
        QCOMPARE(prompts.take(), (QList<TestPrompts::Shown>{{"error", "You have not selected a workout!"}}));
        selectLine(1);
        action("actStatistikaTjedna")->trigger();
        const QList<TestPrompts::Shown> shown = prompts.take();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).kind, QStringLiteral("information"));
        QVERIFY(!shown.at(0).text.isEmpty());
    }

    void exerciseListFillsTheExerciseChoice()
    {
        start(kIni, {}, CatalogExercise{"Squat", "Legs", ""}.encode() + CatalogExercise{"Bench press", "Chest", ""}.encode());
        auto *choice = child<QComboBox>("cmbVjezba");
        QCOMPARE(choice->count(), 2);
        QCOMPARE(choice->itemText(0), QStringLiteral("Bench press"));
    }

    void ownerWiresTheOtherWindows()
    {
        start();
        // The exercise list's command sits in its own group, between the main window's
        // groups, and its menu item before the help items.
        auto *page = child<QToolButton>("rbnactVjezbe")->parentWidget()->parentWidget();
        QStringList inOrder;
        for (int i = 0; i < page->layout()->count(); ++i)
            if (auto *group = qobject_cast<QGroupBox *>(page->layout()->itemAt(i)->widget()))
                inOrder << group->title();
        QCOMPARE(inOrder, (QStringList{"Files", "Workouts", "Editing", "Exercise list", "Goals"}));
        QStringList items;
        for (QAction *a : child<QMenu>("mnuApplication")->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text().section(QLatin1Char('\t'), 0, 0));
        QCOMPARE(items, (QStringList{"New &training file", "&New", "New &workout", "&Save workout", "&Exercises list",
                                     "&Goals", "&Progress", "S&cript editor", "-", "Help", "E&xit Fortavo"}));
        QCOMPARE(action("actSkriptEditor")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_R));
        QCOMPARE(action("actVjezbe")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
        // The goals window waits hidden; its command shows it, not modally.
        QCOMPARE(action("actCiljevi")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
        QVERIFY(!windows->goalsWindow().isVisible());
        action("actCiljevi")->trigger();
        QVERIFY(windows->goalsWindow().isVisible());
        QVERIFY(!windows->goalsWindow().isModal());
        QCOMPARE(windows->goalsWindow().goalsFileName(), env->path("goals.dat"));
        // The script editor too waits hidden and is shown not modally.
        QVERIFY(!windows->scriptEditor().isVisible());
        action("actSkriptEditor")->trigger();
        QVERIFY(windows->scriptEditor().isVisible());
        QVERIFY(!windows->scriptEditor().isModal());
        windows->scriptEditor().hide();
        // The second window waits hidden for its first view.
        QVERIFY(!windows->secondWindow().isVisible());
    }

    void importsAndExportsCsv()
    {
        start();
        env->writeFile("in.csv", "Date,Exercise,Weight (kgs),Reps\n2021-09-09,Squat,100,5\n2021-09-09,Squat,100,5\n");
        bool previewed = false;
        windows->setImportConfirmation([&](const CsvImport::Plan &plan) {
            previewed = plan.toAdd.size() == 1;
            return false; // Cancel writes nothing
        });
        prompts.fileAnswers.enqueue(env->path("in.csv"));
        action("actImportCsv")->trigger();
        QVERIFY(previewed);
        QCOMPARE(env->readFile("workouts.dat").size(), 0);

        windows->setImportConfirmation([](const CsvImport::Plan &) { return true; });
        prompts.fileAnswers.enqueue(env->path("in.csv"));
        action("actImportCsv")->trigger();
        QCOMPARE(prompts.texts("information"), QStringList{"1 workouts were imported."});
        QCOMPARE(list()->count(), 1); // the imported workout
        QVERIFY(windows->exerciseWindow().exerciseNames().contains("Squat"));
        QVERIFY(child<QComboBox>("cmbVjezba")->findText("Squat") >= 0);

        prompts.fileAnswers.enqueue(env->path("out.csv"));
        action("actExportCsv")->trigger();
        QVERIFY(env->readFile("out.csv").contains(",exercise,Squat,,2,5,100,"));
        QVERIFY(prompts.texts("error").isEmpty());
    }

    void runsScriptsKeepingTheirValues()
    {
        start();
        env->writeFile("first.fvs", "var n\nn=41\n");
        env->writeFile("second.fvs", "var n\nn=n+1\noutput(n)\nx=1/0\n");
        prompts.fileAnswers << env->path("first.fvs") << env->path("second.fvs");
        action("actSkripta")->trigger();
        action("actSkripta")->trigger();
        const QList<TestPrompts::Shown> shown = prompts.take();
        QCOMPARE(shown.at(0), (TestPrompts::Shown{"open", "Open script file"}));
        QCOMPARE(shown.at(2), (TestPrompts::Shown{"message", "42"}));
        QCOMPARE(shown.at(3).kind, QStringLiteral("error"));
        QVERIFY2(shown.at(3).text.contains("line 4"), qPrintable(shown.at(3).text));
        QCOMPARE(prompts.fileDialogs.at(0).filter, QStringLiteral("Fortavo scripts (*.fvs)|*.fvs"));
    }

    // --- second window

    void secondWindowViewsWithoutChangingTheSavePosition()
    {
        start(kIni, {workout(QDate(2009, 3, 2), "Chest", 1), workout(QDate(2009, 3, 3), "Back", 2)});
        TfrmDrugiProzor &second = windows->secondWindow();
        selectLine(0);
        action("mniOpenTraining")->trigger(); // A in the form
        selectLine(1);
        action("mniSecondWindow")->trigger(); // B in the second window
        QVERIFY(second.isVisible());
        QCOMPARE(second.windowTitle(), listLines().at(1));
        QCOMPARE(second.controls.cmbDioTijela->currentText(), QStringLiteral("Back"));
        QCOMPARE(second.controls.cmbTipTreninga->currentText(), QStringLiteral("Heavy"));
        child<QLineEdit>("mskTrajanjeTrening")->setText("0200");
        action("actSpremi")->trigger();
        TrainingFile f;
        f.open(env->path("workouts.dat"));
        QCOMPARE(f.ReadRecord(0).Duration, 2.0f);
        QCOMPARE(f.ReadRecord(1).Duration, 0.0f);
    }

    void secondWindowShowsEveryColumnAndTakesNoInput()
    {
        WorkoutRecord r = workout(QDate(2009, 3, 2), "Chest");
        r.Comment = "easy";
        r.Exercises.append({"Bench press", "Working set", 3, 10, 82.5f});
        start(kIni, {r});
        TfrmDrugiProzor &second = windows->secondWindow();
        selectLine(0);
        action("mniSecondWindow")->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(&second));
        for (WorkoutGrid *grid : {second.controls.stgKardio, second.controls.stgVjezbe})
            QVERIFY2(grid->viewport()->width() >= grid->horizontalHeader()->length(), qPrintable(grid->objectName()));
        QTest::keyClicks(second.controls.memKomentar, "x");
        QTest::keyClicks(second.controls.mskTrajanjeTrening, "12");
        QTest::keyClick(second.controls.dtpDatum, Qt::Key_Up);
        QCOMPARE(second.controls.memKomentar->toPlainText(), QStringLiteral("easy"));
        QCOMPARE(second.controls.mskTrajanjeTrening->text(), QStringLiteral("00:00"));
        QCOMPARE(second.controls.dtpDatum->date(), QDate(2009, 3, 2));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
