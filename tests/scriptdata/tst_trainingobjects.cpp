#include "support/TestEnvironment.h"
#include "support/TestPrompts.h"
#include "support/WorkoutBuilder.h"

#include "common/Errors.h"
#include "script/ScriptInterpreter.h"
#include "scriptdata/HeadlessShownWorkout.h"
#include "scriptdata/TrainingObjects.h"
#include "store/HeadlessSession.h"

#include <QTest>

using namespace WorkoutBuilder;

namespace {
class ObjectsHost : public ScriptHost {
public:
    explicit ObjectsHost(TrainingObjects &objects) : m_objects(objects) {}
    QStringList outputs;
    void showOutput(const QString &text) override { outputs << text; }
    QString askInput(const QString &, const QString &, const QString &defaultText) override { return defaultText; }
    ScriptObject *object(const QString &name) override { return m_objects.object(name); }

private:
    TrainingObjects &m_objects;
};
}

// The "workouts", "cardio" and "exercises" objects over the headless editor and a
// small training file of three workouts:
//   1: Wed 11.3.2009 18:30, 01:30, Chest, Heavy, comment "first" / "second";
//      cardio Bike 07:00 0.45 h 12000 m 300 kcal, Run 07:50 0.3 h 5000 m 400 kcal;
//      exercises Bench press 3 x 10 x 50, Dips 3 x 12 x BW.
//   2: Thu 12.3.2009, Back, Light; 1 x 10 x 100, 2 x 25 x 100, 1 x 5 x 82.567, 1 x 3 x BW.
//   3: Mon 16.3.2009 (a new week), Legs, type 5 (beyond the list), no rows.
class TestTrainingObjects : public QObject {
    Q_OBJECT

private:
    TestEnvironment *m_env = nullptr;
    TestPrompts *m_prompts = nullptr;
    HeadlessSession *m_session = nullptr;
    HeadlessShownWorkout *m_shown = nullptr;
    TrainingObjects *m_objects = nullptr;
    ObjectsHost *m_host = nullptr;
    ScriptInterpreter *m_interpreter = nullptr;

    // The error that ended the run, or a null text.
    QString run(const QString &script)
    {
        m_env->writeFile("s.fvs", script.toUtf8());
        try {
            m_interpreter->RunScript(m_env->path("s.fvs"));
        } catch (const FortavoError &e) {
            return e.message();
        }
        return QString();
    }

private slots:
    void init();
    void cleanup();

    void numericMembers_data();
    void numericMembers();
    void textMembers_data();
    void textMembers();
    void scripts_data();
    void scripts();
    void errors_data();
    void errors();
    void loadMakesTheRecordCurrent();
    void readsTypedCellsUnsaved();
    void shorterWorkoutLeavesNoStaleRows();
    void loadOutsideTheFileNamesItsRange_data();
    void loadOutsideTheFileNamesItsRange();
};

void TestTrainingObjects::init()
{
    m_env = new TestEnvironment;
    const QList<WorkoutRecord> records = [] {
        WorkoutRecord first = workout(QDate(2009, 3, 11), "Chest", 1,
                                      {exercise("Bench press", 3, 10, 50), exercise("Dips", 3, 12, 0)},
                                      {cardio("Bike", 0.45f, 300, 12000, QTime(7, 0)),
                                       cardio("Run", 0.3f, 400, 5000, QTime(7, 50))});
        first.StartTime = DayCount::fromTime(QTime(18, 30));
        first.Duration = 1.3f;
        first.Comment = "first\nsecond";
        WorkoutRecord second = workout(QDate(2009, 3, 12), "Back", 0,
                                       {exercise("Deadlift", 1, 10, 100), exercise("Rows", 2, 25, 100),
                                        exercise("Curl", 1, 5, 82.567f), exercise("Chin-up", 1, 3, 0)});
        WorkoutRecord third = workout(QDate(2009, 3, 16), "Legs", 5);
        return QList<WorkoutRecord>{first, second, third};
    }();
    m_env->writeFile("workouts.dat", fileBytes(records));
    m_prompts = new TestPrompts;
    m_session = new HeadlessSession(*m_prompts);
    m_session->types = QStringList{"Light", "Heavy"};
    m_session->open(m_env->path("workouts.dat"));
    m_shown = new HeadlessShownWorkout(*m_session);
    m_objects = new TrainingObjects(*m_shown);
    m_host = new ObjectsHost(*m_objects);
    m_interpreter = new ScriptInterpreter(*m_host);
}

void TestTrainingObjects::cleanup()
{
    delete m_interpreter;
    delete m_host;
    delete m_objects;
    delete m_shown;
    delete m_session;
    delete m_prompts;
    delete m_env;
}

void TestTrainingObjects::numericMembers_data()
{
    QTest::addColumn<int>("workout");
    QTest::addColumn<QString>("member");
    QTest::addColumn<float>("expected");

    QTest::newRow("count") << 1 << "workouts_count" << 3.0f;
    QTest::newRow("count prefix") << 1 << "workouts_countx" << 3.0f;
    QTest::newRow("duration 01:30") << 1 << "workouts_info_duration" << 1.3f;
    QTest::newRow("info prefix") << 1 << "workouts_infos_duration" << 1.3f;
    QTest::newRow("text member in numeric place") << 1 << "workouts_info_date" << 0.0f;
    QTest::newRow("unknown workouts member") << 1 << "workouts_other" << 0.0f;

    QTest::newRow("cardio count") << 1 << "cardio_count" << 2.0f;
    QTest::newRow("cardio count prefix") << 1 << "cardio_counter" << 2.0f;
    QTest::newRow("total duration") << 1 << "cardio_totalduration" << 0.75f;
    QTest::newRow("total distance") << 1 << "cardio_totaldistance" << 17000.0f;
    QTest::newRow("total calories") << 1 << "cardio_totalcalories" << 700.0f;
    QTest::newRow("total: 8 characters, rest ignored") << 1 << "cardio_totaldistancexyz" << 17000.0f;
    QTest::newRow("total: short name") << 1 << "cardio_totaldist" << 0.0f;
    QTest::newRow("row duration") << 1 << "cardio_1_duration" << 0.45f;
    QTest::newRow("row distance") << 1 << "cardio_2_distance" << 5000.0f;
    QTest::newRow("row calories") << 1 << "cardio_1_calories" << 300.0f;
    QTest::newRow("row 1.5 rounds to 2") << 1 << "cardio_1.5_calories" << 400.0f;
    QTest::newRow("row 2.5 rounds to 2") << 1 << "cardio_2.5_calories" << 400.0f;
    QTest::newRow("cardio text member") << 1 << "cardio_1_type" << 0.0f;
    QTest::newRow("no cardio: count") << 3 << "cardio_count" << 0.0f;
    QTest::newRow("no cardio: total") << 3 << "cardio_totalduration" << 0.0f;

    QTest::newRow("exercise count") << 1 << "exercises_count" << 2.0f;
    QTest::newRow("count is exact") << 1 << "exercises_counts" << 0.0f;
    QTest::newRow("total sets") << 1 << "exercises_totalsets" << 6.0f;
    QTest::newRow("total sets prefix") << 1 << "exercises_totalsetsx" << 6.0f;
    QTest::newRow("total reps with BW") << 1 << "exercises_totalreps" << 66.0f;
    QTest::newRow("total reps: nothing may follow") << 1 << "exercises_totalrepsx" << 0.0f;
    QTest::newRow("total weight skips BW") << 1 << "exercises_totalweight" << 1500.0f;
    QTest::newRow("total weight prefix") << 1 << "exercises_totalweights" << 1500.0f;
    QTest::newRow("total other") << 1 << "exercises_totalvolume" << 0.0f;
    QTest::newRow("sets") << 1 << "exercises_1_sets" << 3.0f;
    QTest::newRow("reps") << 1 << "exercises_2_reps" << 12.0f;
    QTest::newRow("weight") << 1 << "exercises_1_weight" << 50.0f;
    QTest::newRow("BW weight") << 1 << "exercises_2_weight" << 0.0f;
    QTest::newRow("exercise text member") << 1 << "exercises_1_name" << 0.0f;
    QTest::newRow("1rm 10 reps") << 2 << "exercises_1_1rm" << float(100.0 * 36 / 27);
    QTest::newRow("1rm 25 reps") << 2 << "exercises_2_1rm" << 210.0f;
    QTest::newRow("1rm BW") << 2 << "exercises_4_1rm" << 0.0f;
    QTest::newRow("weight cut to two decimals") << 2 << "exercises_3_weight" << 82.56f;
    QTest::newRow("total weight of cut weights") << 2 << "exercises_totalweight" << 6412.8f;
    QTest::newRow("total reps") << 2 << "exercises_totalreps" << 68.0f;
}

void TestTrainingObjects::numericMembers()
{
    QFETCH(int, workout);
    QFETCH(QString, member);
    QFETCH(float, expected);
    m_shown->loadShownWorkout(workout - 1);
    QCOMPARE(m_interpreter->NumericMember(member), expected);
}

void TestTrainingObjects::textMembers_data()
{
    QTest::addColumn<int>("workout");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("expected");

    QTest::newRow("date") << 1 << "workouts_info_date" << "11.3.2009";
    QTest::newRow("time") << 1 << "workouts_info_time" << "18:30:00";
    QTest::newRow("bodypart") << 1 << "workouts_info_bodypart" << "Chest";
    QTest::newRow("type") << 1 << "workouts_info_type" << "Heavy";
    QTest::newRow("type beyond the list") << 3 << "workouts_info_type" << "";
    QTest::newRow("comment lines joined by CR LF") << 1 << "workouts_info_comment" << "first\r\nsecond";
    QTest::newRow("info other") << 1 << "workouts_info_weekday" << "";
    QTest::newRow("numeric member in text place") << 1 << "workouts_count" << "";
    QTest::newRow("duration in text place") << 1 << "workouts_info_duration" << "";
    QTest::newRow("cardio type") << 1 << "cardio_1_type" << "Bike";
    QTest::newRow("cardio time") << 1 << "cardio_2_time" << "07:50:00";
    QTest::newRow("cardio numeric in text place") << 1 << "cardio_1_duration" << "";
    QTest::newRow("cardio row beyond") << 1 << "cardio_3_type" << "";
    QTest::newRow("cardio row 0") << 1 << "cardio_0_type" << "";
    QTest::newRow("exercise name") << 1 << "exercises_2_name" << "Dips";
    QTest::newRow("exercise type") << 1 << "exercises_1_type" << "Working set";
    QTest::newRow("exercise row beyond") << 1 << "exercises_3_name" << "";
    QTest::newRow("exercise sets in text place") << 1 << "exercises_1_sets" << "";
}

void TestTrainingObjects::textMembers()
{
    QFETCH(int, workout);
    QFETCH(QString, member);
    QFETCH(QString, expected);
    m_shown->loadShownWorkout(workout - 1);
    QCOMPARE(m_interpreter->TextMember(member), expected);
}

void TestTrainingObjects::scripts_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("outputs");

    QTest::newRow("walk the file")
        << "var i,n,w\nn=workouts_count\ni=1\nwhile i<=n\n  workouts_load(i)\n  w=w+exercises_totalweight\n"
           "  i=i+1\nendwhile\noutput(\"$w\")\n"
        << "7912.8";
    QTest::newRow("load rounds halves to even")
        << "var n,$b\nworkouts_load(2.5)\n$b=workouts_info_bodypart\noutput($b)\nworkouts_load(1.5)\nn=exercises_count\n"
           "output(\"$n\")\n"
        << "Back|4";
    QTest::newRow("row from a variable")
        << "var i,x,$n\nworkouts_load(1)\ni=2\nx=cardio_i_calories\noutput(\"$x\")\n$n=exercises_i_name\noutput($n)\n"
        << "400|Dips";
    QTest::newRow("selected across a separator")
        << "var n,$b\nn=workouts_selected\noutput(\"$n\")\nworkouts_load(workouts_selected)\n$b=workouts_info_bodypart\n"
           "output($b)\n"
        << "3|Legs";
    QTest::newRow("1rm")
        << "var x,y\nworkouts_load(2)\nx=exercises_1_1rm\ny=exercises_2_1rm\nif x>133.33\n  if x<133.34\n"
           "    output(\"about 133.33\")\n  endif\nendif\noutput(\"$y\")\n"
        << "about 133.33|210";
}

void TestTrainingObjects::scripts()
{
    QFETCH(QString, script);
    QFETCH(QString, outputs);
    QCOMPARE(m_session->lines.size(), 4); // the third workout starts a new week
    m_session->selected = 3;
    QCOMPARE(run(script), QString());
    QCOMPARE(m_host->outputs.join('|'), outputs);
}

void TestTrainingObjects::errors_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("parts");

    QTest::newRow("numeric row beyond")
        << "var x\nworkouts_load(1)\nx=exercises_3_sets\n" << QStringList{"exercises_3_sets", "row 3"};
    QTest::newRow("numeric row 0") << "var x\nworkouts_load(1)\nx=cardio_0_duration\n"
                                   << QStringList{"cardio_0_duration", "row 0"};
    QTest::newRow("load beyond the file") << "workouts_load(4)\n" << QStringList{"workouts.dat"};
    QTest::newRow("load 0") << "workouts_load(0)\n" << QStringList{"workouts.dat"};
    QTest::newRow("nothing selected") << "var n\nn=workouts_selected\n"
                                      << QStringList{"No workout is selected in the list of past workouts."};
}

void TestTrainingObjects::errors()
{
    QFETCH(QString, script);
    QFETCH(QStringList, parts);
    const QString error = run(script);
    QVERIFY(!error.isNull());
    for (const QString &part : parts)
        QVERIFY2(error.contains(part), qPrintable(error));
}

void TestTrainingObjects::loadMakesTheRecordCurrent()
{
    m_session->selectRecord(0);
    QCOMPARE(run("workouts_load(2)\n"), QString());
    QCOMPARE(m_session->current, 1);
    QCOMPARE(m_session->formWorkout().Bodypart, QString("Back"));
    QCOMPARE(m_session->selected, 0); // the list's selection stays
}

void TestTrainingObjects::readsTypedCellsUnsaved()
{
    m_shown->loadShownWorkout(0);
    m_shown->durationText = "01:3 ";
    m_shown->exerciseRows[0][5] = "60";
    QCOMPARE(run("var d,w\nd=workouts_info_duration\nw=exercises_totalweight\noutput(\"$d $w\")\n"), QString());
    QCOMPARE(m_host->outputs, QStringList{"1.3 1800"});

    m_shown->exerciseRows[1][5] = "heavy";
    const QString error = run("var w\nw=exercises_totalweight\n");
    QVERIFY2(error.contains("heavy"), qPrintable(error));
}

void TestTrainingObjects::shorterWorkoutLeavesNoStaleRows()
{
    QCOMPARE(run("var $n,$c\nworkouts_load(1)\nworkouts_load(3)\n$n=exercises_1_name\n$c=cardio_1_type\noutput($n)\noutput($c)\n"), QString());
    QCOMPARE(m_host->outputs, (QStringList{"", ""}));
    QVERIFY(!run("var x\nx=exercises_1_sets\n").isNull());
}

QTEST_GUILESS_MAIN(TestTrainingObjects)
#include "tst_trainingobjects.moc"

void TestTrainingObjects::loadOutsideTheFileNamesItsRange_data()
{
    QTest::addColumn<QString>("script");
    QTest::newRow("one past the last") << "workouts_load(4)\n";
    QTest::newRow("0") << "workouts_load(0)\n";
    QTest::newRow("negative") << "workouts_load(-2)\n";
    QTest::newRow("3.5 rounds to 4") << "workouts_load(3.5)\n";
}

void TestTrainingObjects::loadOutsideTheFileNamesItsRange()
{
    QFETCH(QString, script);
    const QString error = run(script);
    QVERIFY2(error.contains(QStringLiteral("workouts.dat holds workouts 1 to 3 only")), qPrintable(error));
}
