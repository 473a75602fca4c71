#include "chart/Chart.h"

#include <QFontMetrics>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace Chart {
namespace {
constexpr int FontPixels = 11;
constexpr double LegendBox = 9;

void setChartFont(QPainter &painter)
{
    QFont font = painter.font();
    font.setPixelSize(FontPixels);
    painter.setFont(font);
}

bool hasSecondAxis(const Spec &spec)
{
    return std::any_of(spec.lines.begin(), spec.lines.end(), [](const LineSeries &l) { return l.secondAxis; });
}

// The legend's entries: the bar stacks, then the lines when there are bars to tell apart.
struct LegendEntry {
    QString name;
    QColor color;
    bool line = false;
};
QList<LegendEntry> legendEntries(const Spec &spec)
{
    QList<LegendEntry> entries;
    if (!spec.legend || spec.bars.stacks.isEmpty())
        return entries;
    for (const BarStack &s : spec.bars.stacks)
        entries.append({s.name.isEmpty() ? QStringLiteral("-") : s.name, s.color, false});
    for (const LineSeries &l : spec.lines)
        entries.append({l.name, l.color, true});
    return entries;
}

// Legend rows of entries laid out left to right within width.
QList<QList<std::pair<LegendEntry, double>>> legendRows(const QList<LegendEntry> &entries, const QFontMetrics &fm,
                                                         double width)
{
    QList<QList<std::pair<LegendEntry, double>>> rows;
    double x = 0;
    for (const LegendEntry &e : entries) {
        const double w = LegendBox + 4 + fm.horizontalAdvance(e.name) + 14;
        if (rows.isEmpty() || (x + w > width && x > 0)) {
            rows.append(QList<std::pair<LegendEntry, double>>());
            x = 0;
        }
        rows.last().append({e, x});
        x += w;
    }
    return rows;
}

// A long line keeps, of the points that fall in one pixel column, the first, the lowest,
// the highest and the last: the same picture at a fraction of the drawing.
QPolygonF thinned(const QPolygonF &points)
{
    QPolygonF result;
    qsizetype i = 0;
    while (i < points.size()) {
        const double column = std::floor(points.at(i).x());
        qsizetype end = i;
        qsizetype low = i, high = i;
        while (end < points.size() && std::floor(points.at(end).x()) == column) {
            if (points.at(end).y() < points.at(low).y())
                low = end;
            if (points.at(end).y() > points.at(high).y())
                high = end;
            ++end;
        }
        result << points.at(i);
        for (qsizetype k : {std::min(low, high), std::max(low, high), end - 1}) {
            if (k != i && result.last() != points.at(k))
                result << points.at(k);
        }
        i = end;
    }
    return result;
}

double finiteOr(double v, double fallback)
{
    return std::isfinite(v) ? v : fallback;
}
}

void textAt(QPainter &painter, QPoint topLeft, const QString &text)
{
    painter.drawText(QPoint(topLeft.x(), topLeft.y() + painter.fontMetrics().ascent()), text);
}

void polyline(QPainter &painter, const QPolygon &points)
{
    if (points.size() > 1)
        painter.drawPolyline(points);
    else if (points.size() == 1)
        painter.drawLine(points.first() - QPoint(3, 0), points.first() + QPoint(3, 0));
}

void markers(QPainter &painter, const QPolygonF &points, double size)
{
    for (const QPointF &p : points)
        painter.drawRect(QRectF(p.x() - size / 2, p.y() - size / 2, size, size));
}

QPointF Layout::map(double x, double yValue, bool secondAxis) const
{
    const ChartScale::ValueAxis &axis = secondAxis ? y2 : y;
    const double fx = xMax > xMin ? (x - xMin) / (xMax - xMin) : 0.5;
    const double fy = axis.max > axis.min ? (yValue - axis.min) / (axis.max - axis.min) : 0.5;
    return {plot.left() + fx * plot.width(), plot.bottom() - fy * plot.height()};
}

Layout layout(const Spec &spec, const QRectF &rect)
{
    Layout l;
    // The data's extent.
    double xLow = std::numeric_limits<double>::infinity(), xHigh = -xLow;
    double yLow = xLow, yHigh = -xLow, y2Low = xLow, y2High = -xLow;
    for (const LineSeries &line : spec.lines) {
        for (const QPointF &p : line.points) {
            xLow = std::min(xLow, p.x());
            xHigh = std::max(xHigh, p.x());
            double &lo = line.secondAxis ? y2Low : yLow;
            double &hi = line.secondAxis ? y2High : yHigh;
            lo = std::min(lo, p.y());
            hi = std::max(hi, p.y());
        }
    }
    for (qsizetype i = 0; i < spec.bars.x.size(); ++i) {
        xLow = std::min(xLow, spec.bars.x.at(i));
        xHigh = std::max(xHigh, spec.bars.x.at(i) + spec.bars.width);
        double total = 0;
        for (const BarStack &s : spec.bars.stacks)
            total += std::max(0.0, s.values.value(i));
        yLow = std::min(yLow, 0.0);
        yHigh = std::max(yHigh, total);
    }
    const bool hasData = xLow <= xHigh;
    if (!hasData)
        xLow = xHigh = 0;
    if (!(yLow <= yHigh))
        yLow = yHigh = 0;
    if (!(y2Low <= y2High))
        y2Low = y2High = 0;

    l.y = ChartScale::valueAxis(yLow, yHigh);
    l.hasY2 = hasSecondAxis(spec);
    if (l.hasY2) {
        l.y2 = ChartScale::valueAxis(y2Low, y2High);
        // A line over bars whose highest point sits on the top tick would run along the
        // plot's upper edge, through the tallest bars' tops: one more step lifts it clear.
        if (!spec.bars.x.isEmpty() && y2High >= l.y2.max) {
            l.y2.max += l.y2.step;
            l.y2.ticks << l.y2.max;
        }
    }
    if (spec.dateX) {
        l.dates = ChartScale::dateAxis(int(std::floor(finiteOr(xLow, 0))), int(std::ceil(finiteOr(xHigh, 0))));
        if (!hasData)
            l.dates.ticks.clear(); // no dates of 1899 under an empty chart
        l.xMin = l.dates.firstDay;
        l.xMax = l.dates.lastDay;
    } else {
        l.xValues = ChartScale::valueAxis(xLow, xHigh, 8);
        l.xMin = l.xValues.min;
        l.xMax = l.xValues.max;
    }

    QFont font;
    font.setPixelSize(FontPixels);
    const QFontMetrics fm(font);
    double left = 8, right = 12;
    for (double t : l.y.ticks)
        left = std::max(left, double(fm.horizontalAdvance(ChartScale::tickText(t, l.y.step))) + 10);
    if (l.hasY2) {
        for (double t : l.y2.ticks)
            right = std::max(right, double(fm.horizontalAdvance(ChartScale::tickText(t, l.y2.step))) + 10);
    }
    const double top = fm.height() + 8; // the axes' titles
    const int legendRowCount = int(legendRows(legendEntries(spec), fm, rect.width() - left - right).size());
    const double bottom = fm.height() + 10 + legendRowCount * (fm.height() + 4);
    l.plot = QRectF(rect.left() + left, rect.top() + top, std::max(10.0, rect.width() - left - right),
                    std::max(10.0, rect.height() - top - bottom));
    // Keep markers at the ends off the axes: a few pixels of room on both sides.
    const double pad = 6;
    if (l.xMax > l.xMin && l.plot.width() > 4 * pad) {
        const double perPixel = (l.xMax - l.xMin) / (l.plot.width() - 2 * pad);
        l.xMin -= pad * perPixel;
        l.xMax += pad * perPixel;
    }
    return l;
}

void draw(QPainter &painter, const QRectF &rect, const Spec &spec)
{
    painter.save();
    setChartFont(painter);
    painter.fillRect(rect, spec.background);
    const Layout l = layout(spec, rect);
    const QFontMetrics fm = painter.fontMetrics();
    const QRectF &plot = l.plot;

    // Grid lines and the left axis's labels.
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (double t : l.y.ticks) {
        const double y = l.map(l.xMin, t).y();
        painter.setPen(QPen(QColor(225, 225, 225), 0));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(QPen(Qt::black, 0));
        painter.drawLine(QPointF(plot.left() - 4, y), QPointF(plot.left(), y));
        const QString text = ChartScale::tickText(t, l.y.step);
        painter.drawText(QRectF(rect.left(), y - fm.height() / 2.0, plot.left() - rect.left() - 6, fm.height()),
                         Qt::AlignRight | Qt::AlignVCenter, text);
    }
    if (l.hasY2) {
        for (double t : l.y2.ticks) {
            const double y = l.map(l.xMin, t, true).y();
            painter.drawLine(QPointF(plot.right(), y), QPointF(plot.right() + 4, y));
            painter.drawText(QRectF(plot.right() + 6, y - fm.height() / 2.0, rect.right() - plot.right() - 6, fm.height()),
                             Qt::AlignLeft | Qt::AlignVCenter, ChartScale::tickText(t, l.y2.step));
        }
    }

    // The x axis's ticks and labels; a label that would run into the one before is left out.
    double lastLabelEnd = -std::numeric_limits<double>::infinity();
    const auto xTick = [&](double x, const QString &label) {
        const double px = l.map(x, l.y.min).x();
        if (px < plot.left() - 0.5 || px > plot.right() + 0.5)
            return;
        painter.drawLine(QPointF(px, plot.bottom()), QPointF(px, plot.bottom() + 4));
        const double w = fm.horizontalAdvance(label);
        const double labelLeft = std::clamp(px - w / 2, rect.left(), rect.right() - w);
        if (labelLeft < lastLabelEnd + 6)
            return;
        textAt(painter, QPoint(int(labelLeft), int(plot.bottom() + 5)), label);
        lastLabelEnd = labelLeft + w;
    };
    if (spec.dateX) {
        for (const ChartScale::DateTick &t : l.dates.ticks)
            xTick(t.day, t.label);
    } else {
        for (double t : l.xValues.ticks)
            xTick(t, ChartScale::tickText(t, l.xValues.step));
    }

    // Stacked bars, clipped to the plot.
    painter.setClipRect(plot.adjusted(0, -1, 1, 1));
    for (qsizetype i = 0; i < spec.bars.x.size(); ++i) {
        double base = 0;
        const double x0 = l.map(spec.bars.x.at(i), 0).x();
        const double x1 = l.map(spec.bars.x.at(i) + spec.bars.width, 0).x();
        for (const BarStack &s : spec.bars.stacks) {
            const double v = std::max(0.0, s.values.value(i));
            if (v <= 0)
                continue;
            const QPointF bottom = l.map(0, base);
            const QPointF topPoint = l.map(0, base + v);
            painter.fillRect(QRectF(QPointF(x0, topPoint.y()), QPointF(std::max(x1 - 1, x0 + 1), bottom.y())), s.color);
            base += v;
        }
    }

    // Lines with their markers.
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const LineSeries &line : spec.lines) {
        QPolygonF points;
        for (const QPointF &p : line.points)
            points << l.map(p.x(), p.y(), line.secondAxis);
        painter.setPen(QPen(line.color, 1.5));
        painter.setBrush(Qt::NoBrush);
        if (points.size() > 1)
            painter.drawPolyline(thinned(points));
        // Markers where they can be told apart; denser points are the line alone.
        if (points.size() * 4 <= plot.width()) {
            painter.setBrush(line.color);
            markers(painter, points);
        }
    }
    painter.setClipping(false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);

    // Axes and titles.
    painter.setPen(QPen(Qt::black, 0));
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    if (l.hasY2)
        painter.drawLine(plot.bottomRight(), plot.topRight());
    textAt(painter, QPoint(int(rect.left() + 2), int(rect.top() + 2)), spec.yTitle);
    if (l.hasY2) {
        const int w = fm.horizontalAdvance(spec.y2Title);
        textAt(painter, QPoint(int(rect.right() - w - 2), int(rect.top() + 2)), spec.y2Title);
    }

    // The legend under the x axis's labels.
    const auto rows = legendRows(legendEntries(spec), fm, plot.width());
    double y = plot.bottom() + 5 + fm.height() + 6;
    for (const auto &row : rows) {
        for (const auto &[entry, x] : row) {
            const QRectF box(plot.left() + x, y + (fm.height() - LegendBox) / 2, LegendBox, LegendBox);
            if (entry.line) {
                painter.setPen(QPen(entry.color, 2));
                painter.drawLine(QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()));
                painter.setPen(QPen(Qt::black, 0));
            } else {
                painter.fillRect(box, entry.color);
            }
            textAt(painter, QPoint(int(box.right() + 4), int(y)), entry.name);
        }
        y += fm.height() + 4;
    }
    painter.restore();
}

QImage image(const Spec &spec, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(spec.background);
    QPainter painter(&image);
    draw(painter, QRectF(QPointF(0, 0), QSizeF(size)), spec);
    return image;
}

Hit nearestPoint(const Spec &spec, const QRectF &rect, QPointF pos, double maxDistance)
{
    const Layout l = layout(spec, rect);
    Hit hit;
    double best = maxDistance * maxDistance;
    for (qsizetype s = 0; s < spec.lines.size(); ++s) {
        const LineSeries &line = spec.lines.at(s);
        for (qsizetype i = 0; i < line.points.size(); ++i) {
            const QPointF d = l.map(line.points.at(i).x(), line.points.at(i).y(), line.secondAxis) - pos;
            const double dist = d.x() * d.x() + d.y() * d.y();
            if (dist <= best) {
                best = dist;
                hit = {int(s), int(i)};
            }
        }
    }
    return hit;
}
}
