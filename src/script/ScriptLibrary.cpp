#include "script/ScriptLibrary.h"

#include "common/Errors.h"
#include "common/ValueConversions.h"
#include "script/ScriptInterpreter.h"
#include "script/ScriptText.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

using namespace ScriptArray;

namespace {
// A script number rounded to the nearest whole number, halves to the even one.
int roundedWhole(float value)
{
    const double r = std::nearbyint(double(value));
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(r);
}

float single(double value)
{
    return ScriptInterpreter::toSingle(value);
}

// ---- math ----

float mathAbs(ScriptArguments &a)
{
    return std::fabs(a.number(0));
}

float mathMax(ScriptArguments &a)
{
    const float x = a.number(0);
    const float y = a.number(1);
    return x > y ? x : y;
}

float mathMin(ScriptArguments &a)
{
    const float x = a.number(0);
    const float y = a.number(1);
    return x < y ? x : y;
}

float mathRound(ScriptArguments &a)
{
    const float x = a.number(0);
    // Beyond ±100 decimals the scale is already infinite or zero.
    const int n = std::clamp(roundedWhole(a.number(1)), -100, 100);
    return single(truncateToDecimals(n, x));
}

float mathTrunc(ScriptArguments &a)
{
    return std::trunc(a.number(0));
}

float mathLog(ScriptArguments &a)
{
    const double x = a.number(0);
    if (x == 0)
        ScriptFault::divisionByZero();
    if (x < 0)
        ScriptFault::invalidOperation();
    return single(std::log10(x));
}

float mathSin(ScriptArguments &a)
{
    return single(std::sin(double(a.number(0))));
}

float mathCos(ScriptArguments &a)
{
    return single(std::cos(double(a.number(0))));
}

float mathTan(ScriptArguments &a)
{
    return single(std::tan(double(a.number(0))));
}

float mathSqrt(ScriptArguments &a)
{
    const double x = a.number(0);
    if (x < 0)
        ScriptFault::invalidOperation();
    return single(std::sqrt(x));
}

// ---- string ----

float stringLength(ScriptArguments &a)
{
    return float(a.text(0).size());
}

float stringVal(ScriptArguments &a)
{
    return a.numberOfText(0);
}

QString stringNewline(ScriptArguments &)
{
    return QStringLiteral("\r\n");
}

QString stringConcat(ScriptArguments &a)
{
    const QString first = a.text(0);
    const QString second = a.text(1);
    ScriptInterpreter::checkTextLength(qint64(first.size()) + second.size());
    return first + second;
}

QString stringStr(ScriptArguments &a)
{
    return a.textOfText(0);
}

QString stringLowercase(ScriptArguments &a)
{
    return ScriptText::asciiLower(a.text(0));
}

QString stringUppercase(ScriptArguments &a)
{
    return ScriptText::asciiUpper(a.text(0));
}

QString stringCopy(ScriptArguments &a)
{
    const QString t = a.text(0);
    const int i = std::max(a.whole(1), 1);
    const int n = a.whole(2);
    if (i > t.size() || n <= 0)
        return QString();
    return t.mid(i - 1, std::min<qsizetype>(n, t.size() - (i - 1)));
}

QString stringInsert(ScriptArguments &a)
{
    const QString s = a.text(0);
    QString t = a.text(1);
    const int i = std::max(a.whole(2), 1);
    ScriptInterpreter::checkTextLength(qint64(s.size()) + t.size());
    return t.insert(std::min<qsizetype>(i - 1, t.size()), s);
}

QString stringDelete(ScriptArguments &a)
{
    QString t = a.text(0);
    const int i = a.whole(1);
    const int n = a.whole(2);
    if (i < 1 || i > t.size() || n <= 0)
        return t;
    return t.remove(i - 1, std::min<qsizetype>(n, t.size() - (i - 1)));
}

// ---- array ----

float arraySize(ScriptArguments &a)
{
    return float(ArraySize(a.text(0)));
}

float arrayAt(ScriptArguments &a)
{
    const QString array = a.text(0);
    return ArrayElement(array, a.position(1));
}

float arrayFind(ScriptArguments &a)
{
    const QString array = a.text(0);
    return float(ArrayFind(array, a.text(1)));
}

QString arrayPush(ScriptArguments &a)
{
    const QString array = a.text(0);
    const QString value = a.text(1);
    ScriptInterpreter::checkTextLength(qint64(array.size()) + value.size() + 1);
    return value + QLatin1Char(':') + array;
}

QString arrayPop(ScriptArguments &a)
{
    return pop(a.text(0));
}

QString arrayInsert(ScriptArguments &a)
{
    const QString array = a.text(0);
    const QString value = a.text(1);
    const qint64 k = a.position(2);
    ScriptInterpreter::checkTextLength(qint64(array.size()) + value.size() + 1);
    return ArrayInsert(array, value, k);
}

QString arrayRemove(ScriptArguments &a)
{
    const QString array = a.text(0);
    return ArrayRemove(array, a.position(1));
}

QString arraySort(ScriptArguments &a)
{
    return ArraySort(a.text(0));
}

QString arrayReverse(ScriptArguments &a)
{
    return reverse(a.text(0));
}

QString arraySwitch(ScriptArguments &a)
{
    const QString array = a.text(0);
    const qint64 k = a.position(1);
    const QString value = a.text(2);
    ScriptInterpreter::checkTextLength(qint64(array.size()) + value.size() + 1);
    return ArrayInsert(ArrayRemove(array, k), value, k);
}

QString arrayExplode(ScriptArguments &a)
{
    const QString array = a.text(0);
    const QString separator = a.text(1);
    ScriptInterpreter::checkTextLength(array.size() + qint64(ArraySize(array)) * (separator.size() - 1));
    return explode(array, separator);
}

// The name-to-function tables, built once.
constexpr LibraryFunction mathFunctions[] = {
    {"abs", mathAbs, nullptr},   {"max", mathMax, nullptr}, {"min", mathMin, nullptr},
    {"round", mathRound, nullptr}, {"trunc", mathTrunc, nullptr}, {"log", mathLog, nullptr},
    {"sin", mathSin, nullptr},   {"cos", mathCos, nullptr}, {"tan", mathTan, nullptr},
    {"sqrt", mathSqrt, nullptr},
};

constexpr LibraryFunction stringFunctions[] = {
    {"length", stringLength, nullptr},       {"val", stringVal, nullptr},
    {"newline", nullptr, stringNewline},     {"concat", nullptr, stringConcat},
    {"str", nullptr, stringStr},             {"lowercase", nullptr, stringLowercase},
    {"uppercase", nullptr, stringUppercase}, {"copy", nullptr, stringCopy},
    {"insert", nullptr, stringInsert},       {"delete", nullptr, stringDelete},
};

constexpr LibraryFunction arrayFunctions[] = {
    {"size", arraySize, nullptr},      {"at", arrayAt, nullptr},         {"find", arrayFind, nullptr},
    {"push", nullptr, arrayPush},      {"pop", nullptr, arrayPop},       {"insert", nullptr, arrayInsert},
    {"remove", nullptr, arrayRemove},  {"sort", nullptr, arraySort},     {"reverse", nullptr, arrayReverse},
    {"switch", nullptr, arraySwitch},  {"explode", nullptr, arrayExplode},
};

template<size_t N>
const LibraryFunction *findIn(const LibraryFunction (&table)[N], const QString &name)
{
    for (const LibraryFunction &f : table)
        if (name == QLatin1String(f.name))
            return &f;
    return nullptr;
}
}

// ---- the objects ----

const LibraryFunction *findLibraryFunction(const QString &object, const QString &name)
{
    if (object == QLatin1String("math"))
        return findIn(mathFunctions, name);
    if (object == QLatin1String("string"))
        return findIn(stringFunctions, name);
    if (object == QLatin1String("array"))
        return findIn(arrayFunctions, name);
    return nullptr;
}

// ---- calls ----

ScriptCall::ScriptCall(const QString &member)
{
    const qsizetype paren = member.indexOf(QLatin1Char('('));
    hasArguments = paren >= 0;
    name = hasArguments ? member.left(paren) : member;
    if (hasArguments)
        arguments = ScriptText::withoutLast(member.mid(paren + 1));
}

void ScriptCall::splitTwoWay(QString &first, QString &second) const
{
    const qsizetype comma = arguments.indexOf(QLatin1Char(','));
    first = comma < 0 ? arguments : arguments.left(comma);
    second = comma < 0 ? QString() : arguments.mid(comma + 1);
}

void ScriptCall::splitThreeWay(QString &first, QString &second, QString &third) const
{
    QString rest;
    splitTwoWay(first, rest);
    const qsizetype comma = rest.indexOf(QLatin1Char(','));
    second = comma < 0 ? rest : rest.left(comma);
    third = comma < 0 ? QString() : rest.mid(comma + 1);
}
