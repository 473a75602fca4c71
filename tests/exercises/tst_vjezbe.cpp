#include "TrainingFixture.h"

#include "exercises/ExerciseAnalysis.h"
#include "exercises/ExerciseFile.h"
#include "exercises/OneRmGraph.h"
#include "exercises/Vjezbe.h"
#include "support/FakeSession.h"
#include "support/TestEnvironment.h"
#include "support/TestPrompts.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTimer>

using namespace TrainingFixture;

namespace {
const QStringList Bodyparts = {QString(), QStringLiteral("Chest"), QStringLiteral("Back"), QStringLiteral("Biceps")};

QList<CatalogExercise> storedList(const QString &path)
{
    ExerciseFile file;
    file.open(path);
    return file.readAll();
}
}

class TestVjezbe : public QObject {
    Q_OBJECT

    TestEnvironment *env = nullptr;
    TestPrompts *prompts = nullptr;
    FakeSession *session = nullptr;
    TfrmVjezbe *window = nullptr;

    QString exercisePath() const { return env->path(QStringLiteral("exercises.dat")); }
    template <typename T>
    T *control(const char *name) const
    {
        T *c = window->findChild<T *>(QLatin1String(name));
        if (!c)
            qFatal("no control %s", name);
        return c;
    }
    QTableWidget *grid() const { return control<QTableWidget>("stgVjezbe"); }
    QString cell(int row, int column) const
    {
        const QTableWidgetItem *item = grid()->item(row, column);
        return item ? item->text() : QString();
    }
    QStringList column(int c) const
    {
        QStringList texts;
        for (int r = 0; r + 1 < grid()->rowCount(); ++r)
            texts << cell(r, c);
        return texts;
    }
    QString title(int c) const { return grid()->horizontalHeaderItem(c)->text(); }

    void writeCatalogue(const QList<CatalogExercise> &exercises)
    {
        QByteArray bytes;
        for (const CatalogExercise &e : exercises)
            bytes += e.encode();
        env->writeFile(QStringLiteral("exercises.dat"), bytes);
    }
    void start()
    {
        QVERIFY(window->startUp(Bodyparts, QStringLiteral("exercises.dat")));
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    void add(const QString &name, const QString &bodypart = QString(), const QString &description = QString())
    {
        control<QLineEdit>("edtNaziv")->setText(name);
        control<QComboBox>("cmbDioTijela")->setCurrentText(bodypart);
        control<QPlainTextEdit>("memOpis")->setPlainText(description);
        QTest::mouseClick(control<QPushButton>("bitDodaj"), Qt::LeftButton);
    }
    void clickTitle(int c)
    {
        QHeaderView *header = grid()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(c) + 5, header->height() / 2));
    }
    void gridKey(int row, int key, Qt::KeyboardModifiers modifiers = {})
    {
        grid()->setCurrentCell(row, 1);
        grid()->setFocus();
        QTest::keyClick(grid(), Qt::Key(key), modifiers);
    }
    void analyse(int row) { gridKey(row, Qt::Key_A, Qt::ControlModifier); }
    QString memo() const { return control<QPlainTextEdit>("memAnaliza")->toPlainText(); }
    // One workout per 20 rows of the exercise, one row for each repetition count.
    void appendRepCounts(const QString &name, const QList<int> &reps, float weight)
    {
        for (qsizetype first = 0; first < reps.size(); first += 20) {
            QList<ExerciseEntry> rows;
            for (int r : reps.mid(first, 20))
                rows << row(name, 3, r, weight);
            append(session->file, QDate(2024, 3, 1).addDays(int(first)), rows);
        }
    }
    // The control takes the focus, as a click or Tab would give it.
    QWidget *focusOn(const char *name)
    {
        QWidget *widget = control<QWidget>(name);
        widget->setFocus(Qt::OtherFocusReason);
        return QApplication::focusWidget();
    }
    // A catalogue of Squat and Row, with Squat analysed and the analysis on `page`.
    void startAnalysed(int page)
    {
        append(session->file, QDate(2024, 3, 4), {row(QStringLiteral("Squat"), 5, 5, 100)});
        writeCatalogue({{QStringLiteral("Squat"), QString(), QString()}, {QStringLiteral("Row"), QString(), QString()}});
        start();
        analyse(0);
        control<QTabWidget>("tabAnaliza")->setCurrentIndex(page);
    }
    QList<QStringList> usageRows() const
    {
        auto *usage = control<QTableWidget>("stgProsli");
        QList<QStringList> rows;
        for (int r = 0; r < usage->rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < usage->columnCount(); ++c)
                row << (usage->item(r, c) ? usage->item(r, c)->text() : QString());
            rows << row;
        }
        return rows;
    }

private slots:
    void init()
    {
        env = new TestEnvironment;
        session = new FakeSession;
        prompts = &session->testPrompts;
        session->file.open(env->path(QStringLiteral("workouts.dat")));
        window = new TfrmVjezbe(*prompts, *session);
    }
    void cleanup()
    {
        delete window;
        const QList<TestPrompts::Shown> shown = prompts->shown;
        delete session;
        delete env;
        QVERIFY2(shown.isEmpty(), qPrintable(shown.value(0).kind + QStringLiteral(": ") + shown.value(0).text));
    }

    void startUpOpensOrCreatesTheFile_data()
    {
        QTest::addColumn<QString>("configured");
        QTest::addColumn<QString>("file");
        QTest::newRow("configured name") << QStringLiteral("mine.dat") << QStringLiteral("mine.dat");
        QTest::newRow("no configuration") << QString() << QStringLiteral("exercises.dat");
    }
    void startUpOpensOrCreatesTheFile()
    {
        QFETCH(QString, configured);
        QFETCH(QString, file);
        QVERIFY(window->startUp(Bodyparts, configured));
        QCOMPARE(window->exerciseFileName(), env->path(file));
        QVERIFY(QFile::exists(env->path(file)));
        QCOMPARE(grid()->rowCount(), 1);
        QCOMPARE(title(1), QStringLiteral("Name of the exercise"));
        QCOMPARE(control<QComboBox>("cmbDioTijela")->count(), Bodyparts.size());

        // An empty catalogue leaves the main window's choice as it is.
        QComboBox choice;
        choice.addItems({QStringLiteral("Typed earlier")});
        window->fillExerciseChoice(choice);
        QCOMPARE(choice.count(), 1);
    }

    void loadingGoesThroughAdd()
    {
        writeCatalogue({{QStringLiteral("Row"), QStringLiteral("Back"), QStringLiteral("bent over")},
                        {QStringLiteral("Dips"), QStringLiteral("Gone"), QString()},
                        {QStringLiteral("curl"), QStringLiteral("Biceps"), QString()}});
        QVERIFY(window->startUp(Bodyparts, QStringLiteral("exercises.dat")));
        QCOMPARE(column(0), (QStringList{"1.", "2.", "3."}));
        QCOMPARE(column(1), (QStringList{"Row", "Dips", "curl"}));
        // A body part missing from the list takes the choice's item 0.
        QCOMPARE(column(2), (QStringList{"Back", "", "Biceps"}));
        QCOMPARE(column(3), (QStringList{"bent over", "", ""}));
        QVERIFY(control<QLineEdit>("edtNaziv")->text().isEmpty());

        QComboBox choice;
        choice.setEditable(true);
        choice.addItems({QStringLiteral("Old")});
        choice.setEditText(QStringLiteral("Ro"));
        window->fillExerciseChoice(choice);
        QStringList items;
        for (int i = 0; i < choice.count(); ++i)
            items << choice.itemText(i);
        QCOMPARE(items, (QStringList{"curl", "Dips", "Row"}));
        QCOMPARE(choice.currentText(), QStringLiteral("Ro"));
    }

    void addAndDelete()
    {
        start();
        add(QStringLiteral("A"), QStringLiteral("Chest"), QStringLiteral("first"));
        add(QStringLiteral("B"));
        add(QStringLiteral("C"));
        QCOMPARE(grid()->rowCount(), 4);
        QCOMPARE(column(2), (QStringList{"Chest", "", ""}));
        QCOMPARE(control<QComboBox>("cmbDioTijela")->currentIndex(), 0);

        // Deleting the second row keeps the numbers; the next row is numbered 3 too.
        gridKey(1, Qt::Key_Delete);
        QCOMPARE(column(0), (QStringList{"1.", "3."}));
        QCOMPARE(column(1), (QStringList{"A", "C"}));
        add(QStringLiteral("D"));
        QCOMPARE(column(0), (QStringList{"1.", "3.", "3."}));

        // The blank row is no exercise: Delete and Enter there change nothing.
        gridKey(3, Qt::Key_Delete);
        gridKey(3, Qt::Key_Return);
        QCOMPARE(column(1), (QStringList{"A", "C", "D"}));

        for (int i = 0; i < 3; ++i)
            gridKey(0, Qt::Key_Delete);
        QCOMPARE(grid()->rowCount(), 1);
        gridKey(0, Qt::Key_Delete);
        QCOMPARE(grid()->rowCount(), 1);
    }

    void sortMarks()
    {
        start();
        add(QStringLiteral("b"), QStringLiteral("Back"));
        add(QStringLiteral("C"), QStringLiteral("Chest"));
        add(QStringLiteral("a"), QStringLiteral("Biceps"));
        const QString name = QStringLiteral("Name of the exercise");

        clickTitle(1); // ordinal: capitals first
        QCOMPARE(column(1), (QStringList{"C", "a", "b"}));
        QCOMPARE(column(0), (QStringList{"2.", "3.", "1."}));
        QCOMPARE(title(1), name + QStringLiteral(" ^"));
        clickTitle(1);
        QCOMPARE(column(1), (QStringList{"b", "a", "C"}));
        QCOMPARE(title(1), name + QStringLiteral(" ˇ"));
        clickTitle(1);
        QCOMPARE(column(1), (QStringList{"C", "a", "b"}));
        QCOMPARE(title(1), name + QStringLiteral(" ^"));

        clickTitle(2);
        QCOMPARE(title(1), name);
        QCOMPARE(title(2), QStringLiteral("Bodypart ^"));
        QCOMPARE(column(2), (QStringList{"Back", "Biceps", "Chest"}));
        QCOMPARE(grid()->rowCount(), 4);
        QVERIFY(cell(3, 1).isEmpty()); // the blank row stays last
    }

    void handPointerOverTheTitles()
    {
        start();
        QHeaderView *header = grid()->horizontalHeader();
        const auto moveTo = [header](int x) {
            const QPointF pos(x, header->height() / 2);
            QMouseEvent move(QEvent::MouseMove, pos, header->viewport()->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
            QApplication::sendEvent(header->viewport(), &move);
            return header->viewport()->cursor().shape();
        };
        const int border = header->sectionViewportPosition(1) + header->sectionSize(1) - 1;
        QCOMPARE(moveTo(header->sectionViewportPosition(1) + 20), Qt::PointingHandCursor);
        QCOMPARE(moveTo(border), Qt::SplitHCursor); // a column border still resizes
        QCOMPARE(moveTo(header->sectionViewportPosition(2) + 20), Qt::PointingHandCursor);
        QCOMPARE(grid()->viewport()->cursor().shape(), Qt::ArrowCursor);
    }

    void displayNumbersSortAsText()
    {
        start();
        for (int i = 0; i < 10; ++i)
            add(QStringLiteral("E%1").arg(i));
        clickTitle(0);
        QCOMPARE(column(0).mid(0, 3), (QStringList{"1.", "10.", "2."}));
    }

    void savedOrderAfterSortThenCloseBox()
    {
        writeCatalogue({{QStringLiteral("Squat"), QString(), QString()}, {QStringLiteral("Bench"), QString(), QString()}});
        QVERIFY(window->startUp(Bodyparts, QStringLiteral("exercises.dat")));
        QTimer::singleShot(0, this, [this] {
            QVERIFY(QTest::qWaitForWindowActive(window)); // Ctrl+S is a window shortcut
            clickTitle(1);
            add(QStringLiteral("Curl"));
            QTest::keyClick(grid(), Qt::Key_S, Qt::ControlModifier);
            QVERIFY(window->isVisible()); // Ctrl+S saves without closing
            add(QStringLiteral("Not saved"));
            window->close();
        });
        QVERIFY(!window->showModal());
        const QList<CatalogExercise> stored = storedList(exercisePath());
        QCOMPARE(stored.size(), 3);
        QCOMPARE(stored.at(0).Name, QStringLiteral("Bench"));
        QCOMPARE(stored.at(1).Name, QStringLiteral("Squat"));
        QCOMPARE(stored.at(2).Name, QStringLiteral("Curl"));

        // The next showing starts from the file.
        QTimer::singleShot(0, window, &QWidget::close);
        window->showModal();
        QCOMPARE(column(1), (QStringList{"Bench", "Squat", "Curl"}));
    }

    void ctrlSSavesTheCellBeingEdited()
    {
        writeCatalogue({{QStringLiteral("Squat"), QString(), QString()}});
        start();
        grid()->setCurrentCell(0, 1);
        grid()->setFocus();
        QTest::keyClick(grid(), Qt::Key_F2);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor && grid()->viewport()->isAncestorOf(editor));
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("Front squat"));
        QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(storedList(exercisePath()).value(0).Name, QStringLiteral("Front squat"));
        QCOMPARE(cell(0, 1), QStringLiteral("Front squat"));
    }

    void saveButtonClosesWithOkAndCutsLongTexts()
    {
        QVERIFY(window->startUp(Bodyparts, QStringLiteral("exercises.dat")));
        const QString longName(60, QLatin1Char('x'));
        QTimer::singleShot(0, this, [&] {
            add(QStringLiteral("Row"), QStringLiteral("Back"), QStringLiteral("bent"));
            grid()->item(0, 1)->setText(longName); // typed into the cell
            QTest::mouseClick(control<QPushButton>("bitSpremi"), Qt::LeftButton);
        });
        QVERIFY(window->showModal());
        const QList<CatalogExercise> stored = storedList(exercisePath());
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.at(0), (CatalogExercise{longName.left(50), QStringLiteral("Back"), QStringLiteral("bent")}));
        QCOMPARE(window->exerciseNames(), QStringList{longName});

        QTimer::singleShot(0, window, &QWidget::close);
        window->showModal();
        QCOMPARE(window->exerciseNames(), QStringList{longName.left(50)});
    }

    void analysisOfTheExample()
    {
        const QString bench = QStringLiteral("Bench press");
        append(session->file, QDate(2024, 3, 4), {row(bench, 3, 10, 50), row(bench, 3, 8, 60)});
        append(session->file, QDate(2024, 3, 6), {row(QStringLiteral("Squat"), 5, 5, 100)});
        append(session->file, QDate(2024, 3, 8), {row(QStringLiteral("BENCH PRESS"), 2, 8, 65)});
        writeCatalogue({{QStringLiteral("Squat"), QString(), QString()}, {QStringLiteral("bench press"), QString(), QString()}});
        start();
        QCOMPARE(window->height(), TfrmVjezbe::CompactHeight);
        QVERIFY(!control<QTabWidget>("tabAnaliza")->isVisible());

        analyse(1);
        const QString text = QStringLiteral("Exercise was used on 2 workouts, 8 sets in total.\n"
                                            "Average # of reps per set is 8.75.\n"
                                            "Maximum used weight for # reps:\n\n"
                                            "     8 reps - 65.00 kg/lbs\n"
                                            "     10 reps - 50.00 kg/lbs\n\n"
                                            "Expected 1 RM = 80.69 kg/lbs");
        QCOMPARE(memo(), text);
        QCOMPARE(control<QGroupBox>("grbAnaliza")->title(),
                 QStringLiteral("Analysis of the application of the exercise - bench press"));
        QVERIFY(control<QTabWidget>("tabAnaliza")->isVisible());
        QVERIFY(control<QGroupBox>("grbAnaliza")->isVisible());
        QCOMPARE(window->height(), TfrmVjezbe::FullHeight);
        QCOMPARE(usageRows(), (QList<QStringList>{{"1.", "BENCH PRESS", "Working set", "2", "8", "65"},
                                                  {"2.", "Bench press", "Working set", "3", "10", "50"},
                                                  {"3.", "Bench press", "Working set", "3", "8", "60"},
                                                  {"", "", "", "", "", ""}}));
        // The window shows exactly the drawn graph.
        const QImage expected = OneRmGraph::draw(QStringLiteral("4.3.2024"), QStringLiteral("8.3.2024"),
                                                 {EstimateOneRm(8, 60), EstimateOneRm(8, 65)});
        QCOMPARE(window->graphImage(), expected);
        QCOMPARE(control<QLabel>("imgGraf")->pixmap().toImage().convertToFormat(expected.format()), expected);

        // Shown again without recomputing, though the file changed; the usage grid follows it.
        append(session->file, QDate(2024, 3, 10), {row(bench, 1, 1, 120)});
        analyse(1);
        QCOMPARE(memo(), text);
        QCOMPARE(usageRows().size(), 5);

        // Another exercise, then the first again: computed anew.
        analyse(0);
        QVERIFY(memo().startsWith(QStringLiteral("Exercise was used on 1 workouts, 5 sets in total.")));
        analyse(1);
        QVERIFY(memo().startsWith(QStringLiteral("Exercise was used on 3 workouts, 9 sets in total.")));
        QCOMPARE(window->oneRmPoints().size(), 3);
    }

    void unusedExerciseWarns()
    {
        append(session->file, QDate(2024, 3, 4), {row(QStringLiteral("Squat"), 5, 5, 100)});
        writeCatalogue({{QStringLiteral("Squat"), QString(), QString()}, {QStringLiteral("Deadlift"), QString(), QString()}});
        start();
        analyse(0);
        QVERIFY(!memo().isEmpty());

        for (int attempt = 0; attempt < 2; ++attempt) {
            analyse(1);
            QCOMPARE(prompts->take(), (QList<TestPrompts::Shown>{{QStringLiteral("warning"), UnableToCollectMessage}}));
            QVERIFY(memo().isEmpty()); // no figures of Squat under Deadlift's caption
            QVERIFY(window->graphImage().isNull());
            QCOMPARE(usageRows().size(), 1);
            QVERIFY(control<QTabWidget>("tabAnaliza")->isVisible());
            QCOMPARE(control<QGroupBox>("grbAnaliza")->title(),
                     QStringLiteral("Analysis of the application of the exercise - Deadlift"));
        }
    }

    void usageGridFollowsTheCount()
    {
        appendRisingHistory(session->file, QStringLiteral("Bench press"), 30);
        writeCatalogue({{QStringLiteral("Bench press"), QString(), QString()}});
        start();
        analyse(0);
        QCOMPARE(usageRows().size(), 5 + 1);
        auto *tabs = control<QTabWidget>("tabAnaliza");
        tabs->setCurrentIndex(1);
        QVERIFY(control<QWidget>("pnlExerciseUsage")->isVisible());
        QVERIFY(!control<QGroupBox>("grbAnaliza")->isVisible());

        control<QSpinBox>("spnKoliko")->setValue(9999);
        const QList<QStringList> rows = usageRows();
        QCOMPARE(rows.size(), 30 + 1);
        QCOMPARE(rows.at(29).at(0), QStringLiteral("30."));
        QCOMPARE(rows.at(29).at(5), QStringLiteral("60"));
    }

    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<QByteArray>("focus");
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<bool>("adds");
        QTest::addColumn<bool>("saves");
        QTest::newRow("name") << QByteArray("edtNaziv") << 0 << false << true << false;
        QTest::newRow("name, keypad Enter") << QByteArray("edtNaziv") << 0 << true << true << false;
        QTest::newRow("body part") << QByteArray("cmbDioTijela") << 0 << false << true << false;
        QTest::newRow("Add") << QByteArray("bitDodaj") << 0 << false << true << false;
        QTest::newRow("Save") << QByteArray("bitSpremi") << 0 << false << false << true;
        QTest::newRow("Save, keypad Enter") << QByteArray("bitSpremi") << 0 << true << false << true;
        QTest::newRow("grid") << QByteArray("stgVjezbe") << 0 << false << false << false;
        QTest::newRow("analysis text") << QByteArray("memAnaliza") << 0 << false << false << false;
        QTest::newRow("workout count") << QByteArray("spnKoliko") << 1 << false << false << false;
        QTest::newRow("usage grid") << QByteArray("stgProsli") << 1 << false << false << false;
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(QByteArray, focus);
        QFETCH(int, page);
        QFETCH(bool, keypad);
        QFETCH(bool, adds);
        QFETCH(bool, saves);
        startAnalysed(page);
        control<QLineEdit>("edtNaziv")->setText(QStringLiteral("Dips"));
        QWidget *focused = focusOn(focus.constData());
        QVERIFY(focused);
        // Add shows as the default button exactly where Enter adds.
        QCOMPARE(control<QPushButton>("bitDodaj")->isDefault(), adds);

        QTest::keyClick(focused, keypad ? Qt::Key_Enter : Qt::Key_Return, keypad ? Qt::KeypadModifier : Qt::NoModifier);
        const QStringList expected =
            adds ? QStringList{"Squat", "Row", "Dips"} : QStringList{"Squat", "Row"};
        QCOMPARE(column(1), expected);
        QCOMPARE(window->isVisible(), !saves);
        if (saves) {
            QCOMPARE(window->result(), int(QDialog::Accepted));
            QCOMPARE(storedList(exercisePath()).size(), 2);
        }
    }

    void tabLeavesTheGridAndArrowsMoveInIt_data()
    {
        QTest::addColumn<bool>("analysed");
        QTest::addColumn<QByteArray>("next");
        QTest::newRow("analysis hidden") << false << QByteArray("edtNaziv");
        QTest::newRow("analysis shown") << true << QByteArray("tabAnaliza");
    }
    void tabLeavesTheGridAndArrowsMoveInIt()
    {
        QFETCH(bool, analysed);
        QFETCH(QByteArray, next);
        startAnalysed(0);
        if (!analysed)
            QTest::keyClick(window, Qt::Key_Escape);
        grid()->setCurrentCell(0, 1);
        grid()->setFocus(Qt::TabFocusReason);

        QTest::keyClick(grid(), Qt::Key_Down);
        QTest::keyClick(grid(), Qt::Key_Right);
        QCOMPARE(QPoint(grid()->currentColumn(), grid()->currentRow()), QPoint(2, 1));
        QTest::keyClick(grid(), Qt::Key_Up);
        QTest::keyClick(grid(), Qt::Key_Left);
        QCOMPARE(QPoint(grid()->currentColumn(), grid()->currentRow()), QPoint(1, 0));

        QTest::keyClick(grid(), Qt::Key_Tab);
        QWidget *after = QApplication::focusWidget();
        QVERIFY(after && after != grid() && !grid()->isAncestorOf(after));
        QWidget *expected = control<QWidget>(next.constData());
        QVERIFY2(after == expected || expected->isAncestorOf(after), after->metaObject()->className());

        grid()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(grid(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), control<QWidget>("bitSpremi"));
        QCOMPARE(grid()->currentRow(), 0); // Tab walked no cells
    }

    void analysisShowsWholeAtTheDefaultSize_data()
    {
        QTest::addColumn<QList<int>>("reps");
        QTest::addColumn<float>("weight");
        QTest::addColumn<int>("workouts");
        QTest::newRow("two rep counts") << QList<int>{8, 10} << 60.0f << 1;
        QTest::newRow("ten rep counts") << QList<int>{1, 2, 3, 4, 5, 6, 8, 10, 12, 15} << 102.5f << 1;
        QTest::newRow("bodyweight, ten rep counts") << QList<int>{3, 5, 6, 8, 10, 12, 15, 20, 25, 30} << 0.0f << 1;
        QTest::newRow("hundreds of workouts") << QList<int>{5, 8, 10, 12} << 1002.5f << 250;
    }
    void analysisShowsWholeAtTheDefaultSize()
    {
        QFETCH(QList<int>, reps);
        QFETCH(float, weight);
        QFETCH(int, workouts);
        for (int w = 0; w < workouts; ++w)
            appendRepCounts(QStringLiteral("Pull-up"), reps, weight);
        writeCatalogue({{QStringLiteral("Pull-up"), QString(), QString()}});
        start();
        const int defaultWidth = window->width();
        analyse(0);
        QCOMPARE(window->size(), QSize(defaultWidth, TfrmVjezbe::FullHeight));

        auto *text = control<QPlainTextEdit>("memAnaliza");
        QCOMPARE(text->document()->blockCount(), reps.size() + 6);
        QTRY_COMPARE(text->verticalScrollBar()->maximum(), 0);
        QCOMPARE(text->horizontalScrollBar()->maximum(), 0);
        for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next())
            QVERIFY2(block.layout()->lineCount() == 1, qPrintable(block.text() + QStringLiteral(" wraps")));
        const QTextBlock last = text->document()->lastBlock();
        QVERIFY(last.text().contains(QStringLiteral("1 RM")));
        QTextCursor end(text->document());
        end.movePosition(QTextCursor::End);
        QVERIFY(text->cursorRect(end).bottom() <= text->viewport()->height());
        // The graph keeps its whole size beside the text.
        QCOMPARE(control<QLabel>("imgGraf")->size(), QSize(OneRmGraph::Width, OneRmGraph::Height));
        QVERIFY(!text->geometry().intersects(control<QLabel>("imgGraf")->geometry()));
    }

    void analysisScrollsAndCopiesFromTheKeyboard()
    {
        QList<int> reps;
        for (int r = 1; r <= 40; ++r)
            reps << r;
        appendRepCounts(QStringLiteral("Curl"), reps, 20.0f);
        writeCatalogue({{QStringLiteral("Curl"), QString(), QString()}});
        start();
        analyse(0);
        QPlainTextEdit *text = control<QPlainTextEdit>("memAnaliza");
        QScrollBar *bar = text->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        QWidget *focused = focusOn("memAnaliza");
        QCOMPARE(focused, text);

        QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(bar->value(), bar->maximum());
        QTest::keyClick(text, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(bar->value(), 0);
        QTest::keyClick(text, Qt::Key_PageDown);
        QVERIFY(bar->value() > 0);
        QTest::keyClick(text, Qt::Key_PageUp);
        QCOMPARE(bar->value(), 0);

        // The text stays read-only, and a selection made with the keys copies.
        const QString whole = memo();
        QTest::keyClicks(text, QStringLiteral("x"));
        QTest::keyClick(text, Qt::Key_Delete);
        QCOMPARE(memo(), whole);
        QTest::keyClick(text, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(text, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(text, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Exercise was used on 2 workouts, 120 sets in total.\n"
                                                                  "Average # of reps per set is 20.50.\n"));
        QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), whole);
    }

    void windowKeysWorkFromEveryControl_data()
    {
        QTest::addColumn<QByteArray>("focus");
        QTest::addColumn<int>("page");
        QTest::addColumn<QKeySequence>("key");
        const QList<QPair<QByteArray, int>> controls = {
            {"edtNaziv", 0},   {"cmbDioTijela", 0}, {"memOpis", 0},   {"bitDodaj", 0}, {"bitSpremi", 0},
            {"stgVjezbe", 0}, {"memAnaliza", 0},   {"spnKoliko", 1}, {"stgProsli", 1}};
        for (const auto &[name, page] : controls) {
            QTest::addRow("Ctrl+S in %s", name.constData()) << name << page << QKeySequence(Qt::CTRL | Qt::Key_S);
            QTest::addRow("Esc in %s", name.constData()) << name << page << QKeySequence(Qt::Key_Escape);
        }
    }
    void windowKeysWorkFromEveryControl()
    {
        QFETCH(QByteArray, focus);
        QFETCH(int, page);
        QFETCH(QKeySequence, key);
        startAnalysed(page);
        add(QStringLiteral("Dips"));
        QWidget *focused = focusOn(focus.constData());
        const QKeyCombination combination = key[0];
        QTest::keyClick(focused, combination.key(), combination.keyboardModifiers());
        if (combination.key() == Qt::Key_S) {
            QCOMPARE(storedList(exercisePath()).size(), 3);
            QVERIFY(window->isVisible());
        } else {
            QVERIFY(!control<QTabWidget>("tabAnaliza")->isVisible());
            QCOMPARE(window->height(), TfrmVjezbe::CompactHeight);
        }
    }

    void escapeHidesTheAnalysis()
    {
        append(session->file, QDate(2024, 3, 4), {row(QStringLiteral("Squat"), 5, 5, 100)});
        writeCatalogue({{QStringLiteral("Squat"), QString(), QString()}});
        start();
        analyse(0);
        QCOMPARE(window->height(), TfrmVjezbe::FullHeight);
        QTest::keyClick(grid(), Qt::Key_Escape);
        QVERIFY(!control<QTabWidget>("tabAnaliza")->isVisible());
        QCOMPARE(window->height(), TfrmVjezbe::CompactHeight);
        QVERIFY(window->isVisible());
    }
};

QTEST_MAIN(TestVjezbe)
#include "tst_vjezbe.moc"
