#include "exercises/OneRmGraph.h"

#include "chart/Chart.h"
#include "common/Errors.h"
#include "common/WholeFile.h"

#include <QBuffer>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <cmath>
#include <limits>

namespace OneRmGraph {
namespace {
constexpr int MaxPoints = 40;
constexpr int FirstX = 35;
constexpr int PointSpacing = 10;
constexpr int BottomY = 140;
constexpr int MiddleY = 80;

// Cut toward zero to an int; values a damaged file could hold (infinite, NaN, huge)
// end at the int range instead of being undefined.
int truncated(long double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<long double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (v <= static_cast<long double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(v);
}

void textAt(QPainter &painter, int x, int y, const QString &text)
{
    Chart::textAt(painter, QPoint(x, y), text);
}
}

int pointY(float value, float lowest, float highest)
{
    const float scale = (highest - lowest) / 120.0f;
    if (!(scale > 0) || std::isinf(scale))
        return MiddleY;
    const long double offset = (static_cast<long double>(value) - lowest) / scale;
    const long double y = BottomY - static_cast<long double>(truncated(offset));
    return truncated(y);
}

QImage draw(const QString &firstDate, const QString &lastDate, const QList<float> &allPoints)
{
    const QList<float> points = allPoints.size() > MaxPoints ? allPoints.mid(allPoints.size() - MaxPoints) : allPoints;

    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 0));
    QFont font = painter.font();
    font.setPixelSize(11); // a small dialog font: the date row has 20 pixels
    painter.setFont(font);

    // Axes, the first point's tick and the first date. The unit stands at the top of
    // the vertical axis, clear of the dates.
    painter.drawLine(30, 10, 30, 160);
    painter.drawLine(30, 160, 450, 160);
    painter.drawLine(35, 158, 35, 163);
    textAt(painter, 30, 165, firstDate);
    textAt(painter, 36, 0, QStringLiteral("kg/lbs"));

    float lowest = 10000;
    float highest = 0;
    for (float p : points) {
        highest = std::max(highest, p);
        if (p < lowest)
            lowest = p;
    }

    // Value labels beside the ticks: the value that a point at the label's height has,
    // lowest at 140 up to highest at 20 in quarters of the range.
    for (int y = 25; y <= 145; y += 30)
        painter.drawLine(28, y, 33, y);
    if (!points.isEmpty()) {
        const long double range = static_cast<long double>(highest) - lowest;
        // Equal points lie on the middle line: one label says their value.
        for (int k = range > 0 ? 0 : 2; k <= (range > 0 ? 4 : 2); ++k) {
            const long double value = lowest + range * k / 4;
            textAt(painter, 0, 140 - 30 * k, QString::number(truncated(std::round(value))));
        }
    }

    QPolygon line;
    for (int i = 0; i < points.size(); ++i)
        line << QPoint(FirstX + PointSpacing * i, pointY(points.at(i), lowest, highest));
    Chart::polyline(painter, line); // one workout: a short dash

    // The last date under the last point; without points, at the end of the axis's
    // point range. It never runs into the first date, and one workout shows its date once.
    const int lastX = line.isEmpty() ? FirstX + PointSpacing * (MaxPoints - 1) : line.last().x();
    const int firstDateEnd = 30 + painter.fontMetrics().horizontalAdvance(firstDate);
    const int lastDateX = firstDate.isEmpty() ? lastX - 25 : std::max(lastX - 25, firstDateEnd + 6);
    if (!(line.size() == 1 && lastDate == firstDate))
        textAt(painter, lastDateX, 165, lastDate);
    painter.drawLine(lastX, 158, lastX, 163);
    return image;
}

void savePng(const QImage &image, const QString &path)
{
    WholeFile::checkTarget(path);
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        throw IoError(QStringLiteral("Cannot write \"%1\": the graph could not be encoded as a PNG image.")
                          .arg(QDir::toNativeSeparators(path)));
    WholeFile::write(path, png);
}
}
