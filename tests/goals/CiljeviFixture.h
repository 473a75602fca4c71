#pragma once

#include "common/DayCount.h"
#include "goals/Ciljevi.h"
#include "goals/GoalControls.h"
#include "goals/GoalLists.h"
#include "support/WindowFixture.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

// What the goals window tests share: a goals file in a fresh program folder, the
// window over it with test prompts, and the user's ways of working in it.

namespace {
using Answer = UserPrompts::Answer;

double today()
{
    return DayCount::fromDate(QDate::currentDate());
}

GoalRecord goal(const QString &name, quint8 status = GoalStatus::Pending, double deadline = today() + 30,
                const QString &description = QStringLiteral("d"))
{
    GoalRecord g;
    g.StartDate = today() - 10;
    g.Deadline = deadline;
    g.Name = name;
    g.Description = description;
    g.Status = status;
    return g;
}

QString line(const GoalRecord &g)
{
    return GoalLine(g);
}

const QString DeleteQuestion = QStringLiteral("Do you really wish to delete the selected goal?");
}

// Each test gets a new window over an empty program folder; a message no test took
// fails the test.
class CiljeviFixture : public WindowFixture<TfrmCiljevi> {
protected:
    QString goalsPath() const { return env->path(QStringLiteral("goals.dat")); }
    QListWidget *list(const char *name) const { return control<QListWidget>(name); }
    QListWidget *pending() const { return list("lstPending"); }
    QListWidget *completed() const { return list("lstUspjesni"); }
    QListWidget *unsuccessful() const { return list("lstNeuspjesni"); }
    static QStringList lines(const QListWidget *l)
    {
        QStringList texts;
        for (int i = 0; i < l->count(); ++i)
            texts << l->item(i)->text();
        return texts;
    }
    QList<GoalRecord> stored() const
    {
        GoalsFile file;
        file.openReadOnly(goalsPath());
        QList<GoalRecord> goals;
        for (int n = 0; n < file.RecordCount(); ++n)
            goals << file.ReadRecord(n);
        return goals;
    }
    void writeGoals(const QList<GoalRecord> &goals, const QByteArray &tail = {})
    {
        QByteArray bytes;
        for (const GoalRecord &g : goals)
            bytes += g.encode();
        env->writeFile(QStringLiteral("goals.dat"), bytes + tail);
    }
    void start(const QString &configured = QStringLiteral("goals.dat"))
    {
        QVERIFY(window->startUp(configured));
        window->showGoals();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    void select(QListWidget *l, int row)
    {
        l->setFocus();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
    }
    void doubleClick(QListWidget *l, int row)
    {
        select(l, row);
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
    }
    void fill(const QString &name, const QDate &start, const QDate &deadline, const QString &description)
    {
        control<QLineEdit>("edtIme")->setText(name);
        control<QDateEdit>("dtpDatum")->setDate(start);
        control<QDateEdit>("dtpRok")->setDate(deadline);
        control<QPlainTextEdit>("memOpis")->setPlainText(description);
    }
    void save() { QTest::mouseClick(control<QPushButton>("bitSpremi"), Qt::LeftButton); }
    void clickUpDown(bool up)
    {
        auto *ud = control<UpDown>("udStatus");
        QTest::mouseClick(up ? ud->upButton() : ud->downButton(), Qt::LeftButton);
    }
    QString indicatorHint() const { return control<StatusShape>("shpStatus")->toolTip(); }
    QColor indicatorColor() const { return control<StatusShape>("shpStatus")->color(); }
    void expectFieldsCleared()
    {
        QVERIFY(control<QLineEdit>("edtIme")->text().isEmpty());
        QVERIFY(control<QPlainTextEdit>("memOpis")->toPlainText().isEmpty());
        QCOMPARE(control<QDateEdit>("dtpDatum")->date(), QDate::currentDate());
        QCOMPARE(control<QDateEdit>("dtpRok")->date(), QDate::currentDate());
        QCOMPARE(control<UpDown>("udStatus")->position(), 1);
        QCOMPARE(indicatorHint(), QStringLiteral("Pending goal"));
    }

    void setUp()
    {
        startWindow([this] { return new TfrmCiljevi(*prompts); });
    }
    void tearDown() { endWindow(); }
};
