#pragma once

#include "chart/ChartScale.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPointF>
#include <QPolygon>
#include <QRectF>
#include <QString>

// The chart unit: axes with round ticks, a date or value x axis, line series with point
// markers, stacked bars with a legend and a second y axis for a line over the bars,
// drawn with a QPainter into a rectangle; and the hit test for hover and double click.
namespace Chart {

// Text with its top left corner at the point, as a canvas writes it.
void textAt(QPainter &painter, QPoint topLeft, const QString &text);
// A straight line through the points; one point alone is a short dash (6 pixels).
void polyline(QPainter &painter, const QPolygon &points);
// A small square marker centred on each point.
void markers(QPainter &painter, const QPolygonF &points, double size = 5);

struct LineSeries {
    QString name;
    QColor color = Qt::darkBlue;
    QList<QPointF> points; // x: the day count (date axis) or any value; y: the value
    bool secondAxis = false; // measured on the right-hand axis
};

struct BarStack {
    QString name; // the legend's text
    QColor color;
    QList<double> values; // one per bar, stacked bottom up in the order of the stacks
};

struct Bars {
    QList<double> x; // the x of each bar's left edge (day count on a date axis)
    double width = 7; // in x units (7 days for a week)
    QList<BarStack> stacks;
};

struct Spec {
    bool dateX = true;  // a date axis on x, otherwise a value axis
    QString yTitle;     // the unit over the left axis
    QString y2Title;    // over the right axis, when a series uses it
    QList<LineSeries> lines;
    Bars bars;          // measured on the left axis
    bool legend = true; // the bar stacks' legend (and line names when there are bars)
    QColor background = Qt::white;
};

// Where the parts of a chart fall in a rectangle.
struct Layout {
    QRectF plot; // the area inside the axes
    double xMin = 0, xMax = 1;
    ChartScale::ValueAxis y;
    ChartScale::ValueAxis y2;
    bool hasY2 = false;
    ChartScale::DateAxis dates; // when Spec::dateX
    ChartScale::ValueAxis xValues; // otherwise
    QPointF map(double x, double y, bool secondAxis = false) const;
};
Layout layout(const Spec &spec, const QRectF &rect);

void draw(QPainter &painter, const QRectF &rect, const Spec &spec);
// The chart as an image of that size.
QImage image(const Spec &spec, QSize size);

// The point of a line series nearest to pos within maxDistance pixels: its series and
// index; -1, -1 when none is that close.
struct Hit {
    int series = -1;
    int index = -1;
    bool found() const { return series >= 0; }
};
Hit nearestPoint(const Spec &spec, const QRectF &rect, QPointF pos, double maxDistance = 10);
}
