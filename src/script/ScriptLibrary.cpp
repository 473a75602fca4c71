#include "script/ScriptLibrary.h"

#include "common/Errors.h"
#include "common/ValueConversions.h"
#include "script/ScriptInterpreter.h"

#include <QList>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// The text without its last character.
QString withoutLast(const QString &text)
{
    return text.isEmpty() ? text : text.left(text.size() - 1);
}

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

// A string function's position or count: the text evaluated as a number.
int wholeArgument(ScriptInterpreter &in, const QString &argument)
{
    return roundedWhole(in.EvaluateNumber(in.EvaluateText(argument)));
}

// An array function's element position: the text read as a whole number.
qint64 positionArgument(ScriptInterpreter &in, const QString &argument)
{
    return ParseInteger(in.EvaluateText(argument));
}
}

QString asciiLower(QString text)
{
    for (QChar &c : text)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return text;
}

QString asciiUpper(QString text)
{
    for (QChar &c : text)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return text;
}

// ---- arrays ----

int ScriptArray::size(const QString &array)
{
    return int(array.count(QLatin1Char(':')));
}

QString ScriptArray::elementText(const QString &array, qint64 k)
{
    qsizetype start = 0;
    QString current;
    for (qint64 i = 0; i < k; ++i) {
        const qsizetype colon = array.indexOf(QLatin1Char(':'), start);
        if (colon < 0)
            return QString(); // beyond the size: the element taken is empty
        current = array.mid(start, colon - start);
        start = colon + 1;
    }
    return current;
}

float ScriptArray::element(const QString &array, qint64 k)
{
    return ScriptInterpreter::ParseNumber(elementText(array, k));
}

int ScriptArray::find(const QString &array, const QString &value)
{
    int position = 1;
    qsizetype start = 0;
    for (qsizetype colon = array.indexOf(QLatin1Char(':')); colon >= 0;
         colon = array.indexOf(QLatin1Char(':'), start)) {
        if (QStringView(array).mid(start, colon - start) == value)
            return position;
        ++position;
        start = colon + 1;
    }
    return 0;
}

namespace {
// The position right after the (k−1)th ":", -1 when k < 2 or there are fewer. k is
// tested before k − 1 is formed, so that no position a script gives can overflow.
qsizetype afterColon(const QString &array, qint64 k)
{
    if (k < 2)
        return -1;
    const qint64 count = k - 1;
    qint64 seen = 0;
    for (qsizetype i = 0; i < array.size(); ++i)
        if (array.at(i) == QLatin1Char(':') && ++seen == count)
            return i + 1;
    return -1;
}
}

QString ScriptArray::insert(const QString &array, const QString &value, qint64 k)
{
    if (k == 1)
        return value + QLatin1Char(':') + array;
    const qsizetype at = afterColon(array, k);
    if (at < 0)
        return array + value + QLatin1Char(':');
    return array.left(at) + value + QLatin1Char(':') + array.mid(at);
}

QString ScriptArray::remove(const QString &array, qint64 k)
{
    if (k == 1) {
        const qsizetype colon = array.indexOf(QLatin1Char(':'));
        return colon < 0 ? array : array.mid(colon + 1);
    }
    const qsizetype at = afterColon(array, k);
    if (at < 0)
        return array;
    const qsizetype colon = array.indexOf(QLatin1Char(':'), at);
    return colon < 0 ? array : array.left(at) + array.mid(colon + 1);
}

QString ScriptArray::pop(const QString &array)
{
    return remove(array, size(array));
}

QString ScriptArray::reverse(const QString &array)
{
    QString result;
    qsizetype start = 0;
    for (qsizetype colon = array.indexOf(QLatin1Char(':')); colon >= 0;
         colon = array.indexOf(QLatin1Char(':'), start)) {
        result.prepend(QStringView(array).mid(start, colon + 1 - start));
        start = colon + 1;
    }
    return result;
}

QString ScriptArray::sort(const QString &array)
{
    QList<float> values;
    qsizetype start = 0;
    for (qsizetype colon = array.indexOf(QLatin1Char(':')); colon >= 0;
         colon = array.indexOf(QLatin1Char(':'), start)) {
        values << ScriptInterpreter::ParseNumber(array.mid(start, colon - start));
        start = colon + 1;
    }
    std::sort(values.begin(), values.end());
    QString result;
    for (float v : values)
        result += ScriptInterpreter::FormatNumber(v) + QLatin1Char(':');
    return result;
}

QString ScriptArray::explode(const QString &array, const QString &separator)
{
    QString result = array;
    return result.replace(QLatin1Char(':'), separator);
}

// ---- calls ----

ScriptCall::ScriptCall(const QString &member)
{
    const qsizetype paren = member.indexOf(QLatin1Char('('));
    hasArguments = paren >= 0;
    name = hasArguments ? member.left(paren) : member;
    if (hasArguments)
        arguments = withoutLast(member.mid(paren + 1));
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

// ---- math ----

float MathObject::numericMember(ScriptInterpreter &in, const QString &member)
{
    const ScriptCall call(member);
    if (!call.hasArguments)
        throw ScriptError(QStringLiteral("The function math_%1 needs an argument list").arg(member));
    QString a, b;
    call.splitTwoWay(a, b);
    const QString &f = call.name;
    if (f == QLatin1String("abs"))
        return std::fabs(in.EvaluateNumber(a));
    if (f == QLatin1String("max") || f == QLatin1String("min")) {
        const float x = in.EvaluateNumber(a);
        const float y = in.EvaluateNumber(b);
        if (f == QLatin1String("max"))
            return x > y ? x : y;
        return x < y ? x : y;
    }
    if (f == QLatin1String("round")) {
        const float x = in.EvaluateNumber(a);
        // Beyond ±100 decimals the scale is already infinite or zero.
        const int n = std::clamp(roundedWhole(in.EvaluateNumber(b)), -100, 100);
        return ScriptInterpreter::ToSingle(TruncateToDecimals(n, x));
    }
    if (f == QLatin1String("trunc"))
        return std::trunc(in.EvaluateNumber(a));
    if (f == QLatin1String("log")) {
        const double x = in.EvaluateNumber(a);
        if (x == 0)
            ScriptFault::divisionByZero();
        if (x < 0)
            ScriptFault::invalidOperation();
        return ScriptInterpreter::ToSingle(std::log10(x));
    }
    if (f == QLatin1String("sin"))
        return ScriptInterpreter::ToSingle(std::sin(double(in.EvaluateNumber(a))));
    if (f == QLatin1String("cos"))
        return ScriptInterpreter::ToSingle(std::cos(double(in.EvaluateNumber(a))));
    if (f == QLatin1String("tan"))
        return ScriptInterpreter::ToSingle(std::tan(double(in.EvaluateNumber(a))));
    if (f == QLatin1String("sqrt")) {
        const double x = in.EvaluateNumber(a);
        if (x < 0)
            ScriptFault::invalidOperation();
        return ScriptInterpreter::ToSingle(std::sqrt(x));
    }
    return 0;
}

// ---- string ----

float StringObject::numericMember(ScriptInterpreter &in, const QString &member)
{
    const ScriptCall call(member);
    QString a, b;
    call.splitTwoWay(a, b);
    if (call.name == QLatin1String("length"))
        return float(in.EvaluateText(a).size());
    if (call.name == QLatin1String("val"))
        return in.EvaluateNumber(in.EvaluateText(a));
    return 0;
}

QString StringObject::textMember(ScriptInterpreter &in, const QString &member)
{
    const ScriptCall call(member);
    const QString &f = call.name;
    if (f == QLatin1String("newline"))
        return QStringLiteral("\r\n");
    QString a, b, c;
    call.splitThreeWay(a, b, c);
    if (f == QLatin1String("concat")) {
        const QString first = in.EvaluateText(a);
        return first + in.EvaluateText(b);
    }
    if (f == QLatin1String("str"))
        return in.EvaluateText(in.EvaluateText(a));
    if (f == QLatin1String("lowercase"))
        return asciiLower(in.EvaluateText(a));
    if (f == QLatin1String("uppercase"))
        return asciiUpper(in.EvaluateText(a));
    if (f == QLatin1String("copy")) {
        const QString t = in.EvaluateText(a);
        const int i = std::max(wholeArgument(in, b), 1);
        const int n = wholeArgument(in, c);
        if (i > t.size() || n <= 0)
            return QString();
        return t.mid(i - 1, std::min<qsizetype>(n, t.size() - (i - 1)));
    }
    if (f == QLatin1String("insert")) {
        const QString s = in.EvaluateText(a);
        QString t = in.EvaluateText(b);
        const int i = std::max(wholeArgument(in, c), 1);
        return t.insert(std::min<qsizetype>(i - 1, t.size()), s);
    }
    if (f == QLatin1String("delete")) {
        QString t = in.EvaluateText(a);
        const int i = wholeArgument(in, b);
        const int n = wholeArgument(in, c);
        if (i < 1 || i > t.size() || n <= 0)
            return t;
        return t.remove(i - 1, std::min<qsizetype>(n, t.size() - (i - 1)));
    }
    return QString();
}

// ---- array ----

float ArrayObject::numericMember(ScriptInterpreter &in, const QString &member)
{
    const ScriptCall call(member);
    QString a, b;
    call.splitTwoWay(a, b);
    const QString &f = call.name;
    if (f == QLatin1String("size"))
        return float(ScriptArray::size(in.EvaluateText(a)));
    if (f == QLatin1String("at")) {
        const QString array = in.EvaluateText(a);
        return ScriptArray::element(array, positionArgument(in, b));
    }
    if (f == QLatin1String("find")) {
        const QString array = in.EvaluateText(a);
        return float(ScriptArray::find(array, in.EvaluateText(b)));
    }
    return 0;
}

QString ArrayObject::textMember(ScriptInterpreter &in, const QString &member)
{
    const ScriptCall call(member);
    QString a, b, c;
    call.splitThreeWay(a, b, c);
    const QString &f = call.name;
    if (f == QLatin1String("push")) {
        const QString array = in.EvaluateText(a);
        return in.EvaluateText(b) + QLatin1Char(':') + array;
    }
    if (f == QLatin1String("pop"))
        return ScriptArray::pop(in.EvaluateText(a));
    if (f == QLatin1String("insert")) {
        const QString array = in.EvaluateText(a);
        const QString value = in.EvaluateText(b);
        return ScriptArray::insert(array, value, positionArgument(in, c));
    }
    if (f == QLatin1String("remove")) {
        const QString array = in.EvaluateText(a);
        return ScriptArray::remove(array, positionArgument(in, b));
    }
    if (f == QLatin1String("sort"))
        return ScriptArray::sort(in.EvaluateText(a));
    if (f == QLatin1String("reverse"))
        return ScriptArray::reverse(in.EvaluateText(a));
    if (f == QLatin1String("switch")) {
        const QString array = in.EvaluateText(a);
        const qint64 k = positionArgument(in, b);
        const QString value = in.EvaluateText(c);
        return ScriptArray::insert(ScriptArray::remove(array, k), value, k);
    }
    if (f == QLatin1String("explode")) {
        const QString array = in.EvaluateText(a);
        return ScriptArray::explode(array, in.EvaluateText(b));
    }
    return QString();
}
