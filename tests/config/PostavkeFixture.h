#pragma once

#include "config/ColorChooser.h"
#include "config/ConfigKeys.h"
#include "config/IniFile.h"
#include "config/Postavke.h"
#include "support/WindowFixture.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

// What the settings window tests share: a program folder with its configuration, the
// window over it with test prompts, and the user's ways of working in it.

namespace {
const QString Restart =
    QStringLiteral("In order to make changes on the configuration file valid, Fortavo se must be restarted.");
const QStringList PageNames = {"pnlFiles", "grbBodypart", "grbCardio", "grbTraining", "grbExecution", "pnlEditor"};

// A configuration with every key the window reads.
QByteArray iniWith(const QByteArray &uponOpening = "0", const QByteArray &strings = "clGreen",
                   const QByteArray &functions = "clRed")
{
    return "[Lists]\nBodypart=,Chest,Back\nType_cardio=,Running\nType_training=,Light,Heavy\n"
           "Type_execution=,Warmup\n[Program]\nTop=10\nLeft=20\nTraining_file=mine.dat\n"
           "Html_template_file=page.html\nExercise_file=/data/ex.dat\nGoals_file=goals.dat\n"
           "[Script editor]\nUpon_opening=" + uponOpening + "\nColor_keywords=clTeal\nColor_strings=" + strings
        + "\nColor_functions=" + functions + "\n";
}
}

// Each test gets a new window over an empty program folder; a message no test took
// fails the test.
class PostavkeFixture : public WindowFixture<TfrmPostavke> {
protected:
    QTreeWidget *tree() const { return control<QTreeWidget>(QStringLiteral("trvDrvo")); }
    QString heading() const { return control<QLabel>(QStringLiteral("lblImena"))->text(); }
    QStringList visiblePages() const
    {
        QStringList shown;
        for (const QString &name : PageNames)
            if (control<QWidget>(name)->isVisible())
                shown << name;
        return shown;
    }
    QStringList items(const QString &list) const
    {
        auto *l = control<QListWidget>(list);
        QStringList texts;
        for (int i = 0; i < l->count(); ++i)
            texts << l->item(i)->text();
        return texts;
    }
    QTreeWidgetItem *node(const QString &text) const
    {
        const QList<QTreeWidgetItem *> found = tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        if (found.size() != 1)
            qFatal("no node %s", qPrintable(text));
        return found.constFirst();
    }
    void clickNode(const QString &text)
    {
        const QRect r = tree()->visualItemRect(node(text));
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, r.center());
    }
    void click(const QString &button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
    void show()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    QString ini() const { return QString::fromLatin1(env->readFile(QStringLiteral("init.ini"))); }
    QString stored(const ConfigKeys::Key &key) const
    {
        return IniFile(env->path(QStringLiteral("init.ini"))).readString(key.sectionName(), key.keyName(), "<none>");
    }
    // Runs the main window's Settings command; act works in the shown window and leaves it.
    void runSettings(const std::function<void()> &act)
    {
        whileModal([this] { RunSettingsCommand(*window, *prompts); }, act);
    }
    void chooseColor(const QString &chooser, const QString &text)
    {
        auto *c = control<ColorChooser>(chooser);
        const int index = c->findText(text);
        QVERIFY(index >= 0);
        c->setCurrentIndex(index);
        emit c->activated(index);
    }

    void setUp()
    {
        startWindow([this] { return new TfrmPostavke(*prompts); });
    }
    void tearDown() { endWindow(); }
};
