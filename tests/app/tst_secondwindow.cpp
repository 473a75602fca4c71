#include "app/Main.h"
#include "app/ProgramWindows.h"
#include "common/DayCount.h"
#include "editing/DrugiProzor.h"
#include "editing/WorkoutGrid.h"
#include "support/TestEnvironment.h"
#include "support/TestPrompts.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>

#include <memory>

namespace {
const QByteArray kIni = "[Lists]\nBodypart=,Chest,Back\nType_training=,Light,Heavy\n"
                        "[Program]\nTraining_file=workouts.dat\n";
}

// Where the second window stands and what it and the main window's grid show.
class TestSecondWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> env;
    TestPrompts prompts;
    std::unique_ptr<ProgramWindows> windows;

    void start(const QList<WorkoutRecord> &records)
    {
        env = std::make_unique<TestEnvironment>();
        env->writeFile("init.ini", kIni);
        env->writeFile("license.txt", "Licence");
        QByteArray bytes;
        for (const WorkoutRecord &r : records)
            bytes += r.encode();
        env->writeFile("workouts.dat", bytes);
        windows = std::make_unique<ProgramWindows>(prompts);
        windows->startUp();
    }

private slots:
    void cleanup()
    {
        windows.reset();
        QCOMPARE(prompts.texts("error"), QStringList());
    }

    void secondWindowIsAWindowOfItsOwn()
    {
        WorkoutRecord r;
        r.Date = DayCount::fromDate(QDate(2009, 3, 12));
        r.Bodypart = QStringLiteral("Back");
        r.TrainingType = 2;
        const QString longName = QString(50, QLatin1Char('W'));
        r.Exercises.append({longName, QStringLiteral("Warmup"), 3, 10, 82.5f});
        start({r});
        TfrmMain &main = windows->mainWindow();
        main.show();
        auto *list = main.findChild<QListWidget *>(QStringLiteral("lstProsliTreninzi"));
        list->setCurrentRow(0);
        main.findChild<QAction *>(QStringLiteral("mniSecondWindow"))->trigger();

        TfrmDrugiProzor &second = windows->secondWindow();
        QVERIFY(second.isVisible());
        // Not a dialog of the main window: no parent to stand over, no modality.
        QVERIFY(second.isWindow());
        QCOMPARE(second.parentWidget(), nullptr);
        QVERIFY(!qobject_cast<QDialog *>(&second));
        QCOMPARE(second.windowTitle(), list->item(0)->text());

        // The whole name reads in its column, and every column shows without scrolling.
        WorkoutGrid *grid = second.controls.stgVjezbe;
        QVERIFY(grid->columnWidth(1) >= grid->fontMetrics().horizontalAdvance(longName));
        QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
    }

    void exerciseGridShowsFiveRowsAtTheSmallestHeight()
    {
        start({});
        TfrmMain &main = windows->mainWindow();
        main.show();
        main.resize(main.minimumSizeHint().expandedTo(main.minimumSize()));
        QApplication::processEvents();
        auto *grid = main.findChild<WorkoutGrid *>(QStringLiteral("stgVjezbe"));
        const int rowHeight = grid->verticalHeader()->defaultSectionSize();
        QVERIFY2(grid->viewport()->height() >= 5 * rowHeight,
                 qPrintable(QStringLiteral("%1 < 5 x %2").arg(grid->viewport()->height()).arg(rowHeight)));
    }
};

QTEST_MAIN(TestSecondWindow)
#include "tst_secondwindow.moc"
