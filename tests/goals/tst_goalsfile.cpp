#include "common/Errors.h"
#include "goals/GoalsFile.h"
#include "support/FailingDevice.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {
// A length-prefixed text field: the given bytes (length byte first), then zeros.
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

GoalRecord goal(const QString &name, quint8 status = GoalStatus::Pending)
{
    GoalRecord g;
    g.StartDate = 46000;
    g.Deadline = 46100;
    g.Name = name;
    g.Description = name + QStringLiteral(" description");
    g.Status = status;
    return g;
}

QByteArray records(const QList<GoalRecord> &goals)
{
    QByteArray bytes;
    for (const GoalRecord &g : goals)
        bytes += g.encode();
    return bytes;
}
}

class TestGoalsFile : public QObject {
    Q_OBJECT

    TestEnvironment *env = nullptr;
    QString path() const { return env->path(QStringLiteral("goals.dat")); }

private slots:
    void init() { env = new TestEnvironment; }
    void cleanup() { delete env; }

    void recordMatchesGoldenBytes()
    {
        // 9 December 2025, deadline 8 January 2026 at noon, name "Čučanj" in
        // Windows-1250, description "Run 5 km", completed; four bytes of padding.
        const QByteArray golden = QByteArray::fromHex("000000000076e640") + QByteArray::fromHex("00000000d079e640")
                                  + field("06c875e8616e6a", 50) + field("0852756e2035206b6d", 255)
                                  + QByteArray::fromHex("02") + QByteArray(4, '\0');
        QCOMPARE(golden.size(), GoalRecord::Size);
        GoalRecord g;
        g.StartDate = 46000.0;
        g.Deadline = 46030.5;
        g.Name = QStringLiteral("Čučanj");
        g.Description = QStringLiteral("Run 5 km");
        g.Status = GoalStatus::Completed;
        QCOMPARE(g.encode(), golden);
        QCOMPARE(GoalRecord::decode(golden.constData()), g);
    }

    void decodeIgnoresBytesAfterTheTexts()
    {
        QByteArray bytes = goal(QStringLiteral("Abc")).encode();
        bytes[16 + 1 + 3] = 'X';
        bytes[67 + 1 + 15] = 'Y';
        bytes[326] = 'Z';
        const GoalRecord g = GoalRecord::decode(bytes.constData());
        QCOMPARE(g.Name, QStringLiteral("Abc"));
        QCOMPARE(g.Description, QStringLiteral("Abc description"));
    }

    void textsAreCutToTheirCapacity()
    {
        GoalRecord g;
        g.Name = QString(60, QLatin1Char('n'));
        g.Description = QString(300, QLatin1Char('d'));
        const GoalRecord back = GoalRecord::decode(g.encode().constData());
        QCOMPARE(back.Name, QString(50, QLatin1Char('n')));
        QCOMPARE(back.Description, QString(255, QLatin1Char('d')));
    }

    void resolveName_data()
    {
        QTest::addColumn<QString>("configured");
        QTest::addColumn<QString>("inFolder"); // empty: used as given
        QTest::newRow("missing configuration") << QString() << QStringLiteral("goals.dat");
        QTest::newRow("empty value, folder put in front") << QStringLiteral("<folder>") << QStringLiteral("goals.dat");
        QTest::newRow("bare name") << QStringLiteral("mine.dat") << QStringLiteral("mine.dat");
        QTest::newRow("full path") << QStringLiteral("/data/mine.dat") << QString();
    }
    void resolveName()
    {
        QFETCH(QString, configured);
        QFETCH(QString, inFolder);
        configured.replace(QStringLiteral("<folder>"), env->folder());
        QCOMPARE(GoalsFile::resolveName(configured), inFolder.isEmpty() ? configured : env->path(inFolder));
    }

    void missingFileIsCreatedEmpty()
    {
        GoalsFile file;
        file.open(path());
        QVERIFY(QFile::exists(path()));
        QCOMPARE(file.RecordCount(), 0);
        QCOMPARE(file.partialTailSize(), 0);
        QVERIFY(file.readAllRaw().isEmpty());
    }

    void fileThatCannotBeOpenedNamesIt()
    {
        QVERIFY(QDir(env->folder()).mkdir(QStringLiteral("goals.dat")));
        GoalsFile file;
        try {
            file.open(path());
            QFAIL("a folder must not open as the goals file");
        } catch (const IoError &e) {
            QVERIFY2(e.message().contains(path()), qPrintable(e.message()));
        }
        QVERIFY(!file.isOpen());
    }

    void writeRecordOverwritesOrAdds()
    {
        const GoalRecord a = goal(QStringLiteral("A")), b = goal(QStringLiteral("B")), c = goal(QStringLiteral("C"));
        GoalsFile file;
        file.open(path());
        file.WriteRecord(0, a);
        file.WriteRecord(1, b);
        QCOMPARE(fileBytes(path()), records({a, b}));
        file.WriteRecord(0, c);
        QCOMPARE(fileBytes(path()), records({c, b}));
        QCOMPARE(file.ReadRecord(1), b);
        QVERIFY_THROWS_EXCEPTION(IoError, file.WriteRecord(3, a));
        QVERIFY_THROWS_EXCEPTION(IoError, file.ReadRecord(2));
        QCOMPARE(fileBytes(path()), records({c, b}));
    }

    void setStatusChangesOnlyTheStatusByte()
    {
        // Bytes the encoder would write otherwise: text after the length, an undefined
        // code-page byte, padding.
        QByteArray stored = goal(QStringLiteral("A")).encode();
        stored[16 + 1 + 5] = 'x';
        stored[16 + 1] = char(0x81);
        stored[325] = char(0xEE);
        env->writeFile(QStringLiteral("goals.dat"), goal(QStringLiteral("B")).encode() + stored);
        GoalsFile file;
        file.open(path());
        file.setStatus(1, GoalStatus::Completed);
        QByteArray expected = stored;
        expected[323] = char(2);
        QCOMPARE(fileBytes(path()), goal(QStringLiteral("B")).encode() + expected);
    }

    void removeMovesLaterRecordsDown_data()
    {
        QTest::addColumn<int>("removed");
        QTest::addColumn<QString>("left");
        QTest::newRow("first") << 0 << QStringLiteral("BCD");
        QTest::newRow("middle") << 2 << QStringLiteral("ABD");
        QTest::newRow("last") << 3 << QStringLiteral("ABC");
    }
    void removeMovesLaterRecordsDown()
    {
        QFETCH(int, removed);
        QFETCH(QString, left);
        const QString names = QStringLiteral("ABCD");
        QList<GoalRecord> all;
        for (const QChar n : names)
            all << goal(n);
        env->writeFile(QStringLiteral("goals.dat"), records(all));
        GoalsFile file;
        file.open(path());
        file.RemoveRecord(removed);
        QList<GoalRecord> expected;
        for (const QChar n : left)
            expected << goal(n);
        QCOMPARE(fileBytes(path()), records(expected));
        QCOMPARE(file.RecordCount(), 3);
        QCOMPARE(file.ReadRecord(2), expected.at(2));
        QVERIFY_THROWS_EXCEPTION(IoError, file.RemoveRecord(3));
    }

    void partialTailIsNeverCutOrOverwritten()
    {
        const QByteArray tail(100, 't');
        const GoalRecord a = goal(QStringLiteral("A")), b = goal(QStringLiteral("B")), c = goal(QStringLiteral("C"));
        env->writeFile(QStringLiteral("goals.dat"), records({a, b}) + tail);
        GoalsFile file;
        file.open(path());
        QCOMPARE(file.RecordCount(), 2);
        QCOMPARE(file.partialTailSize(), 100);
        QCOMPARE(file.readAllRaw(), records({a, b}));

        file.WriteRecord(2, c); // adds before the tail
        QCOMPARE(fileBytes(path()), records({a, b, c}) + tail);
        file.WriteRecord(1, a);
        QCOMPARE(fileBytes(path()), records({a, a, c}) + tail);
        file.RemoveRecord(2);
        QCOMPARE(fileBytes(path()), records({a, a}) + tail);
        file.RemoveRecord(0);
        file.RemoveRecord(0);
        QCOMPARE(fileBytes(path()), tail);
        QCOMPARE(file.RecordCount(), 0);
    }

    void failedRewriteLeavesTheFileWhole_data()
    {
        QTest::addColumn<bool>("withTail");
        QTest::addColumn<bool>("remove"); // else: add a goal before the tail
        QTest::newRow("remove") << false << true;
        QTest::newRow("remove, file with a partial tail") << true << true;
        QTest::newRow("add before a partial tail") << true << false;
    }
    void failedRewriteLeavesTheFileWhole()
    {
        QFETCH(bool, withTail);
        QFETCH(bool, remove);
        const QByteArray before = records({goal(QStringLiteral("A")), goal(QStringLiteral("B")), goal(QStringLiteral("C"))})
                                  + (withTail ? QByteArray(10, 't') : QByteArray());
        env->writeFile(QStringLiteral("goals.dat"), before);
        GoalsFile file;
        file.open(path());
        file.setRewriteWrapper([](QIODevice &target) { return std::make_unique<FailingDevice>(target, 400); });
        try {
            if (remove)
                file.RemoveRecord(0);
            else
                file.WriteRecord(3, goal(QStringLiteral("D")));
            QFAIL("a failed rewrite must raise an error");
        } catch (const IoError &e) {
            QVERIFY2(e.message().contains(QStringLiteral("No space left on device")), qPrintable(e.message()));
        }
        QCOMPARE(fileBytes(path()), before);
        QCOMPARE(file.RecordCount(), 3);
        QCOMPARE(file.ReadRecord(0), goal(QStringLiteral("A")));
        QCOMPARE(QDir(env->folder()).entryList(QDir::Files), QStringList{QStringLiteral("goals.dat")});
    }

    void readOnlyFileReadsAndRefusesWrites()
    {
        env->writeFile(QStringLiteral("goals.dat"), goal(QStringLiteral("A")).encode());
        GoalsFile file;
        file.openReadOnly(path());
        QCOMPARE(file.ReadRecord(0), goal(QStringLiteral("A")));
        QVERIFY_THROWS_EXCEPTION(IoError, file.WriteRecord(1, goal(QStringLiteral("B"))));
        QCOMPARE(fileBytes(path()), goal(QStringLiteral("A")).encode());
        GoalsFile missing;
        QVERIFY_THROWS_EXCEPTION(IoError, missing.openReadOnly(env->path(QStringLiteral("none.dat"))));
        QVERIFY(!QFile::exists(env->path(QStringLiteral("none.dat"))));
    }

    void operationsWithoutAnOpenFileFail()
    {
        GoalsFile file;
        QVERIFY_THROWS_EXCEPTION(IoError, file.RecordCount());
        QVERIFY_THROWS_EXCEPTION(IoError, file.WriteRecord(0, goal(QStringLiteral("A"))));
    }
};

QTEST_GUILESS_MAIN(TestGoalsFile)
#include "tst_goalsfile.moc"
