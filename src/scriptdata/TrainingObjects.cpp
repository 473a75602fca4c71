#include "scriptdata/TrainingObjects.h"

#include "common/Errors.h"
#include "common/ValueConversions.h"
#include "exercises/ExerciseAnalysis.h"
#include "script/ScriptInterpreter.h"
#include "scriptdata/ShownWorkout.h"
#include "store/TrainingFile.h"
#include "store/WorkoutList.h"

#include <cmath>

namespace {
const QLatin1String Bodyweight("BW");

// The text before the first "_" (all of it when there is none) and after it.
QString before(const QString &text)
{
    const qsizetype underscore = text.indexOf(QLatin1Char('_'));
    return underscore < 0 ? text : text.left(underscore);
}

QString after(const QString &text)
{
    const qsizetype underscore = text.indexOf(QLatin1Char('_'));
    return underscore < 0 ? QString() : text.mid(underscore + 1);
}

// A whole number from a script value, halves to the even neighbour; values beyond
// the int range give 0 (no row, no record).
int roundedNumber(float value)
{
    const double rounded = std::nearbyint(double(value));
    return std::isfinite(rounded) && std::fabs(rounded) < 1e9 ? int(rounded) : 0;
}

// The row part of a row member: rows 1..count address entries.
int rowOf(ScriptInterpreter &interpreter, const QString &member)
{
    return roundedNumber(interpreter.EvaluateNumber(before(member)));
}

bool isEntry(int row, int count) { return row >= 1 && row <= count; }

[[noreturn]] void noSuchRow(const QString &object, const QString &member, int row, int count)
{
    throw ScriptError(QStringLiteral("%1_%2: there is no %1 row %3; the workout shown has %4.")
                          .arg(object, member)
                          .arg(row)
                          .arg(count));
}

float cellNumber(const QString &cell) { return ScriptInterpreter::parseSingle(cell); }

// A sum of per-row products: each product in double, the sum rounded to single after
// every addition.
template <typename Product>
float rowSum(int count, Product product)
{
    float sum = 0;
    for (int row = 1; row <= count; ++row)
        sum = ScriptInterpreter::toSingle(double(sum) + product(row));
    return sum;
}
}

ScriptObject *TrainingObjects::object(const QString &name)
{
    if (name == QLatin1String("workouts"))
        return &workouts;
    if (name == QLatin1String("cardio"))
        return &cardio;
    if (name == QLatin1String("exercises"))
        return &exercises;
    return nullptr;
}

// ---- workouts ----

float WorkoutsObject::selectedNumber() const
{
    const QStringList lines = m_shown.workoutLines();
    const int selected = m_shown.selectedLine();
    if (selected < 0 || selected >= lines.size())
        throw ScriptError(QStringLiteral("No workout is selected in the list of past workouts."));
    int number = 0;
    for (int i = 0; i <= selected; ++i)
        if (!WorkoutList::isSeparator(lines.at(i)))
            ++number;
    return float(number);
}

float WorkoutsObject::numericMember(ScriptInterpreter &, const QString &m)
{
    if (m.startsWith(QLatin1String("info")))
        return after(m) == QLatin1String("duration") ? DurationFromMaskText(m_shown.shownDurationText()) : 0.0f;
    if (m.startsWith(QLatin1String("count")))
        return float(m_shown.trainingFile().RecordCount());
    if (m.startsWith(QLatin1String("selected")))
        return selectedNumber();
    return 0;
}

QString WorkoutsObject::textMember(ScriptInterpreter &, const QString &m)
{
    if (!m.startsWith(QLatin1String("info")))
        return QString();
    const QString m2 = after(m);
    if (m2 == QLatin1String("date"))
        return m_shown.shownDateText();
    if (m2 == QLatin1String("time"))
        return m_shown.shownTimeText();
    if (m2 == QLatin1String("bodypart"))
        return m_shown.shownBodypart();
    if (m2 == QLatin1String("type"))
        return m_shown.shownTrainingType();
    if (m2 == QLatin1String("comment"))
        return m_shown.shownComment();
    return QString();
}

void WorkoutsObject::statement(ScriptInterpreter &interpreter, const QString &m)
{
    const qsizetype open = m.indexOf(QLatin1Char('('));
    if (open < 0 || m.left(open) != QLatin1String("load"))
        return;
    qsizetype close = m.lastIndexOf(QLatin1Char(')'));
    if (close < open)
        close = m.size();
    const int n = roundedNumber(interpreter.EvaluateNumber(m.mid(open + 1, close - open - 1))) - 1;
    TrainingFile &file = m_shown.trainingFile();
    const int count = file.RecordCount();
    if (n < 0 || n >= count)
        throw IoError(QStringLiteral("workouts_load(%1): %2 holds workouts 1 to %3 only; read beyond the end of the file.")
                          .arg(n + 1)
                          .arg(file.fileName())
                          .arg(count));
    m_shown.loadShownWorkout(n);
}

// ---- cardio ----

float CardioObject::numericMember(ScriptInterpreter &interpreter, const QString &m)
{
    const int count = m_shown.shownCardioCount();
    if (m.startsWith(QLatin1String("count")))
        return float(count);
    auto column = [](const QString &name) {
        if (name == QLatin1String("duration"))
            return 3;
        if (name == QLatin1String("distance"))
            return 4;
        if (name == QLatin1String("calories"))
            return 5;
        return 0;
    };
    if (m.startsWith(QLatin1String("total"))) {
        // The 8 characters after "total" name the column; whatever follows is ignored.
        const int c = column(m.mid(5, 8));
        if (c == 0)
            return 0;
        return rowSum(count, [&](int row) { return double(cellNumber(m_shown.shownCardioCell(row, c))); });
    }
    const int c = column(after(m));
    if (c == 0)
        return 0;
    const int row = rowOf(interpreter, m);
    if (!isEntry(row, count))
        noSuchRow(QStringLiteral("cardio"), m, row, count);
    return cellNumber(m_shown.shownCardioCell(row, c));
}

QString CardioObject::textMember(ScriptInterpreter &interpreter, const QString &m)
{
    const QString m2 = after(m);
    const int c = m2 == QLatin1String("type") ? 1 : m2 == QLatin1String("time") ? 2 : 0;
    if (c == 0)
        return QString();
    const int row = rowOf(interpreter, m);
    return isEntry(row, m_shown.shownCardioCount()) ? m_shown.shownCardioCell(row, c) : QString();
}

// ---- exercises ----

float ExercisesObject::numericMember(ScriptInterpreter &interpreter, const QString &m)
{
    const int count = m_shown.shownExerciseCount();
    if (m == QLatin1String("count"))
        return float(count);
    auto cell = [&](int row, int column) { return m_shown.shownExerciseCell(row, column); };
    auto number = [&](int row, int column) { return double(cellNumber(cell(row, column))); };
    if (m.startsWith(QLatin1String("total"))) {
        if (m.mid(5, 4) == QLatin1String("sets"))
            return rowSum(count, [&](int row) { return number(row, 3); });
        // Five characters compared with four: "reps" matches only at the end of m.
        if (m.mid(5, 5) == QLatin1String("reps"))
            return rowSum(count, [&](int row) { return number(row, 3) * number(row, 4); });
        if (m.mid(5, 6) == QLatin1String("weight"))
            return rowSum(count, [&](int row) {
                return cell(row, 5) == Bodyweight ? 0.0 : number(row, 3) * number(row, 4) * number(row, 5);
            });
        return 0;
    }
    const QString m2 = after(m);
    if (m2 != QLatin1String("sets") && m2 != QLatin1String("reps") && m2 != QLatin1String("weight")
        && m2 != QLatin1String("1rm"))
        return 0;
    const int row = rowOf(interpreter, m);
    if (!isEntry(row, count))
        noSuchRow(QStringLiteral("exercises"), m, row, count);
    if (m2 == QLatin1String("sets"))
        return cellNumber(cell(row, 3));
    if (m2 == QLatin1String("reps"))
        return cellNumber(cell(row, 4));
    const float weight = cell(row, 5) == Bodyweight ? 0.0f : cellNumber(cell(row, 5));
    if (m2 == QLatin1String("weight"))
        return weight;
    // The repetitions go in as an unsigned byte: their low 8 bits.
    const quint8 reps = quint8(ParseInteger(cell(row, 4)) & 0xFF);
    return EstimateOneRm(reps, weight);
}

QString ExercisesObject::textMember(ScriptInterpreter &interpreter, const QString &m)
{
    const QString m2 = after(m);
    const int c = m2 == QLatin1String("name") ? 1 : m2 == QLatin1String("type") ? 2 : 0;
    if (c == 0)
        return QString();
    const int row = rowOf(interpreter, m);
    return isEntry(row, m_shown.shownExerciseCount()) ? m_shown.shownExerciseCell(row, c) : QString();
}
