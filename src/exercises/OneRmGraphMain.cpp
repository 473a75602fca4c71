// fortavo-graph: draws the 1RM graph for fortavo-cli, which itself loads no graphics
// libraries. Standard input holds, one per line in UTF-8, the first date, the last
// date, the PNG file's path and then the points, each as the bits of its single in
// decimal, so that every value arrives exactly. A failure is reported on standard
// error with exit status 1.
//
// With --chart it draws an exercise's progress chart (800 × 400) instead: standard input
// holds the PNG file's path, the value axis's title and then one point a line, its day
// count and the bits of its value, separated by a blank.

#include "chart/Chart.h"
#include "exercises/OneRmGraph.h"

#include "common/Errors.h"

#include <QGuiApplication>
#include <QTextStream>

#include <bit>

namespace {
int drawChart(QTextStream &in, QTextStream &err)
{
    const QString path = in.readLine();
    Chart::Spec spec;
    spec.yTitle = in.readLine();
    Chart::LineSeries line;
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split(QLatin1Char(' '));
        bool dayOk = false, bitsOk = false;
        const int day = fields.value(0).toInt(&dayOk);
        const quint32 bits = fields.value(1).toUInt(&bitsOk);
        if (fields.size() != 2 || !dayOk || !bitsOk) {
            err << "fortavo-graph: a point is not given as its day and the bits of a single\n";
            return 2;
        }
        line.points << QPointF(day, double(std::bit_cast<float>(bits)));
    }
    spec.lines << line;
    try {
        OneRmGraph::savePng(Chart::image(spec, QSize(800, 400)), path);
    } catch (const FortavoError &e) {
        err << e.message() << '\n';
        return 1;
    }
    return 0;
}
}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen"); // fonts, no display
    QGuiApplication app(argc, argv);
    QTextStream in(stdin);
    in.setEncoding(QStringConverter::Utf8);
    QTextStream err(stderr);
    if (app.arguments().contains(QStringLiteral("--chart")))
        return drawChart(in, err);
    const QString firstDate = in.readLine();
    const QString lastDate = in.readLine();
    const QString path = in.readLine();
    QList<float> points;
    while (!in.atEnd()) {
        bool ok = false;
        const quint32 bits = in.readLine().toUInt(&ok);
        if (!ok) {
            err << "fortavo-graph: a point is not given as the bits of a single\n";
            return 2;
        }
        points << std::bit_cast<float>(bits);
    }
    try {
        OneRmGraph::savePng(OneRmGraph::draw(firstDate, lastDate, points), path);
    } catch (const FortavoError &e) {
        err << e.message() << '\n';
        return 1;
    }
    return 0;
}
