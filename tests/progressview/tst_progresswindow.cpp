#include "app/Main.h"
#include "app/ProgramWindows.h"
#include "chart/Chart.h"
#include "common/CommandRegistry.h"
#include "progressview/ChartView.h"
#include "progressview/Napredak.h"
#include "store/WorkoutList.h"
#include "support/TestEnvironment.h"
#include "support/TestPrompts.h"
#include "support/WorkoutBuilder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

using WorkoutBuilder::exercise;
using Rows = QList<ExerciseEntry>;
Q_DECLARE_METATYPE(Rows)

namespace {
const QByteArray kIni = "[Lists]\nBodypart=,Chest,Back,Legs\nType_cardio=,Running\n"
                        "Type_training=,Light,Heavy\nType_execution=,Warmup,Working set\n"
                        "[Program]\nTop=100\nLeft=50\nTraining_file=workouts.dat\n";

WorkoutRecord workout(const QDate &day, const QList<ExerciseEntry> &rows)
{
    return WorkoutBuilder::workout(day, QStringLiteral("Chest"), 1, rows);
}

// Values whose texts sort otherwise than their numbers: expected 1RM 30.00, 112.50,
// 8.00 (the estimate: weight × 36 / (37 − reps)) and dates 12.3.2023, 5.1.2024, 20.2.2024.
const QList<WorkoutRecord> kRecords = {
    workout(QDate(2023, 3, 12), {exercise("Squat", 1, 1, 30)}),
    workout(QDate(2024, 1, 5), {exercise("Bench press", 1, 5, 100)}),
    workout(QDate(2024, 2, 20), {exercise("Curl", 1, 1, 8), exercise("Pull-ups", 3, 12, 0)}),
};
}

class TestProgressWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    TestPrompts prompts;
    std::unique_ptr<ProgramWindows> windows;

    TfrmMain &main() const { return windows->mainWindow(); }
    TfrmNapredak &progress() const { return windows->progressWindow(); }

    void start(const QList<WorkoutRecord> &records)
    {
        windows.reset();
        env = std::make_unique<TestEnvironment>();
        prompts = TestPrompts();
        env->writeFile("license.txt", "MIT License\n");
        env->writeFile("init.ini", kIni);
        env->writeFile("workouts.dat", WorkoutBuilder::fileBytes(records));
        windows = std::make_unique<ProgramWindows>(prompts);
        windows->startUp();
        main().show();
    }
    void openProgress()
    {
        main().commands().action(QStringLiteral("actNapredak"))->trigger();
        QVERIFY(progress().isVisible());
        // The collection runs once the command has ended.
        QTRY_VERIFY(progress().stgRekordi->rowCount() > 0);
    }
    QStringList column(int c) const
    {
        QStringList cells;
        for (int row = 0; row < progress().stgRekordi->rowCount(); ++row)
            cells << progress().stgRekordi->item(row, c)->text();
        return cells;
    }
    int shownRecord() const
    {
        auto *list = main().findChild<QListWidget *>(QStringLiteral("lstProsliTreninzi"));
        const QList<QListWidgetItem *> selected = list->selectedItems();
        if (selected.size() != 1)
            return -2;
        QStringList lines;
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return WorkoutList::RecordNumberOfItem(lines, list->row(selected.first()));
    }
    QDate shownDate() const { return main().findChild<QDateEdit *>(QStringLiteral("dtpDatum"))->date(); }
    QString statusText() const { return main().statusBar()->currentMessage(); }

private slots:
    void cleanup()
    {
        windows.reset();
        QVERIFY(prompts.take().isEmpty());
    }

    void progressCommandSitsInTrainingAnalysisAndOpensTheWindow()
    {
        start(kRecords);
        QAction *command = main().commands().action(QStringLiteral("actNapredak"));
        QVERIFY(command);
        QCOMPARE(command->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        auto *button = main().findChild<QToolButton *>(QStringLiteral("rbnactNapredak"));
        QVERIFY(button);
        QCOMPARE(button->defaultAction(), command);
        QCOMPARE(button->text(), QStringLiteral("Progress"));
        auto *group = qobject_cast<QGroupBox *>(button->parentWidget());
        QVERIFY(group);
        QCOMPARE(group->title(), QStringLiteral("Training analysis"));
        QVERIFY(!progress().isVisible());
        button->click();
        QVERIFY(progress().isVisible());
        QVERIFY(!progress().isModal());
        QCOMPARE(progress().windowTitle(), QStringLiteral("Progress"));
        QTRY_COMPARE(progress().stgRekordi->rowCount(), 4);
    }

    void recordsTableFillsAndSortsByNumbersAndDates_data()
    {
        QTest::addColumn<int>("sortColumn");
        QTest::addColumn<int>("order");
        QTest::addColumn<QStringList>("names");
        const QStringList byName = {"Bench press", "Curl", "Pull-ups", "Squat"};
        QTest::newRow("name") << 0 << int(Qt::AscendingOrder) << byName;
        QTest::newRow("expected 1RM up, empty first") << 1 << int(Qt::AscendingOrder)
                                                      << QStringList{"Pull-ups", "Curl", "Squat", "Bench press"};
        QTest::newRow("expected 1RM down") << 1 << int(Qt::DescendingOrder)
                                           << QStringList{"Bench press", "Squat", "Curl", "Pull-ups"};
        QTest::newRow("date of the 1RM") << 2 << int(Qt::AscendingOrder)
                                         << QStringList{"Pull-ups", "Squat", "Bench press", "Curl"};
        QTest::newRow("heaviest weight") << 4 << int(Qt::DescendingOrder)
                                         << QStringList{"Bench press", "Squat", "Curl", "Pull-ups"};
        QTest::newRow("best volume") << 9 << int(Qt::AscendingOrder)
                                     << QStringList{"Pull-ups", "Curl", "Squat", "Bench press"};
    }
    void recordsTableFillsAndSortsByNumbersAndDates()
    {
        QFETCH(int, sortColumn);
        QFETCH(int, order);
        QFETCH(QStringList, names);
        start(kRecords);
        openProgress();
        QTableWidget *table = progress().stgRekordi;
        QCOMPARE(table->rowCount(), 4);
        const int bench = int(column(0).indexOf(QStringLiteral("Bench press")));
        QVERIFY(bench >= 0);
        QStringList benchRow;
        for (int c = 0; c < table->columnCount(); ++c)
            benchRow << table->item(bench, c)->text();
        QCOMPARE(benchRow, (QStringList{"Bench press", "112.50", "5.1.2024", "100 × 5", "100", "5", "5.1.2024", "", "",
                                        "500.00", "5.1.2024"}));
        table->sortByColumn(sortColumn, Qt::SortOrder(order));
        QCOMPARE(column(0), names);
    }

    void doubleClickOnARecordShowsItsWorkout_data()
    {
        QTest::addColumn<QString>("exercise");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("record");
        QTest::addColumn<QDate>("date");
        QTest::newRow("name of Squat") << "Squat" << 0 << 0 << QDate(2023, 3, 12);
        QTest::newRow("1RM date of Bench press") << "Bench press" << 2 << 1 << QDate(2024, 1, 5);
        QTest::newRow("reps at body weight") << "Pull-ups" << 7 << 2 << QDate(2024, 2, 20);
    }
    void doubleClickOnARecordShowsItsWorkout()
    {
        QFETCH(QString, exercise);
        QFETCH(int, column);
        QFETCH(int, record);
        QFETCH(QDate, date);
        // A later workout is shown first, so the double click has something to change.
        start(kRecords + QList<WorkoutRecord>{workout(QDate(2024, 6, 1), {})});
        main().showRecord(3);
        openProgress();
        progress().tabStranice->setCurrentIndex(2);
        QTableWidget *table = progress().stgRekordi;
        const int row = int(this->column(0).indexOf(exercise));
        QVERIFY(row >= 0);
        const QPoint at = table->visualItemRect(table->item(row, column)).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(shownRecord(), record);
        QCOMPARE(shownDate(), date);
    }

    void exerciseChartHoverAndDoubleClick()
    {
        start({workout(QDate(2024, 1, 5), {exercise("Bench press", 1, 5, 100)}),
               workout(QDate(2024, 4, 5), {exercise("Bench press", 3, 10, 80), exercise("Bench press", 1, 1, 110)}),
               workout(QDate(2024, 4, 9), {exercise("Squat", 1, 1, 50)})});
        openProgress();
        TfrmNapredak &w = progress();
        // At first the exercise done last.
        QCOMPARE(w.cmbVjezba->currentText(), QStringLiteral("Squat"));
        w.cmbVjezba->setCurrentText(QStringLiteral("Bench press"));
        // Expected 1RM: 100 × 36 / 32 = 112.5; best of the second: 110 × 1 → 110.
        const auto points = [&w] { return w.grfVjezba->chart().lines.value(0).points; };
        const double jan5 = DayCount::fromDate(QDate(2024, 1, 5)), apr5 = DayCount::fromDate(QDate(2024, 4, 5));
        QCOMPARE(points(), (QList<QPointF>{{jan5, 112.5}, {apr5, 110}}));
        w.rbtTezina->setChecked(true);
        QCOMPARE(points(), (QList<QPointF>{{jan5, 100}, {apr5, 110}}));
        w.rbtVolumen->setChecked(true); // 3 × 10 × 80 + 110
        QCOMPARE(points(), (QList<QPointF>{{jan5, 500}, {apr5, 2510}}));

        // Hovering the second point names its date and value; a double click shows it.
        ChartView *chart = w.grfVjezba;
        const Chart::Layout layout = Chart::layout(chart->chart(), QRectF(chart->rect()));
        const QPoint second = layout.map(apr5, 2510).toPoint();
        QCOMPARE(chart->pointTextAt(second), QStringLiteral("5.4.2024\nVolume: 2510.00"));
        QCOMPARE(chart->pointTextAt(second + QPoint(0, 30)), QString());
        QTest::mouseClick(chart, Qt::LeftButton, {}, second);
        QTest::mouseDClick(chart, Qt::LeftButton, {}, second);
        QCOMPARE(shownRecord(), 1);
        QCOMPARE(shownDate(), QDate(2024, 4, 5));
    }

    void periodChartStacksBodypartsPerWeekWithALine()
    {
        const auto timed = [](const QDate &day, const QString &bodypart, float duration, const ExerciseEntry &row) {
            WorkoutRecord r = WorkoutBuilder::workout(day, bodypart, 1, {row});
            r.Duration = duration;
            return r;
        };
        // Week of 1.1.2024: Chest 1 × 10 × 50, Back 2 × 10 × 40, 1:30 + 0:45; no workout in
        // the week of 8.1.; week of 15.1.: Chest 1 × 5 × 100, 1:00.
        start({timed(QDate(2024, 1, 1), "Chest", 1.30f, exercise("Bench press", 1, 10, 50)),
               timed(QDate(2024, 1, 3), "Back", 0.45f, exercise("Barbell row", 2, 10, 40)),
               timed(QDate(2024, 1, 17), "Chest", 1.00f, exercise("Bench press", 1, 5, 100))});
        openProgress();
        TfrmNapredak &w = progress();
        const double jan1 = DayCount::fromDate(QDate(2024, 1, 1));
        const Chart::Spec &spec = w.grfPeriod->chart();
        QCOMPARE(spec.bars.x, (QList<double>{jan1, jan1 + 7, jan1 + 14}));
        QCOMPARE(spec.bars.stacks.size(), 2);
        QCOMPARE(spec.bars.stacks.at(0).name, QStringLiteral("Chest"));
        QCOMPARE(spec.bars.stacks.at(0).values, (QList<double>{500, 0, 500}));
        QCOMPARE(spec.bars.stacks.at(1).name, QStringLiteral("Back"));
        QCOMPARE(spec.bars.stacks.at(1).values, (QList<double>{800, 0, 0}));
        QCOMPARE(spec.lines.value(0).points,
                 (QList<QPointF>{{jan1 + 3.5, 2}, {jan1 + 10.5, 0}, {jan1 + 17.5, 1}}));
        w.rbtTrajanje->setChecked(true);
        QCOMPARE(w.grfPeriod->chart().lines.value(0).points,
                 (QList<QPointF>{{jan1 + 3.5, 2.25}, {jan1 + 10.5, 0}, {jan1 + 17.5, 1}}));
        ChartView *chart = w.grfPeriod;
        const QPoint first = Chart::layout(chart->chart(), QRectF(chart->rect())).map(jan1 + 3.5, 2.25, true).toPoint();
        QCOMPARE(chart->pointTextAt(first),
                 QStringLiteral("Week of 1.1.2024\nVolume: 1300.00\nWorkouts: 2\nTraining time: 2:15"));
    }

    void chartCopiesAndSavesAsPng()
    {
        start(kRecords);
        openProgress();
        TfrmNapredak &w = progress();
        const QSize size = w.grfVjezba->size();
        QApplication::clipboard()->clear();
        w.commands().action(QStringLiteral("actKopirajGraf"))->trigger();
        QCOMPARE(QApplication::clipboard()->image().size(), size);

        const QString path = env->path("chart.png");
        prompts.fileAnswers.enqueue(path);
        w.commands().action(QStringLiteral("actSpremiGraf"))->trigger();
        QImage saved;
        QVERIFY(saved.load(path, "PNG"));
        QCOMPARE(saved.size(), size);
        // A folder that does not exist: the error names the file, nothing is written.
        const QString missing = env->path("no such folder/chart.png");
        prompts.fileAnswers.enqueue(missing);
        w.commands().action(QStringLiteral("actSpremiGraf"))->trigger();
        const QStringList errors = prompts.texts(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(missing), qPrintable(errors.first()));
        QVERIFY(!QFile::exists(missing));
        prompts.take();
        // The records page has no chart to copy.
        w.tabStranice->setCurrentIndex(2);
        QVERIFY(!w.commands().action(QStringLiteral("actKopirajGraf"))->isEnabled());
    }

    void savedWorkoutRefreshesTheShownWindow()
    {
        start(kRecords);
        openProgress();
        QCOMPARE(progress().stgRekordi->rowCount(), 4);
        main().commands().action(QStringLiteral("actNovi"))->trigger();
        auto *name = main().findChild<QComboBox *>(QStringLiteral("cmbVjezba"));
        name->setEditText(QStringLiteral("Dips"));
        main().findChild<QSpinBox *>(QStringLiteral("spnSerija"))->setValue(3);
        main().findChild<QSpinBox *>(QStringLiteral("spnPonavljanja"))->setValue(10);
        main().findChild<QLineEdit *>(QStringLiteral("mskTezina"))->setText(QStringLiteral("20"));
        main().findChild<QPushButton *>(QStringLiteral("bitDodaj"))->click();
        main().commands().action(QStringLiteral("actSpremi"))->trigger();
        QTRY_COMPARE(progress().stgRekordi->rowCount(), 5);
        QVERIFY(column(0).contains(QStringLiteral("Dips")));
    }

    void newRecordLineAfterASave_data()
    {
        QTest::addColumn<Rows>("saved");
        QTest::addColumn<QString>("line");
        // Earlier: Bench press 100 × 5, expected 1RM 100 × 36 / 32 = 112.50.
        QTest::newRow("first workout of an exercise") << Rows{exercise("Squat", 1, 5, 100)} << QString();
        QTest::newRow("only equal") << Rows{exercise("Bench press", 2, 5, 100)} << QString();
        QTest::newRow("expected 1RM") << Rows{exercise("Bench press", 1, 6, 100)}
                                      << "New record: Bench press, expected 1RM 116.13 kg/lbs (100 × 6)";
        QTest::newRow("heaviest weight") << Rows{exercise("Bench press", 1, 1, 105)}
                                         << "New record: Bench press, heaviest weight 105.00 kg/lbs (105 × 1)";
        QTest::newRow("both") << Rows{exercise("Bench press", 1, 3, 110)}
                              << "New record: Bench press, expected 1RM 116.47 kg/lbs (110 × 3), heaviest weight "
                                 "110.00 kg/lbs (110 × 3)";
    }
    void newRecordLineAfterASave()
    {
        QFETCH(Rows, saved);
        QFETCH(QString, line);
        start({workout(QDate(2024, 1, 5), {exercise("Bench press", 1, 5, 100)}), workout(QDate(2024, 1, 8), saved)});
        main().showRecord(1);
        // A word left from an earlier save goes with the next one.
        main().statusBar()->showMessage(QStringLiteral("earlier"));
        main().commands().action(QStringLiteral("actSpremi"))->trigger();
        QCOMPARE(statusText(), line);
        QVERIFY(prompts.take().isEmpty());
    }
};

QTEST_MAIN(TestProgressWindow)
#include "tst_progresswindow.moc"
