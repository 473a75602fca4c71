#include "CiljeviFixture.h"

#include "common/QtUserPrompts.h"
#include "support/FailingDevice.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QMessageBox>
#include <QTimer>

// The goals window: its file at start-up, saving and viewing goals, the deadline
// questions, the status control and the keys.
class TestCiljevi : public CiljeviFixture {
    Q_OBJECT

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void startUpCreatesAMissingFile_data()
    {
        QTest::addColumn<QString>("configured");
        QTest::addColumn<QString>("file");
        QTest::newRow("configured name") << QStringLiteral("mine.dat") << QStringLiteral("mine.dat");
        QTest::newRow("no configuration") << QString() << QStringLiteral("goals.dat");
    }
    void startUpCreatesAMissingFile()
    {
        QFETCH(QString, configured);
        QFETCH(QString, file);
        start(configured);
        QCOMPARE(window->goalsFileName(), env->path(file));
        QVERIFY(QFile::exists(env->path(file)));
        QCOMPARE(QFile(env->path(file)).size(), 0);
        for (QListWidget *l : {pending(), completed(), unsuccessful()})
            QCOMPARE(l->count(), 0);
        QCOMPARE(window->windowTitle(), QStringLiteral("Fitness goals"));
        QVERIFY(!window->isModal());
        QCOMPARE(window->currentGoalIndex(), 0);
        expectFieldsCleared();
        QStringList captions;
        for (const QGroupBox *g : window->findChildren<QGroupBox *>())
            captions << g->title();
        QCOMPARE(captions, (QStringList{"Pending goals", "Goals completed succesfully!", "Goals not completed succesfully",
                                        "View a goal:"}));
    }

    void unopenableFileIsReportedOnceAndRefusesSaving()
    {
        QVERIFY(QDir(env->folder()).mkdir(QStringLiteral("goals.dat")));
        QVERIFY(!window->startUp(QStringLiteral("goals.dat")));
        const QStringList errors = prompts->texts(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.at(0).contains(goalsPath()), qPrintable(errors.at(0)));
        prompts->take();
        window->showGoals();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QVERIFY(prompts->take().isEmpty());
        fill(QStringLiteral("A"), QDate::currentDate(), QDate::currentDate(), QString());
        save();
        QCOMPARE(prompts->take(), (QList<TestPrompts::Shown>{{QStringLiteral("error"), errors.at(0)}}));
        QCOMPARE(control<QLineEdit>("edtIme")->text(), QStringLiteral("A")); // the typing is kept
        QTest::keyClick(pending(), Qt::Key_Delete); // nothing to delete, nothing asked
    }

    void partialTailIsReportedAndKept()
    {
        const QByteArray tail(50, 't');
        writeGoals({goal(QStringLiteral("A"))}, tail);
        start();
        const QStringList warnings = prompts->texts(QStringLiteral("warning"));
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings.at(0).contains(QStringLiteral("50 bytes")) && warnings.at(0).contains(goalsPath()),
                 qPrintable(warnings.at(0)));
        prompts->take();
        QCOMPARE(lines(pending()), QStringList{line(goal(QStringLiteral("A")))});

        fill(QStringLiteral("B"), QDate::currentDate(), QDate::currentDate().addDays(5), QString());
        save();
        QCOMPARE(stored().size(), 2);
        select(pending(), 0);
        prompts->confirmAnswers << Answer::Yes;
        QTest::keyClick(pending(), Qt::Key_Delete);
        prompts->take();
        const QByteArray bytes = env->readFile(QStringLiteral("goals.dat"));
        QCOMPARE(bytes.size(), GoalRecord::Size + tail.size());
        QVERIFY(bytes.endsWith(tail));
        QCOMPARE(stored().at(0).Name, QStringLiteral("B"));
    }

    void unknownStatusIsKeptOutOfTheListsAndKept()
    {
        QByteArray odd = goal(QStringLiteral("Odd"), 9).encode();
        odd[326] = 'p'; // padding as another program left it
        const GoalRecord p = goal(QStringLiteral("P")), c = goal(QStringLiteral("C"), GoalStatus::Completed);
        env->writeFile(QStringLiteral("goals.dat"), p.encode() + odd + c.encode());
        start();
        QCOMPARE(lines(pending()), QStringList{line(p)});
        QCOMPARE(lines(completed()), QStringList{line(c)});
        QCOMPARE(unsuccessful()->count(), 0);
        QCOMPARE(window->currentGoalIndex(), 3); // still counted

        select(pending(), 0);
        prompts->confirmAnswers << Answer::Yes;
        QTest::keyClick(pending(), Qt::Key_Delete);
        prompts->take();
        QCOMPARE(env->readFile(QStringLiteral("goals.dat")), odd + c.encode());
        fill(QStringLiteral("N"), QDate::currentDate(), QDate::currentDate(), QString());
        save();
        QCOMPARE(env->readFile(QStringLiteral("goals.dat")).left(2 * GoalRecord::Size), odd + c.encode());
        QCOMPARE(stored().size(), 3);
    }

    void saveAddsAGoalAndClearsTheFields()
    {
        start();
        const QDate begin(2026, 3, 1), deadline(2026, 6, 30);
        fill(QString(60, QLatin1Char('n')), begin, deadline, QString(300, QLatin1Char('d')));
        clickUpDown(true); // completed
        save();
        QCOMPARE(stored().size(), 1);
        const GoalRecord g = stored().at(0);
        QCOMPARE(g.Name, QString(50, QLatin1Char('n')));
        QCOMPARE(g.Description, QString(255, QLatin1Char('d')));
        QCOMPARE(g.StartDate, DayCount::fromDate(begin));
        QCOMPARE(g.Deadline, DayCount::fromDate(deadline));
        QCOMPARE(g.Status, GoalStatus::Completed);
        QCOMPARE(lines(completed()), QStringList{QString(50, QLatin1Char('n')) + QStringLiteral(": 1.3.2026-30.6.2026. ")
                                                 + QString(50, QLatin1Char('d')) + QStringLiteral("...")});
        expectFieldsCleared();
        QCOMPARE(window->currentGoalIndex(), 1);

        // No field is checked: an empty name is saved as it is.
        fill(QString(), begin, deadline, QString());
        save();
        QCOMPARE(stored().size(), 2);
        QCOMPARE(stored().at(1).Name, QString());
        QCOMPARE(lines(pending()), QStringList{QStringLiteral(": 1.3.2026-30.6.2026. ")});
    }

    void viewThenSaveOverwritesTheViewedGoal()
    {
        GoalRecord b = goal(QStringLiteral("B"), GoalStatus::Unsuccessful, today() + 3.75, QStringLiteral("second"));
        writeGoals({goal(QStringLiteral("A")), b, goal(QStringLiteral("C"))});
        start();
        doubleClick(unsuccessful(), 0);
        QCOMPARE(window->currentGoalIndex(), 1);
        QCOMPARE(control<QLineEdit>("edtIme")->text(), QStringLiteral("B"));
        QCOMPARE(control<QPlainTextEdit>("memOpis")->toPlainText(), QStringLiteral("second"));
        QCOMPARE(control<QDateEdit>("dtpDatum")->date(), QDate::currentDate().addDays(-10));
        QCOMPARE(control<QDateEdit>("dtpRok")->date(), QDate::currentDate().addDays(3));
        QCOMPARE(control<UpDown>("udStatus")->position(), 0);
        QCOMPARE(indicatorHint(), QStringLiteral("Unsuccessful goal"));

        // Saved unchanged, the goal keeps its bytes, the time of day of its deadline too.
        const QByteArray before = env->readFile(QStringLiteral("goals.dat"));
        save();
        QCOMPARE(env->readFile(QStringLiteral("goals.dat")), before);

        doubleClick(unsuccessful(), 0);
        control<QLineEdit>("edtIme")->setText(QStringLiteral("B2"));
        clickUpDown(true);
        save();
        b.Name = QStringLiteral("B2");
        b.Status = GoalStatus::Pending;
        QCOMPARE(stored(), (QList<GoalRecord>{goal(QStringLiteral("A")), b, goal(QStringLiteral("C"))}));
        QCOMPARE(window->currentGoalIndex(), 3);
        QCOMPARE(unsuccessful()->count(), 0);
        QCOMPARE(pending()->count(), 3);
    }

    // Two goals with the same line and status: each action lands on the goal picked.
    void identicalGoalsAreToldApart_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("view and save") << QStringLiteral("view");
        QTest::newRow("drop") << QStringLiteral("drop");
        QTest::newRow("delete") << QStringLiteral("delete");
    }
    void identicalGoalsAreToldApart()
    {
        QFETCH(QString, action);
        const GoalRecord twin = goal(QStringLiteral("Twin"));
        const GoalRecord other = goal(QStringLiteral("Other"));
        writeGoals({twin, other, twin});
        start();
        QCOMPARE(lines(pending()), (QStringList{line(twin), line(other), line(twin)}));
        if (action == QLatin1String("view")) {
            doubleClick(pending(), 2);
            QCOMPARE(window->currentGoalIndex(), 2);
            control<QLineEdit>("edtIme")->setText(QStringLiteral("Changed"));
            save();
            QCOMPARE(stored().at(0), twin);
            QCOMPARE(stored().at(2).Name, QStringLiteral("Changed"));
        } else if (action == QLatin1String("drop")) {
            select(pending(), 2);
            window->lstUspjesniDragDrop(pending());
            QCOMPARE(stored().at(0).Status, GoalStatus::Pending);
            QCOMPARE(stored().at(2).Status, GoalStatus::Completed);
        } else {
            select(pending(), 2);
            prompts->confirmAnswers << Answer::Yes;
            QTest::keyClick(pending(), Qt::Key_Delete);
            prompts->take();
            QCOMPARE(stored(), (QList<GoalRecord>{twin, other}));
        }
    }

    // The real question box: only its No button fails a goal; Esc and the close box
    // leave the goal pending, to be asked about again.
    void dismissedDeadlineQuestionKeepsTheGoalPending_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("status");
        QTest::newRow("Esc") << QStringLiteral("esc") << 1;
        QTest::newRow("close box") << QStringLiteral("close") << 1;
        QTest::newRow("No button") << QStringLiteral("no") << 0;
        QTest::newRow("Yes button") << QStringLiteral("yes") << 2;
    }
    void dismissedDeadlineQuestionKeepsTheGoalPending()
    {
        QFETCH(QString, how);
        QFETCH(int, status);
        writeGoals({goal(QStringLiteral("Yesterday"), GoalStatus::Pending, today() - 1)});
        QtUserPrompts qtPrompts;
        TfrmCiljevi goals(qtPrompts);
        QVERIFY(goals.startUp(QStringLiteral("goals.dat")));
        QStringList seen;
        const auto answer = [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return false;
            seen << box->text();
            if (how == QStringLiteral("esc"))
                QTest::keyClick(box, Qt::Key_Escape);
            else if (how == QStringLiteral("close"))
                box->close();
            else
                box->button(how == QStringLiteral("no") ? QMessageBox::No : QMessageBox::Yes)->click();
            return true;
        };
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] { answer(); });
        poll.start(20);
        goals.showGoals();
        poll.stop();
        QCOMPARE(seen, QStringList{DeadlineQuestion(goal(QStringLiteral("Yesterday")))});
        QCOMPARE(stored().at(0).Status, quint8(status));
        if (status == 1) {
            QCOMPARE(lines(goals.findChild<QListWidget *>(QStringLiteral("lstPending"))).size(), 1);
            goals.hide(); // asked again on the next showing
            poll.start(20);
            goals.showGoals();
            poll.stop();
            QCOMPARE(seen.size(), 2);
        }
    }

    void deadlineQuestionsOnEachShow_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("status");
        QTest::newRow("yes: completed") << int(Answer::Yes) << 2;
        QTest::newRow("no: unsuccessful") << int(Answer::No) << 0;
        QTest::newRow("any other answer: still pending") << int(Answer::Cancel) << 1;
    }
    void deadlineQuestionsOnEachShow()
    {
        QFETCH(int, answer);
        QFETCH(int, status);
        const GoalRecord due = goal(QStringLiteral("Due today"), GoalStatus::Pending, today());
        const GoalRecord later = goal(QStringLiteral("Later"), GoalStatus::Pending, today() + 1);
        const GoalRecord done = goal(QStringLiteral("Done"), GoalStatus::Completed, today() - 5);
        const GoalRecord noon = goal(QStringLiteral("Noon"), GoalStatus::Pending, today() + 0.5);
        writeGoals({due, later, done, noon});
        QVERIFY(window->startUp(QStringLiteral("goals.dat")));
        QVERIFY(prompts->take().isEmpty()); // nothing is asked at start-up
        control<QLineEdit>("edtIme")->setText(QStringLiteral("typed"));

        prompts->confirmAnswers << Answer(answer) << Answer(answer);
        window->showGoals();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(prompts->take(), (QList<TestPrompts::Shown>{{QStringLiteral("confirm"), DeadlineQuestion(due)},
                                                             {QStringLiteral("confirm"), DeadlineQuestion(noon)}}));
        QCOMPARE(stored().at(0).Status, quint8(status));
        QCOMPARE(stored().at(3).Status, quint8(status));
        QCOMPARE(stored().at(1).Status, GoalStatus::Pending);
        QCOMPARE(stored().at(2).Status, GoalStatus::Completed);
        QCOMPARE(window->currentGoalIndex(), 4);
        QCOMPARE(control<QLineEdit>("edtIme")->text(), QStringLiteral("typed"));
        QListWidget *target = status == 2 ? completed() : status == 0 ? unsuccessful() : pending();
        QVERIFY(lines(target).contains(line(due)));

        // Shown again while visible: nothing is asked. Hidden and shown: asked again
        // until answered.
        window->showGoals();
        QVERIFY(prompts->take().isEmpty());
        window->hide();
        if (status == 1)
            prompts->confirmAnswers << Answer::Yes << Answer::No;
        window->showGoals();
        QCOMPARE(prompts->take().size(), status == 1 ? 2 : 0);
    }

    void statusUpDownCycles_data()
    {
        QTest::addColumn<QString>("clicks"); // u up, d down, from position 1
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QColor>("color");
        const QColor maroon(0x80, 0, 0), blue(0, 0, 0xFF), green(0, 0x80, 0);
        QTest::newRow("start") << QString() << 1 << QStringLiteral("Pending goal") << blue;
        QTest::newRow("up") << QStringLiteral("u") << 2 << QStringLiteral("Completed goal") << green;
        QTest::newRow("2 and up gives 0") << QStringLiteral("uu") << 0 << QStringLiteral("Unsuccessful goal") << maroon;
        QTest::newRow("up three times: back to 1") << QStringLiteral("uuu") << 1 << QStringLiteral("Pending goal") << blue;
        QTest::newRow("down") << QStringLiteral("d") << 0 << QStringLiteral("Unsuccessful goal") << maroon;
        QTest::newRow("0 and down gives 2") << QStringLiteral("dd") << 2 << QStringLiteral("Completed goal") << green;
    }
    void statusUpDownCycles()
    {
        QFETCH(QString, clicks);
        QFETCH(int, position);
        QFETCH(QString, hint);
        QFETCH(QColor, color);
        start();
        for (const QChar c : clicks)
            clickUpDown(c == QLatin1Char('u'));
        QCOMPARE(control<UpDown>("udStatus")->position(), position);
        QCOMPARE(indicatorHint(), hint);
        QCOMPARE(indicatorColor(), color);
        // The saved status is the indicator's.
        save();
        QCOMPARE(stored().at(0).Status, quint8(position));
        QCOMPARE(control<UpDown>("udStatus")->minimum(), -9999);
        QCOMPARE(control<UpDown>("udStatus")->maximum(), 9999);
    }

    void clearFieldsStartsANewGoal()
    {
        // The viewed goal's dates carry a time of day; the new goal's must not.
        writeGoals({goal(QStringLiteral("A"), GoalStatus::Pending, today() + 9.25), goal(QStringLiteral("B"))});
        start();
        doubleClick(pending(), 0);
        clickUpDown(false);
        QTest::mouseClick(control<QPushButton>("bitOcisti"), Qt::LeftButton);
        expectFieldsCleared();
        QCOMPARE(window->currentGoalIndex(), 2);
        fill(QStringLiteral("C"), QDate::currentDate(), QDate::currentDate().addDays(1), QString());
        save();
        QCOMPARE(stored().size(), 3);
        QCOMPARE(stored().at(0), goal(QStringLiteral("A"), GoalStatus::Pending, today() + 9.25));
        QCOMPARE(stored().at(2).Deadline, today() + 1);
        QCOMPARE(stored().at(2).StartDate, today());
    }

    void showingAgainSavesTheFieldsAsANewGoal()
    {
        writeGoals({goal(QStringLiteral("A")), goal(QStringLiteral("B"))});
        start();
        doubleClick(pending(), 0);
        QCOMPARE(window->currentGoalIndex(), 0);
        window->hide();
        window->showGoals();
        // The fields still show the goal, but the save position is a new goal's.
        QCOMPARE(control<QLineEdit>("edtIme")->text(), QStringLiteral("A"));
        QCOMPARE(window->currentGoalIndex(), 2);
        save();
        QCOMPARE(stored().size(), 3);
        QCOMPARE(stored().at(2), goal(QStringLiteral("A")));
    }

    // Del, Enter and Tab from each kind of field.
    void keysInTheFields()
    {
        writeGoals({goal(QStringLiteral("A")), goal(QStringLiteral("B"), GoalStatus::Completed)});
        start();
        auto *name = control<QLineEdit>("edtIme");
        auto *memo = control<QPlainTextEdit>("memOpis");

        // Del in the text fields edits the text, even with a goal selected.
        select(pending(), 0);
        name->setText(QStringLiteral("xy"));
        name->setFocus();
        name->setCursorPosition(0);
        QTest::keyClick(name, Qt::Key_Delete);
        QCOMPARE(name->text(), QStringLiteral("y"));
        memo->setPlainText(QStringLiteral("pq"));
        memo->setFocus();
        memo->moveCursor(QTextCursor::Start);
        QTest::keyClick(memo, Qt::Key_Delete);
        QCOMPARE(memo->toPlainText(), QStringLiteral("q"));
        auto *deadline = control<QDateEdit>("dtpRok");
        deadline->setFocus();
        QTest::keyClick(deadline, Qt::Key_Delete);

        // Enter in the name field saves nothing; in the memo it breaks the line.
        QTest::keyClick(name, Qt::Key_Return);
        QTest::keyClick(deadline, Qt::Key_Return);
        memo->moveCursor(QTextCursor::End);
        QTest::keyClick(memo, Qt::Key_Return);
        QCOMPARE(memo->toPlainText(), QStringLiteral("q\n"));
        QCOMPARE(stored().size(), 2);

        // Enter in a list views its selected goal.
        select(completed(), 0);
        QTest::keyClick(completed(), Qt::Key_Return);
        QCOMPARE(name->text(), QStringLiteral("B"));
        QCOMPARE(window->currentGoalIndex(), 1);

        // Enter on a focused button presses it.
        auto *clear = control<QPushButton>("bitOcisti");
        clear->setFocus();
        QTest::keyClick(clear, Qt::Key_Return);
        expectFieldsCleared();
        name->setText(QStringLiteral("New"));
        auto *saveButton = control<QPushButton>("bitSpremi");
        saveButton->setFocus();
        QTest::keyClick(saveButton, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(stored().size(), 3);

        // Up and Down on the up-down control step the status.
        auto *ud = control<UpDown>("udStatus");
        ud->setFocus();
        QTest::keyClick(ud, Qt::Key_Down);
        QCOMPARE(indicatorHint(), QStringLiteral("Unsuccessful goal"));
        QTest::keyClick(ud, Qt::Key_Up);
        QTest::keyClick(ud, Qt::Key_Up);
        QCOMPARE(indicatorHint(), QStringLiteral("Completed goal"));
    }

    void tabWalksTheWindowInOrder()
    {
        start();
        window->activateWindow();
        const QStringList order = {"lstPending", "lstUspjesni", "lstNeuspjesni", "edtIme", "dtpDatum",
                                   "dtpRok", "memOpis", "udStatus", "bitOcisti", "bitSpremi", "lstPending"};
        pending()->setFocus();
        QCOMPARE(QApplication::focusWidget(), pending());
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *focus = QApplication::focusWidget();
            // A date edit's focus lies on its inner line edit.
            while (focus && focus->objectName().isEmpty())
                focus = focus->parentWidget();
            QCOMPARE(focus ? focus->objectName() : QString(), order.at(i));
        }
        // Shift+Tab walks back out of a date field too.
        control<QDateEdit>("dtpRok")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), control<QDateEdit>("dtpDatum"));
    }
};

QTEST_MAIN(TestCiljevi)
#include "tst_ciljevi.moc"
