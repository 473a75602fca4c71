#include "config/ColorChooser.h"
#include "config/ColorDrawing.h"

#include <QApplication>
#include <QPalette>
#include <QSignalSpy>
#include <QTest>

namespace {
// The colours a chooser offers by name: the 20 ordinary and the 30 system colours.
const QStringList OfferedNames = {
    "clBlack", "clMaroon", "clGreen", "clOlive", "clNavy", "clPurple", "clTeal", "clGray", "clSilver", "clRed",
    "clLime", "clYellow", "clBlue", "clFuchsia", "clAqua", "clWhite", "clMoneyGreen", "clSkyBlue", "clCream",
    "clMedGray", "clScrollBar", "clBackground", "clActiveCaption", "clInactiveCaption", "clMenu", "clWindow",
    "clWindowFrame", "clMenuText", "clWindowText", "clCaptionText", "clActiveBorder", "clInactiveBorder",
    "clAppWorkSpace", "clHighlight", "clHighlightText", "clBtnFace", "clBtnShadow", "clGrayText", "clBtnText",
    "clInactiveCaptionText", "clBtnHighlight", "cl3DDkShadow", "cl3DLight", "clInfoText", "clInfoBk", "clHotLight",
    "clGradientActiveCaption", "clGradientInactiveCaption", "clMenuHighlight", "clMenuBar"};

QStringList itemTexts(const QComboBox &box)
{
    QStringList texts;
    for (int i = 0; i < box.count(); ++i)
        texts << box.itemText(i);
    return texts;
}

// A palette whose every role has a colour of its own, so a wrong role shows.
QPalette distinctPalette()
{
    QPalette p;
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        if (role == QPalette::NoRole)
            continue;
        p.setColor(QPalette::Active, QPalette::ColorRole(role), QColor(10 + role, 0, 0));
        p.setColor(QPalette::Inactive, QPalette::ColorRole(role), QColor(0, 10 + role, 0));
        p.setColor(QPalette::Disabled, QPalette::ColorRole(role), QColor(0, 0, 10 + role));
    }
    return p;
}
}

class TestColorChooser : public QObject {
    Q_OBJECT

    // Chooses an item the way a user does, which the chooser answers.
    static void choose(ColorChooser &chooser, const QString &text)
    {
        const int index = chooser.findText(text);
        QVERIFY2(index >= 0, qPrintable(text));
        chooser.setCurrentIndex(index);
        emit chooser.activated(index);
    }

private slots:
    void offersTheNamedColoursWithSwatches()
    {
        ColorChooser chooser;
        QStringList texts = itemTexts(chooser);
        QCOMPARE(texts.takeFirst(), QStringLiteral("Custom..."));
        QStringList expected = OfferedNames;
        texts.sort();
        expected.sort();
        QCOMPARE(texts, expected);
        for (int i = 1; i < chooser.count(); ++i)
            QVERIFY2(!chooser.itemIcon(i).isNull(), qPrintable(chooser.itemText(i)));
    }

    void showsAndKeepsAValue_data()
    {
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ordinary") << quint32(0x00808000) << "clTeal";
        QTest::newRow("system") << quint32(0xFF00000D) << "clHighlight";
        QTest::newRow("no colour") << quint32(0x1FFFFFFF) << "clNone";
        QTest::newRow("default colour") << quint32(0x20000000) << "clDefault";
        QTest::newRow("unnamed") << quint32(0x000080FF) << "$000080FF";
        QTest::newRow("system index without name") << quint32(0xFF000019) << "$FF000019";
    }
    void showsAndKeepsAValue()
    {
        QFETCH(quint32, value);
        QFETCH(QString, shown);
        ColorChooser chooser;
        chooser.setColor(value);
        QCOMPARE(chooser.color(), ColorValue(value));
        QCOMPARE(chooser.currentText(), shown);
        QCOMPARE(chooser.findText(shown), chooser.currentIndex());
        QVERIFY(chooser.itemText(chooser.count() - 1) == QStringLiteral("clMenuBar"));
    }

    void oneEntryForAnUnnamedValue()
    {
        ColorChooser chooser;
        const int named = chooser.count();
        chooser.setColor(0x00123456);
        chooser.setColor(0x00654321);
        QCOMPARE(chooser.count(), named + 1);
        QCOMPARE(chooser.findText(QStringLiteral("$00123456")), -1);

        // The user can go to a named colour and back to the value read.
        choose(chooser, QStringLiteral("clRed"));
        QCOMPARE(chooser.color(), ColorValue(0x000000FF));
        choose(chooser, QStringLiteral("$00654321"));
        QCOMPARE(chooser.color(), ColorValue(0x00654321));

        // A named value set from outside drops the entry.
        chooser.setColor(0x00FF0000);
        QCOMPARE(chooser.count(), named);
        QCOMPARE(chooser.currentText(), QStringLiteral("clBlue"));
    }

    void customColour_data()
    {
        QTest::addColumn<bool>("picked");
        QTest::addColumn<QColor>("answer");
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("unnamed colour") << true << QColor(0x12, 0x34, 0x56) << quint32(0x00563412) << "$00563412";
        QTest::newRow("a named colour") << true << QColor(0, 128, 128) << quint32(0x00808000) << "clTeal";
        QTest::newRow("cancelled") << false << QColor() << quint32(0x00008000) << "clGreen";
    }
    void customColour()
    {
        QFETCH(bool, picked);
        QFETCH(QColor, answer);
        QFETCH(quint32, value);
        QFETCH(QString, shown);
        ColorChooser chooser;
        chooser.setColor(0x00008000);
        QColor offered;
        chooser.setCustomPicker([&](const QColor &initial, QWidget *) -> std::optional<QColor> {
            offered = initial;
            return picked ? std::optional<QColor>(answer) : std::nullopt;
        });
        QSignalSpy changed(&chooser, &ColorChooser::colorChanged);
        choose(chooser, QStringLiteral("Custom..."));
        QCOMPARE(offered, QColor(0, 128, 0));
        QCOMPARE(chooser.color(), ColorValue(value));
        QCOMPARE(chooser.currentText(), shown);
        QCOMPARE(changed.size(), picked ? 1 : 0);
    }

    void drawingColour_data()
    {
        const QPalette p = distinctPalette();
        const QColor text = p.color(QPalette::Active, QPalette::Text);
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("clRed") << quint32(0x000000FF) << QColor(255, 0, 0);
        QTest::newRow("clSkyBlue") << quint32(0x00F0CAA6) << QColor(0xA6, 0xCA, 0xF0);
        QTest::newRow("clWindow") << quint32(0xFF000005) << p.color(QPalette::Active, QPalette::Base);
        QTest::newRow("clWindowText") << quint32(0xFF000008) << text;
        QTest::newRow("clHighlight") << quint32(0xFF00000D) << p.color(QPalette::Active, QPalette::Highlight);
        QTest::newRow("clHighlightText") << quint32(0xFF00000E) << p.color(QPalette::Active, QPalette::HighlightedText);
        QTest::newRow("clBtnFace") << quint32(0xFF00000F) << p.color(QPalette::Active, QPalette::Button);
        QTest::newRow("clGrayText") << quint32(0xFF000011) << p.color(QPalette::Disabled, QPalette::Text);
        QTest::newRow("clInfoText") << quint32(0xFF000017) << p.color(QPalette::Active, QPalette::ToolTipText);
        QTest::newRow("clInfoBk") << quint32(0xFF000018) << p.color(QPalette::Active, QPalette::ToolTipBase);
        QTest::newRow("clHotLight") << quint32(0xFF00001A) << p.color(QPalette::Active, QPalette::Link);
        QTest::newRow("clMenuBar") << quint32(0xFF00001E) << p.color(QPalette::Active, QPalette::Window);
        QTest::newRow("clNone") << quint32(0x1FFFFFFF) << text;
        QTest::newRow("clDefault") << quint32(0x20000000) << text;
        QTest::newRow("system index 25") << quint32(0xFF000019) << text;
        QTest::newRow("system index beyond the table") << quint32(0xFF00001F) << text;
        QTest::newRow("no colour form") << quint32(0x12345678) << text;
    }
    void drawingColour()
    {
        QFETCH(quint32, value);
        QFETCH(QColor, expected);
        QCOMPARE(DrawingColor(value, distinctPalette()), expected);
    }

    void colourValueOfAColour()
    {
        QCOMPARE(ColorValueOf(QColor(1, 2, 3)), ColorValue(0x00030201));
        QCOMPARE(ColorValueOf(QColor::fromHsv(0, 255, 255)), ColorValue(0x000000FF));
    }
};

QTEST_MAIN(TestColorChooser)
#include "tst_colorchooser.moc"
