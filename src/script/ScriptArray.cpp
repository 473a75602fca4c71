#include "script/ScriptLibrary.h"

#include "script/ScriptInterpreter.h"


#include <algorithm>
#include <vector>

int ScriptArray::ArraySize(const QString &array)
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

float ScriptArray::ArrayElement(const QString &array, qint64 k)
{
    return ScriptInterpreter::parseSingle(elementText(array, k));
}

int ScriptArray::ArrayFind(const QString &array, const QString &value)
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

QString ScriptArray::ArrayInsert(const QString &array, const QString &value, qint64 k)
{
    if (k == 1)
        return value + QLatin1Char(':') + array;
    const qsizetype at = afterColon(array, k);
    if (at < 0)
        return array + value + QLatin1Char(':');
    return array.left(at) + value + QLatin1Char(':') + array.mid(at);
}

QString ScriptArray::ArrayRemove(const QString &array, qint64 k)
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
    return ArrayRemove(array, ArraySize(array));
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

QString ScriptArray::ArraySort(const QString &array)
{
    std::vector<float> values;
    values.reserve(size_t(ArraySize(array)));
    qsizetype start = 0;
    for (qsizetype colon = array.indexOf(QLatin1Char(':')); colon >= 0;
         colon = array.indexOf(QLatin1Char(':'), start)) {
        values.push_back(ScriptInterpreter::parseSingle(QStringView(array).mid(start, colon - start)));
        start = colon + 1;
    }
    std::sort(values.begin(), values.end());
    QString result;
    result.reserve(array.size() + qsizetype(values.size()) * 2);
    for (float v : values) {
        result += ScriptInterpreter::FormatNumber(v);
        result += QLatin1Char(':');
    }
    return result;
}

QString ScriptArray::explode(const QString &array, const QString &separator)
{
    QString result = array;
    return result.replace(QLatin1Char(':'), separator);
}

