#include "config/ListValue.h"

QStringList SplitListValue(const QString &value)
{
    // Qt's split keeps empty parts, so n commas always give n + 1 items.
    return value.split(QLatin1Char(','), Qt::KeepEmptyParts);
}

QString JoinListValue(const QStringList &items)
{
    return items.join(QLatin1Char(','));
}
