#include "converter/Converter.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
const QString NoFile = QStringLiteral("You did not select a file!");
const QString SameVersions = QStringLiteral("The file versions you selected are the same, so no conversion can be done!");
}

class TestConverterWindow : public WindowFixture<TfrmConverter> {
    Q_OBJECT

    QLineEdit *ledStara() const { return control<QLineEdit>("ledStara"); }
    QString oldFile() const { return env->path(QStringLiteral("old.dat")); }
    QStringList labels() const
    {
        QStringList texts;
        for (const QLabel *label : window->findChildren<QLabel *>())
            texts << label->text();
        return texts;
    }
    void showActive()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

private slots:
    void init()
    {
        startWindow([this] { return new TfrmConverter(*prompts); });
        env->writeFile(QStringLiteral("old.dat"), QByteArray(2032, '\0'));
    }
    void cleanup() { endWindow(); }

    void startState()
    {
        QCOMPARE(window->windowTitle(), QStringLiteral("Version converter"));
        auto *memo = control<QPlainTextEdit>("memObjasnjenje");
        QCOMPARE(memo->toPlainText(),
                 QStringLiteral("Every version of Fortavo brings new enchancements to the Workout database format, so "
                                "training files used with previous version often aren't compatible with the latter "
                                "one. Use this tool to convert your old training file to a new version!"));
        QVERIFY(memo->isReadOnly());
        QCOMPARE(ledStara()->text(), QString());
        QCOMPARE(control<QPushButton>("bitStara")->toolTip(), QStringLiteral("Select old file"));
        auto *backup = control<QCheckBox>("chbBackup");
        QCOMPARE(backup->text(), QStringLiteral("Create a backup file"));
        QVERIFY(backup->isChecked());
        for (const auto &[name, item] : {std::pair{"cmbStara", "Fortavo 1.5"}, std::pair{"cmbNova", "Fortavo 2.0"}}) {
            auto *combo = control<QComboBox>(name);
            QCOMPARE(combo->count(), 1);
            QCOMPARE(combo->currentText(), QString::fromLatin1(item));
            QVERIFY(!combo->isEditable());
        }
        auto *convert = control<QPushButton>("bitConvert");
        QCOMPARE(convert->text(), QStringLiteral("Convert"));
        QVERIFY(convert->isDefault());
        for (const char *label : {"Old training file:", "Old version:", "New version:"})
            QVERIFY2(labels().contains(QLatin1String(label)), label);
        QVERIFY(window->keepBackup());
        QVERIFY(window->convertsOldToNew());
    }

    void selectOldFile_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("answer"); // empty: cancelled
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("initialPath");
        const QString folder = QDir::tempPath() + QStringLiteral("/");
        QTest::newRow("chosen") << QString() << folder + "a.dat" << folder + "a.dat" << "<program folder>";
        QTest::newRow("cancelled keeps the text") << "/x/old.dat" << QString() << "/x/old.dat" << "/x/old.dat";
        QTest::newRow("relative answer made full") << QString() << "rel/b.dat" << QDir::current().absoluteFilePath("rel/b.dat")
                                                   << "<program folder>";
    }
    void selectOldFile()
    {
        QFETCH(QString, before);
        QFETCH(QString, answer);
        QFETCH(QString, after);
        QFETCH(QString, initialPath);
        ledStara()->setText(before);
        prompts->fileAnswers.enqueue(answer);
        QTest::mouseClick(control<QPushButton>("bitStara"), Qt::LeftButton);
        QCOMPARE(ledStara()->text(), after);
        QCOMPARE(prompts->take(), (QList<TestPrompts::Shown>{{"open", "Open the old training file"}}));
        const UserPrompts::FileDialog &dialog = prompts->fileDialogs.last();
        QCOMPARE(dialog.filter, QStringLiteral("Data files (*.dat)|*.dat"));
        QCOMPARE(dialog.defaultExtension, QStringLiteral("dat"));
        QVERIFY(dialog.mustExist);
        QCOMPARE(dialog.initialPath, initialPath == "<program folder>" ? env->folder() : initialPath);
    }

    // The checks of the Convert button, in their order; the window stays open on each.
    void convertChecks_data()
    {
        QTest::addColumn<QString>("file"); // "<old>": an existing old file
        QTest::addColumn<bool>("sameVersions");
        QTest::addColumn<QString>("error"); // empty: closes with the convert result
        QTest::addColumn<QString>("focus");
        QTest::newRow("no text") << QString() << false << NoFile << "ledStara";
        QTest::newRow("no text, same versions") << QString() << true << NoFile << "ledStara";
        QTest::newRow("missing file") << "/no/such/old.dat" << false << NoFile << "ledStara";
        QTest::newRow("a folder") << "<folder>" << false << NoFile << "ledStara";
        QTest::newRow("same versions") << "<old>" << true << SameVersions << "cmbStara";
        QTest::newRow("file and two versions") << "<old>" << false << QString() << QString();
    }
    void convertChecks()
    {
        QFETCH(QString, file);
        QFETCH(bool, sameVersions);
        QFETCH(QString, error);
        QFETCH(QString, focus);
        showActive();
        ledStara()->setText(file == "<old>" ? oldFile() : file == "<folder>" ? env->folder() : file);
        if (sameVersions) {
            control<QComboBox>("cmbNova")->addItem(QStringLiteral("Fortavo 1.5"));
            control<QComboBox>("cmbNova")->setCurrentIndex(1);
        }
        control<QPushButton>("bitConvert")->setFocus();
        QTest::mouseClick(control<QPushButton>("bitConvert"), Qt::LeftButton);
        if (error.isEmpty()) {
            QVERIFY(!window->isVisible());
            QCOMPARE(window->result(), int(QDialog::Accepted));
            return;
        }
        QCOMPARE(prompts->take(), (QList<TestPrompts::Shown>{{"error", error}}));
        QVERIFY(window->isVisible());
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(!window->convertsOldToNew() || !sameVersions);
    }

    // Enter takes the default button from every kind of field, except a focused button,
    // which Enter presses; Esc closes the window without the convert result.
    void keys_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("outcome"); // "convert", "close", "dialog"
        const QStringList fields = {"ledStara", "bitStara", "chbBackup", "cmbStara", "cmbNova", "bitConvert"};
        for (const QString &field : fields) {
            const QString enter = field == "bitStara" ? "dialog" : "convert";
            QTest::addRow("%s Return", qPrintable(field)) << field << int(Qt::Key_Return) << enter;
            QTest::addRow("%s Enter", qPrintable(field)) << field << int(Qt::Key_Enter) << enter;
            QTest::addRow("%s Esc", qPrintable(field)) << field << int(Qt::Key_Escape) << "close";
        }
    }
    void keys()
    {
        QFETCH(QString, field);
        QFETCH(int, key);
        QFETCH(QString, outcome);
        showActive();
        ledStara()->setText(oldFile());
        auto *widget = control<QWidget>(qPrintable(field));
        widget->setFocus();
        QCOMPARE(QApplication::focusWidget(), widget);
        if (outcome == "dialog")
            prompts->fileAnswers.enqueue(QString());
        QTest::keyClick(widget, Qt::Key(key));
        if (outcome == "dialog") {
            QCOMPARE(prompts->take(), (QList<TestPrompts::Shown>{{"open", "Open the old training file"}}));
            QVERIFY(window->isVisible());
            QCOMPARE(ledStara()->text(), oldFile());
            return;
        }
        QVERIFY(!window->isVisible());
        QCOMPARE(window->result(), int(outcome == "convert" ? QDialog::Accepted : QDialog::Rejected));
    }

    void tabOrder()
    {
        showActive();
        ledStara()->setFocus();
        QStringList walked;
        for (int i = 0; i < 6; ++i) {
            walked << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(walked, (QStringList{"ledStara", "bitStara", "chbBackup", "cmbStara", "cmbNova", "bitConvert"}));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("ledStara"));
    }

    // The modal run reports how the window closed and what was chosen in it.
    void showModal_data()
    {
        QTest::addColumn<bool>("convert");
        QTest::addColumn<bool>("keepBackup");
        QTest::newRow("converted with backup") << true << true;
        QTest::newRow("converted without backup") << true << false;
        QTest::newRow("close box") << false << true;
    }
    void showModal()
    {
        QFETCH(bool, convert);
        QFETCH(bool, keepBackup);
        QTimer::singleShot(0, this, [&] {
            QVERIFY(QTest::qWaitForWindowActive(window));
            QCOMPARE(QApplication::focusWidget(), ledStara());
            QTest::keyClicks(ledStara(), oldFile());
            if (!keepBackup)
                QTest::keyClick(control<QCheckBox>("chbBackup"), Qt::Key_Space);
            if (convert)
                QTest::keyClick(ledStara(), Qt::Key_Return);
            else
                window->close();
        });
        QCOMPARE(window->showModal(), convert);
        QCOMPARE(window->oldFileName(), oldFile());
        QCOMPARE(window->keepBackup(), keepBackup);
    }
};

QTEST_MAIN(TestConverterWindow)
#include "tst_converterwindow.moc"
