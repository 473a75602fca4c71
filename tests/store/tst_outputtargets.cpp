// The files a user names for an export or a graph: bad names are refused in plain
// words before anything is written, and a write the system refuses names the file and
// the system's reason and leaves an earlier file of that name whole.

#include "common/InChildProcess.h"

#include "common/WholeFile.h"
#include "exercises/OneRmGraph.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QImage>
#include <QRandomGenerator>
#include <QTest>

#include <sys/stat.h>

namespace {
// Noise, so that its PNG is far larger than the 8 KB the limited writes may use.
QImage noise()
{
    QImage image(160, 120, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, random.generate());
    return image;
}

void writeAs(const QString &kind, const QString &path)
{
    if (kind == "png")
        OneRmGraph::savePng(noise(), path);
    else
        WholeFile::write(path, QByteArray(20000, 't'));
}
}

class TestOutputTargets : public QObject {
    Q_OBJECT
private slots:
    void refusedTargets_data()
    {
        QTest::addColumn<QString>("kind");   // "text" or "png"
        QTest::addColumn<QString>("target"); // in the test's folder; "" is the empty name
        QTest::addColumn<QString>("message"); // %1 is the test's folder
        QTest::addColumn<bool>("limited");    // files may grow to 8 KB only
        QTest::addColumn<bool>("readOnlyFolder");
        for (const QString kind : {"text", "png"}) {
            const QByteArray k = kind.toLatin1();
            QTest::newRow(k + ": empty name")
                << kind << "" << "Cannot write a file without a name: the output file name is empty." << false << false;
            QTest::newRow(k + ": a folder") << kind << "sub" << "Cannot write \"%1sub\": it is a folder, not a file."
                                           << false << false;
            QTest::newRow(k + ": missing folder")
                << kind << "gone/out" << "Cannot write \"%1gone/out\": the folder \"%1gone\" does not exist." << false
                << false;
            QTest::newRow(k + ": read-only folder")
                << kind << "locked/out" << "Cannot write \"%1locked/out\": Permission denied" << false << true;
            QTest::newRow(k + ": file size limit")
                << kind << "out" << "Cannot write \"%1out\": File too large" << true << false;
        }
    }
    void refusedTargets()
    {
        QFETCH(QString, kind);
        QFETCH(QString, target);
        QFETCH(QString, message);
        QFETCH(bool, limited);
        QFETCH(bool, readOnlyFolder);
        TestEnvironment env;
        QDir(env.folder()).mkdir("sub");
        QDir(env.folder()).mkdir("locked");
        env.writeFile("out", "earlier");
        env.writeFile("locked/out", "earlier");
        QCOMPARE(::chmod(QFile::encodeName(env.folder()).constData(), 0755), 0);
        QCOMPARE(::chmod(QFile::encodeName(env.path("locked")).constData(), 0555), 0);
        const QString path = target.isEmpty() ? QString() : env.path(target);
        ChildOptions options;
        if (limited)
            options.fileSizeLimit = 8192;
        options.asNobody = readOnlyFolder;
        const QString result = inChildProcess([&] {
            writeAs(kind, path);
            return QStringLiteral("written");
        }, options);
        QCOMPARE(result, QStringLiteral("IoError: ") + message.arg(env.folder()));
        QCOMPARE(env.readFile("out"), QByteArray("earlier"));
        QCOMPARE(env.readFile("locked/out"), QByteArray("earlier"));
        QCOMPARE(QDir(env.folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"locked", "out", "sub"}));
    }

    void pngReadsBack()
    {
        TestEnvironment env;
        const QImage image = noise();
        OneRmGraph::savePng(image, env.path("graph.png"));
        QCOMPARE(QImage(env.path("graph.png")).convertToFormat(QImage::Format_RGB32), image);
    }
};

QTEST_GUILESS_MAIN(TestOutputTargets)
#include "tst_outputtargets.moc"
