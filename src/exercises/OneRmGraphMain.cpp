// fortavo-graph: draws the 1RM graph for fortavo-cli, which itself loads no graphics
// libraries. Standard input holds, one per line in UTF-8, the first date, the last
// date, the PNG file's path and then the points, each as the bits of its single in
// decimal, so that every value arrives exactly. A failure is reported on standard
// error with exit status 1.

#include "exercises/OneRmGraph.h"

#include "common/Errors.h"

#include <QGuiApplication>
#include <QTextStream>

#include <bit>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen"); // fonts, no display
    QGuiApplication app(argc, argv);
    QTextStream in(stdin);
    in.setEncoding(QStringConverter::Utf8);
    QTextStream err(stderr);
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
