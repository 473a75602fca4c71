#include "common/DayCount.h"

#include <cmath>

QDate DayCount::epoch()
{
    return QDate(1899, 12, 30);
}

QDate DayCount::toDate(double dayCount)
{
    if (!std::isfinite(dayCount) || std::fabs(dayCount) > 1e7)
        return QDate();
    return epoch().addDays(qint64(std::trunc(dayCount)));
}

QTime DayCount::toTime(double dayCount)
{
    if (!std::isfinite(dayCount))
        return QTime(0, 0);
    const double fraction = std::fabs(dayCount - std::trunc(dayCount));
    qint64 ms = qint64(std::llround(fraction * 86400000.0));
    if (ms >= 86400000)
        ms = 86399999;
    return QTime::fromMSecsSinceStartOfDay(int(ms));
}

double DayCount::fromDate(const QDate &date)
{
    return double(epoch().daysTo(date));
}

double DayCount::fromTime(const QTime &time)
{
    return time.msecsSinceStartOfDay() / 86400000.0;
}

double DayCount::fromDateTime(const QDate &date, const QTime &time)
{
    // Before the epoch the fraction still adds the time of day to the day's magnitude.
    const double day = fromDate(date);
    const double fraction = fromTime(time);
    return day < 0 ? day - fraction : day + fraction;
}
