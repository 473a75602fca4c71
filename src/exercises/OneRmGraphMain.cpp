// fortavo-graph: draws the 1RM graph for fortavo-cli, which itself loads no graphics
// libraries. Standard input holds, one per line, the first date, the last date and the
// PNG file's path, each percent-encoded UTF-8 so that any file name arrives whole, and
// then the points, each as the bits of its single in decimal, so that every value
// arrives exactly. A failure to draw or write is reported on standard output with exit
// status 1; standard error carries only what Qt itself has to say.

#include "exercises/OneRmGraph.h"

#include "common/Errors.h"

#include <QGuiApplication>
#include <QTextStream>

#include <bit>

namespace {
QString readText(QTextStream &in)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(in.readLine().toLatin1()));
}

// The points up to the end of the input; false when a line is not a point.
bool readPoints(QTextStream &in, QList<float> &points)
{
    while (!in.atEnd()) {
        bool ok = false;
        const quint32 bits = in.readLine().toUInt(&ok);
        if (!ok)
            return false;
        points << std::bit_cast<float>(bits);
    }
    return true;
}
}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen"); // fonts, no display
    int qtArgc = 1; // what follows the program's name is not Qt's to read
    QGuiApplication app(qtArgc, argv);
    QTextStream in(stdin);
    QTextStream out(stdout);
    const QString firstDate = readText(in);
    const QString lastDate = readText(in);
    const QString path = readText(in);
    QList<float> points;
    if (argc != 1 || !readPoints(in, points)) {
        QTextStream(stderr) << "fortavo-graph: reads the graph's dates, file and points from fortavo-cli\n";
        return 2;
    }
    try {
        OneRmGraph::savePng(OneRmGraph::draw(firstDate, lastDate, points), path);
    } catch (const FortavoError &e) {
        out << e.message() << '\n';
        return 1;
    } catch (const std::exception &e) {
        out << e.what() << '\n';
        return 1;
    }
    return 0;
}
