#include "common/Errors.h"
#include "exercises/ExerciseFile.h"
#include "support/FailingDevice.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

QByteArray field(const char *hex, int capacity)
{
    QByteArray bytes = QByteArray::fromHex(hex);
    bytes.append(QByteArray(capacity + 1 - bytes.size(), '\0'));
    return bytes;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}

class TestExerciseFile : public QObject {
    Q_OBJECT
private slots:
    void recordMatchesGoldenBytes()
    {
        // Name "Čučanj" in Windows-1250, body part "Chest", description "Flat bench".
        const QByteArray golden = field("06C875E8616E6A", 50) + field("054368657374", 15)
                                  + field("0A466C61742062656E6368", 255);
        QCOMPARE(golden.size(), CatalogExercise::Size);
        const CatalogExercise e{QStringLiteral("Čučanj"), QStringLiteral("Chest"), QStringLiteral("Flat bench")};
        QCOMPARE(e.encode(), golden);
        QCOMPARE(CatalogExercise::decode(golden.constData()), e);
    }

    void decodeIgnoresBytesAfterTheText()
    {
        QByteArray bytes = field("03416263", 50) + field("00", 15) + field("00", 255);
        bytes[4] = 'X'; // beyond the length: carries no meaning
        bytes[60] = 'Y';
        const CatalogExercise e = CatalogExercise::decode(bytes.constData());
        QCOMPARE(e.Name, QStringLiteral("Abc"));
        QCOMPARE(e.Bodypart, QString());
    }

    void textsAreCutToTheirCapacity()
    {
        const CatalogExercise e{QString(60, QLatin1Char('n')), QString(20, QLatin1Char('b')), QString(300, QLatin1Char('d'))};
        const CatalogExercise back = CatalogExercise::decode(e.encode().constData());
        QCOMPARE(back.Name, QString(50, QLatin1Char('n')));
        QCOMPARE(back.Bodypart, QString(15, QLatin1Char('b')));
        QCOMPARE(back.Description, QString(255, QLatin1Char('d')));
    }

    void resolveName_data()
    {
        QTest::addColumn<QString>("configured");
        QTest::addColumn<QString>("inFolder"); // empty: used as given
        QTest::newRow("missing configuration") << QString() << QStringLiteral("exercises.dat");
        QTest::newRow("blank") << QStringLiteral("  ") << QStringLiteral("exercises.dat");
        QTest::newRow("bare name") << QStringLiteral("mine.dat") << QStringLiteral("mine.dat");
        QTest::newRow("full path") << QStringLiteral("/data/mine.dat") << QString();
    }
    void resolveName()
    {
        QFETCH(QString, configured);
        QFETCH(QString, inFolder);
        TestEnvironment env;
        QCOMPARE(ExerciseFile::resolveName(configured), inFolder.isEmpty() ? configured : env.path(inFolder));
    }

    void missingFileIsCreatedEmpty()
    {
        TestEnvironment env;
        ExerciseFile file;
        file.open(env.path(QStringLiteral("exercises.dat")));
        QVERIFY(QFile::exists(env.path(QStringLiteral("exercises.dat"))));
        QCOMPARE(file.count(), 0);
        QVERIFY(file.readAll().isEmpty());
    }

    void saveRewritesTheWholeFile()
    {
        TestEnvironment env;
        const QString path = env.path(QStringLiteral("exercises.dat"));
        const CatalogExercise a{QStringLiteral("A"), QStringLiteral("Back"), QString()};
        const CatalogExercise b{QStringLiteral("B"), QString(), QStringLiteral("two")};
        // Three records and a partial tail; the partial record does not count.
        env.writeFile(QStringLiteral("exercises.dat"), a.encode() + b.encode() + a.encode() + QByteArray(100, 'x'));
        ExerciseFile file;
        file.open(path);
        QCOMPARE(file.count(), 3);

        file.save({b, a});
        QCOMPARE(fileBytes(path), b.encode() + a.encode());
        QCOMPARE(file.readAll(), (QList<CatalogExercise>{b, a}));

        file.save({});
        QCOMPARE(QFile(path).size(), 0);
        QCOMPARE(file.count(), 0);
    }

    void failedSaveKeepsTheOldList()
    {
        TestEnvironment env;
        const QString path = env.path(QStringLiteral("exercises.dat"));
        const CatalogExercise a{QStringLiteral("A"), QString(), QString()};
        const CatalogExercise b{QStringLiteral("B"), QString(), QString()};
        ExerciseFile file;
        file.open(path);
        file.save({a, b});
        const QByteArray before = fileBytes(path);

        file.setSaveWrapper([](QIODevice &target) { return std::make_unique<FailingDevice>(target, 400); });
        try {
            file.save({b, a, b});
            QFAIL("a failed save must raise an error");
        } catch (const IoError &e) {
            QVERIFY2(e.message().contains(QStringLiteral("No space left on device")), qPrintable(e.message()));
        }
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(file.readAll(), (QList<CatalogExercise>{a, b}));
        QCOMPARE(QDir(env.folder()).entryList(QDir::Files), QStringList{QStringLiteral("exercises.dat")});
    }

    void operationsWithoutAnOpenFileFail()
    {
        ExerciseFile file;
        QVERIFY_THROWS_EXCEPTION(IoError, file.count());
        QVERIFY_THROWS_EXCEPTION(IoError, file.save({}));
    }
};

QTEST_GUILESS_MAIN(TestExerciseFile)
#include "tst_exercisefile.moc"
