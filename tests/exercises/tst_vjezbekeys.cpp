#include "VjezbeFixture.h"

// The exercise list window from the keyboard: Enter, Tab and the window's keys from
// every control, and an analysis text that is read whole and scrolled without a mouse.
class TestVjezbeKeys : public VjezbeFixture {
    Q_OBJECT

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

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

};

QTEST_MAIN(TestVjezbeKeys)
#include "tst_vjezbekeys.moc"
