#include "VjezbeFixture.h"

class TestVjezbe : public VjezbeFixture {
    Q_OBJECT

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

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
