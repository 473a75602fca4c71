#include "app/Ribbon.h"

#include <QAction>
#include <QMainWindow>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

// Ribbon buttons keep their whole captions however narrow the window is asked to be:
// the window does not shrink below its widest ribbon tab.
class TestRibbonCaptions : public QObject {
    Q_OBJECT
private slots:
    void captionsShowWhole_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("the program's default width") << 1180;
        QTest::newRow("a narrow window") << 500;
    }
    void captionsShowWhole()
    {
        QFETCH(int, width);
        QMainWindow window;
        auto *ribbon = new Ribbon(&window);
        window.setMenuWidget(ribbon);
        // The Tools tab as the program fills it.
        const QList<QPair<QString, QStringList>> groups = {
            {"Export", {"Export to a text file", "Export to a HTML file", "Export all week analysises",
                        "Import workouts", "Export to CSV"}},
            {"Workout analysis", {"Workout density", "Density for the enitre day"}},
            {"Training analysis", {"Analysis of a week", "Training analysis"}},
            {"Scripting", {"Run a script", "Script editor"}},
            {"Converter", {"Format converter"}},
        };
        for (const auto &[group, texts] : groups)
            for (const QString &text : texts)
                ribbon->addCommand(Ribbon::ToolsTab, group, new QAction(text, &window));
        window.resize(width, 600);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *tabs = ribbon->findChild<QTabWidget *>(QStringLiteral("ribbon"));
        tabs->setCurrentIndex(1);
        QCoreApplication::processEvents();
        const QList<QToolButton *> buttons = tabs->currentWidget()->findChildren<QToolButton *>();
        QCOMPARE(buttons.size(), 12);
        for (QToolButton *button : buttons) {
            QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
            QVERIFY2(button->mapTo(&window, QPoint(button->width(), 0)).x() <= window.width(), qPrintable(button->text()));
        }
    }
};

QTEST_MAIN(TestRibbonCaptions)
#include "tst_ribboncaptions.moc"
