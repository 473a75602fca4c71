#include "chart/Chart.h"
#include "support/TestEnvironment.h"

#include <QGuiApplication>
#include <QTest>

// The chart as it is drawn: where the data lands, and the hit test of hover and double click.
namespace {
// The line's colour, antialiased edges included.
bool isRed(const QColor &c)
{
    return c.red() > 150 && c.green() < 120 && c.blue() < 120;
}
}

class TestChart : public QObject {
    Q_OBJECT

    const QRectF area{0, 0, 600, 300};

    // Three weekly points of 100, 150 and 120 kg/lbs.
    static Chart::Spec lineSpec()
    {
        Chart::Spec spec;
        spec.yTitle = QStringLiteral("kg/lbs");
        Chart::LineSeries line;
        line.color = Qt::red;
        line.points = {{45000, 100}, {45007, 150}, {45014, 120}};
        spec.lines << line;
        return spec;
    }

private slots:
    void initTestCase() { pinRegionalSettings(); }

    // A later date lies further right, a greater value higher; the scale has room for all.
    void pointsLandInOrder()
    {
        const Chart::Spec spec = lineSpec();
        const Chart::Layout l = Chart::layout(spec, area);
        const QPointF a = l.map(45000, 100), b = l.map(45007, 150), c = l.map(45014, 120);
        QVERIFY(a.x() < b.x() && b.x() < c.x());
        QVERIFY(b.y() < c.y() && c.y() < a.y());
        for (const QPointF &p : {a, b, c})
            QVERIFY(l.plot.contains(p));
        QCOMPARE(c.x() - b.x(), b.x() - a.x()); // a real time scale
        // Point markers are drawn in the series' colour.
        const QImage image = Chart::image(spec, area.size().toSize());
        QCOMPARE(image.pixelColor(b.toPoint()), QColor(Qt::red));
    }

    void hitTest_data()
    {
        QTest::addColumn<QPointF>("offset");
        QTest::addColumn<int>("index");
        QTest::newRow("on the point") << QPointF(0, 0) << 1;
        QTest::newRow("near it") << QPointF(4, -5) << 1;
        QTest::newRow("too far") << QPointF(0, 12) << -1;
    }
    void hitTest()
    {
        QFETCH(QPointF, offset);
        const Chart::Spec spec = lineSpec();
        const QPointF b = Chart::layout(spec, area).map(45007, 150);
        const Chart::Hit hit = Chart::nearestPoint(spec, area, b + offset);
        QTEST(hit.index, "index");
        QCOMPARE(hit.found(), hit.index >= 0);
    }

    // Many points to a pixel column: the line still reaches a single high point among them.
    void denseLineKeepsItsPeak()
    {
        Chart::Spec spec;
        spec.dateX = false;
        Chart::LineSeries line;
        line.color = Qt::red;
        for (int i = 0; i < 5000; ++i)
            line.points << QPointF(i, i == 2501 ? 100 : 50);
        spec.lines << line;
        const Chart::Layout l = Chart::layout(spec, area);
        const QImage image = Chart::image(spec, area.size().toSize());
        const QPoint peak = l.map(2501, 100).toPoint();
        bool reached = false;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                reached = reached || isRed(image.pixelColor(peak + QPoint(dx, dy)));
        QVERIFY(reached);
        bool halfway = false; // the line goes up to it
        for (int dx = -1; dx <= 1; ++dx)
            halfway = halfway || isRed(image.pixelColor(l.map(2501, 75).toPoint() + QPoint(dx, 0)));
        QVERIFY(halfway);
    }

    // Stacks of one bar lie one on the other, the first at the bottom; the bar line is
    // measured on the second axis.
    void stackedBars()
    {
        Chart::Spec spec;
        spec.bars.x = {45000, 45007};
        spec.bars.stacks = {{QStringLiteral("Chest"), Qt::blue, {3000, 1000}}, {QStringLiteral("Back"), Qt::green, {1000, 0}}};
        Chart::LineSeries workouts;
        workouts.secondAxis = true;
        workouts.points = {{45003.5, 2}, {45010.5, 1}};
        spec.lines << workouts;
        const Chart::Layout l = Chart::layout(spec, area);
        QVERIFY(l.hasY2);
        QCOMPARE(l.y.max, 4000.0);
        // Values 1 and 2 tick at 1, 1.2, …, 2; the line's highest point lies one tick
        // below the top, clear of the bars' edge.
        QCOMPARE(l.y2.max, 2.2);
        QCOMPARE(l.y2.ticks.last(), 2.2);
        QVERIFY(l.map(0, 2, true).y() > l.plot.top());
        const QImage image = Chart::image(spec, area.size().toSize());
        const double x = l.map(45001, 0).x();
        QCOMPARE(image.pixelColor(QPointF(x, l.map(0, 1500).y()).toPoint()), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(QPointF(x, l.map(0, 3500).y()).toPoint()), QColor(Qt::green));
        QCOMPARE(image.pixelColor(QPointF(l.map(45008, 0).x(), l.map(0, 1500).y()).toPoint()), QColor(Qt::white));
    }
};

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
