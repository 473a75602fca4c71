#include "CiljeviFixture.h"

#include "support/FailingDevice.h"

#include <QApplication>
#include <QDir>
#include <QMimeData>

// The goals window's three lists: selecting, moving a goal by drag and drop, deleting.
class TestCiljeviLists : public CiljeviFixture {
    Q_OBJECT

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void selectingInOneListClearsTheOthers()
    {
        writeGoals({goal(QStringLiteral("P")), goal(QStringLiteral("C"), GoalStatus::Completed),
                    goal(QStringLiteral("U"), GoalStatus::Unsuccessful)});
        start();
        select(pending(), 0);
        select(completed(), 0);
        QVERIFY(pending()->selectedItems().isEmpty());
        select(unsuccessful(), 0);
        QVERIFY(completed()->selectedItems().isEmpty());
        QCOMPARE(unsuccessful()->selectedItems().size(), 1);
    }

    void dropGivesTheTargetListsStatus_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("onto");
        QTest::addColumn<int>("status"); // -1: nothing changes
        QTest::newRow("pending onto completed") << "lstPending" << "lstUspjesni" << 2;
        QTest::newRow("pending onto unsuccessful") << "lstPending" << "lstNeuspjesni" << 0;
        QTest::newRow("completed onto pending") << "lstUspjesni" << "lstPending" << 1;
        QTest::newRow("unsuccessful onto completed") << "lstNeuspjesni" << "lstUspjesni" << 2;
        QTest::newRow("pending onto pending") << "lstPending" << "lstPending" << -1;
        QTest::newRow("from elsewhere") << "" << "lstUspjesni" << -1;
    }
    void dropGivesTheTargetListsStatus()
    {
        QFETCH(QString, from);
        QFETCH(QString, onto);
        QFETCH(int, status);
        writeGoals({goal(QStringLiteral("P")), goal(QStringLiteral("C"), GoalStatus::Completed),
                    goal(QStringLiteral("U"), GoalStatus::Unsuccessful), goal(QStringLiteral("Q"))});
        start();
        doubleClick(pending(), 1); // viewing Q: the save position is 3
        const QByteArray before = env->readFile(QStringLiteral("goals.dat"));
        QListWidget *source = from.isEmpty() ? nullptr : list(qPrintable(from));
        QListWidget *target = list(qPrintable(onto));
        const int record = source == pending() ? 0 : source == completed() ? 1 : 2;
        if (source)
            select(source, 0);
        QObject elsewhere;
        QMetaObject::invokeMethod(window, qPrintable(onto + QStringLiteral("DragDrop")), Qt::DirectConnection,
                                  Q_ARG(QObject *, source ? static_cast<QObject *>(source) : &elsewhere));
        if (status < 0) {
            QCOMPARE(env->readFile(QStringLiteral("goals.dat")), before);
        } else {
            QCOMPARE(stored().at(record).Status, quint8(status));
            QCOMPARE(stored().at(record).Name, source == pending() ? QStringLiteral("P")
                                                : source == completed() ? QStringLiteral("C") : QStringLiteral("U"));
            QVERIFY(lines(target).contains(line(stored().at(record))));
        }
        QCOMPARE(window->currentGoalIndex(), 3);
        // The next save still writes the goal viewed before the drop.
        control<QLineEdit>("edtIme")->setText(QStringLiteral("Q2"));
        save();
        QCOMPARE(stored().size(), 4);
        QCOMPARE(stored().at(3).Name, QStringLiteral("Q2"));
    }

    void dropEventFromOutsideChangesNothing()
    {
        writeGoals({goal(QStringLiteral("P"))});
        start();
        select(pending(), 0);
        QMimeData data;
        data.setText(QStringLiteral("P"));
        const QPointF at = completed()->viewport()->rect().center();
        QDropEvent drop(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(completed()->viewport(), &drop);
        QCOMPARE(stored().at(0).Status, GoalStatus::Pending);
        QCOMPARE(lines(pending()), QStringList{line(goal(QStringLiteral("P")))});
    }

    void deleteAsksAndRemoves_data()
    {
        QTest::addColumn<QString>("listName");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("Del in the pending list") << "lstPending" << int(Answer::Yes) << QStringList{"C", "U", "Q"};
        QTest::newRow("Del in the completed list") << "lstUspjesni" << int(Answer::Yes) << QStringList{"P", "U", "Q"};
        QTest::newRow("Del in the unsuccessful list") << "lstNeuspjesni" << int(Answer::Yes) << QStringList{"P", "C", "Q"};
        QTest::newRow("answered No") << "lstPending" << int(Answer::No) << QStringList{"P", "C", "U", "Q"};
    }
    void deleteAsksAndRemoves()
    {
        QFETCH(QString, listName);
        QFETCH(int, answer);
        QFETCH(QStringList, left);
        writeGoals({goal(QStringLiteral("P")), goal(QStringLiteral("C"), GoalStatus::Completed),
                    goal(QStringLiteral("U"), GoalStatus::Unsuccessful), goal(QStringLiteral("Q"))});
        start();
        doubleClick(pending(), 1);
        QListWidget *l = list(qPrintable(listName));
        select(l, 0);
        prompts->confirmAnswers << Answer(answer);
        QTest::keyClick(l, Qt::Key_Delete);
        QCOMPARE(prompts->take(), (QList<TestPrompts::Shown>{{QStringLiteral("confirm"), DeleteQuestion}}));
        QStringList names;
        for (const GoalRecord &g : stored())
            names << g.Name;
        QCOMPARE(names, left);
        if (answer == int(Answer::Yes)) {
            expectFieldsCleared();
            QCOMPARE(window->currentGoalIndex(), 3);
            QCOMPARE(pending()->count() + completed()->count() + unsuccessful()->count(), 3);
        } else {
            QCOMPARE(control<QLineEdit>("edtIme")->text(), QStringLiteral("Q"));
        }
    }

    void deleteWithoutSelectionAsksNothing()
    {
        writeGoals({goal(QStringLiteral("P"))});
        start();
        for (QListWidget *l : {pending(), completed(), unsuccessful()}) {
            l->setFocus();
            QTest::keyClick(l, Qt::Key_Delete);
        }
        QCOMPARE(stored().size(), 1);
    }

    void failedDeleteLeavesTheFileWhole()
    {
        writeGoals({goal(QStringLiteral("A")), goal(QStringLiteral("B")), goal(QStringLiteral("C"))});
        start();
        const QByteArray before = env->readFile(QStringLiteral("goals.dat"));
        window->setRewriteWrapper([](QIODevice &target) { return std::make_unique<FailingDevice>(target, 300); });
        select(pending(), 0);
        prompts->confirmAnswers << Answer::Yes;
        QTest::keyClick(pending(), Qt::Key_Delete);
        const QStringList errors = prompts->texts(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.at(0).contains(QStringLiteral("No space left on device")), qPrintable(errors.at(0)));
        prompts->take();
        QCOMPARE(env->readFile(QStringLiteral("goals.dat")), before);
        QCOMPARE(QDir(env->folder()).entryList(QDir::Files), QStringList{QStringLiteral("goals.dat")});
        QCOMPARE(pending()->count(), 3);
    }
};

QTEST_MAIN(TestCiljeviLists)
#include "tst_ciljevilists.moc"
