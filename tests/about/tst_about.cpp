#include "about/About.h"
#include "about/LicenseText.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

namespace {
const QString Missing =
    QStringLiteral("The product license could not be found!\nPlease visit the Fortavo website for more information.");
}

class TestAbout : public WindowFixture<TfrmAbout> {
    Q_OBJECT

    QPlainTextEdit *memo() const { return control<QPlainTextEdit>(QStringLiteral("memLicenca")); }
    QLabel *link() const { return control<QLabel>(QStringLiteral("lblWeb")); }
    // Shows the window modally; act works in it and leaves it.
    void showModal(const std::function<void()> &act)
    {
        whileModal([this] { window->showModal(); }, act);
    }
    bool looksLikeALink() const
    {
        return link()->font().underline() && link()->testAttribute(Qt::WA_SetCursor)
            && link()->cursor().shape() == Qt::PointingHandCursor;
    }

private slots:
    void init()
    {
        startWindow([this] { return new TfrmAbout(*prompts); });
    }
    void cleanup() { endWindow(); }

    void showsNameVersionAndLogo()
    {
        window->startUp();
        prompts->take();
        QCOMPARE(window->windowTitle(), QStringLiteral("About Fortavo"));
        QCOMPARE(control<QLabel>("lblVerzija")->text(), QStringLiteral("v.0.9 beta"));
        QCOMPARE(link()->text(), QStringLiteral("Visit the Fortavo website!"));
        QCOMPARE(control<QLabel>("lblNaslov")->text(), QStringLiteral("Fortavo"));
        QVERIFY(control<QLabel>("lblNaslov")->font().pointSize() > 2 * link()->font().pointSize());
        QVERIFY(!control<QLabel>("imgLogo")->pixmap().isNull());
        QVERIFY(!window->windowIcon().isNull());
        const QImage logo = TfrmAbout::logo().pixmap(QSize(64, 64)).toImage();
        QVERIFY(logo.pixelColor(32, 8) != logo.pixelColor(32, 32)); // drawn, not one flat colour
        QCOMPARE(control<QPushButton>("bitOk")->text(), QStringLiteral("OK"));
    }

    void licenceText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("lines") << QByteArray("MIT License\n\nCopyright\n") << "MIT License\n\nCopyright";
        QTest::newRow("CRLF lines") << QByteArray("a\r\nb\r\n\r\n") << "a\nb\n";
        QTest::newRow("UTF-8") << QByteArray("\xEF\xBB\xBF" "Gr\xC3\xBC\xC3\x9F" "e") << QString::fromUtf8("Grüße");
        QTest::newRow("single-byte code page") << QByteArray("\x8A" "ko\x9A") << QString::fromUtf8("Škoš");
        QTest::newRow("empty file") << QByteArray() << "";
    }
    void licenceText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        env->writeFile("license.txt", bytes);
        window->startUp();
        QCOMPARE(memo()->toPlainText(), shown);
    }

    void licenceIsReadOnceAndCannotBeEdited()
    {
        env->writeFile("license.txt", "Permission is hereby granted\nline 2\n");
        window->startUp();
        env->writeFile("license.txt", "changed while running");
        QVERIFY(memo()->isReadOnly());
        QCOMPARE(memo()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        for (int showing = 0; showing < 3; ++showing) {
            showModal([this] {
                memo()->setFocus();
                QTest::keyClicks(memo(), "xyz");
                QTest::keyClick(memo(), Qt::Key_Delete);
                QTest::keyClick(memo(), Qt::Key_Backspace);
                QTest::keyClick(memo(), Qt::Key_V, Qt::ControlModifier);
                QTest::mouseClick(control<QPushButton>("bitOk"), Qt::LeftButton);
            });
            QCOMPARE(memo()->toPlainText(), QStringLiteral("Permission is hereby granted\nline 2"));
        }
    }

    void aMissingLicenceIsReportedOnceAtStartUp()
    {
        window->startUp();
        QCOMPARE(prompts->take(), (QList<TestPrompts::Shown>{{"error", Missing}}));
        env->writeFile("license.txt", "added later");
        for (int showing = 0; showing < 2; ++showing)
            showModal([this] { QTest::mouseClick(control<QPushButton>("bitOk"), Qt::LeftButton); });
        QCOMPARE(memo()->toPlainText(), QString());
    }

    void anUnreadableLicenceIsReported()
    {
        QVERIFY(QDir(env->folder()).mkdir("license.txt.d"));
        QVERIFY(!LicenseText::read(env->path("nothing.txt")).has_value());
        QVERIFY(!LicenseText::read(env->path("license.txt.d")).has_value()); // a folder is no licence
    }

    void theLinkFollowsTheWebsiteCommand()
    {
        env->writeFile("license.txt", "x");
        window->startUp();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));

        // No command, or a disabled one (no address): plain text that opens nothing.
        QVERIFY(!looksLikeALink());
        QTest::mouseClick(link(), Qt::LeftButton);
        QAction website(QStringLiteral("Visit Fortavo website"));
        int opened = 0;
        connect(&website, &QAction::triggered, this, [&] { ++opened; });
        website.setEnabled(false);
        window->setWebsiteAction(&website);
        QVERIFY(!looksLikeALink());
        QTest::mouseClick(link(), Qt::LeftButton);
        QCOMPARE(opened, 0);

        website.setEnabled(true);
        QVERIFY(looksLikeALink());
        QCOMPARE(link()->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QTest::mouseClick(link(), Qt::LeftButton);
        QCOMPARE(opened, 1);
        QVERIFY(window->isVisible());

        website.setEnabled(false);
        QVERIFY(!looksLikeALink());
    }

    void keysFromEveryKindOfField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("key");
        for (const char *field : {"memLicenca", "bitOk"}) {
            QTest::addRow("Enter in %s", field) << field << int(Qt::Key_Return);
            QTest::addRow("Esc in %s", field) << field << int(Qt::Key_Escape);
        }
    }
    void keysFromEveryKindOfField()
    {
        QFETCH(QString, field);
        QFETCH(int, key);
        env->writeFile("license.txt", "x");
        window->startUp();
        showModal([&] {
            auto *widget = control<QWidget>(field);
            widget->setFocus();
            QCOMPARE(QApplication::focusWidget(), widget);
            QTest::keyClick(widget, Qt::Key(key));
        });
        QCOMPARE(memo()->toPlainText(), QStringLiteral("x"));
    }

    void theShippedLicence()
    {
        const QString shipped = QCoreApplication::applicationDirPath() + QStringLiteral("/license.txt");
        const std::optional<QString> text = LicenseText::read(shipped);
        QVERIFY(text.has_value());
        QVERIFY(text->startsWith(QStringLiteral("MIT License\n\nCopyright (c) 2026 The Fortavo developers\n")));
        QVERIFY(text->contains(QStringLiteral("THE SOFTWARE IS PROVIDED \"AS IS\"")));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
