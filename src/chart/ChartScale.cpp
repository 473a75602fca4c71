#include "chart/ChartScale.h"

#include "common/DayCount.h"
#include "common/RegionalSettings.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace ChartScale {
namespace {
// 1, 2, 5 or 10 times the power of ten at or below raw.
double niceStep(double raw)
{
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / power;
    if (f <= 1)
        return power;
    if (f <= 2)
        return 2 * power;
    if (f <= 5)
        return 5 * power;
    return 10 * power;
}
}

ValueAxis valueAxis(double low, double high, int maxTicks)
{
    ValueAxis axis;
    if (!std::isfinite(low) || !std::isfinite(high))
        low = high = 0;
    if (low > high)
        std::swap(low, high);
    maxTicks = std::max(1, maxTicks);
    // Equal values: from 0 up to a positive value, down to a negative one.
    if (low == high) {
        if (high > 0)
            low = 0;
        else if (low < 0)
            high = 0;
        else
            high = 1;
    }
    // Values not far above zero are shown from zero, so that their size reads true.
    if (low > 0 && low < high / 2)
        low = 0;
    const double step = niceStep((high - low) / maxTicks);
    // A little slack, so that 0.9 ÷ 0.1 = 9.000000000000002 ends on the tick of 0.9.
    const double first = std::floor(low / step + 1e-9);
    const double last = std::ceil(high / step - 1e-9);
    axis.step = step;
    for (double k = first; k <= last; ++k)
        axis.ticks.append(k * step);
    axis.min = axis.ticks.first();
    axis.max = axis.ticks.last();
    if (axis.ticks.size() == 1) { // a value on a tick: one step above it
        axis.max = axis.min + step;
        axis.ticks.append(axis.max);
    }
    return axis;
}

QString tickText(double value, double step)
{
    const int decimals = step >= 1 ? 0 : int(std::ceil(-std::log10(step) - 1e-9));
    if (std::abs(value) < step / 2)
        value = 0; // no "-0"
    QString text = QString::number(value, 'f', decimals);
    return text.replace(QLatin1Char('.'), RegionalSettings::current().decimalSeparator);
}

DateAxis dateAxis(int firstDay, int lastDay, int maxTicks)
{
    DateAxis axis;
    if (lastDay < firstDay)
        std::swap(firstDay, lastDay);
    if (lastDay == firstDay) {
        firstDay -= 3;
        lastDay += 3;
    }
    maxTicks = std::max(1, maxTicks);
    axis.firstDay = firstDay;
    axis.lastDay = lastDay;
    const double span = double(lastDay) - double(firstDay);

    struct Choice {
        DateAxis::Unit unit;
        int every;
        double days;
    };
    static const Choice choices[] = {
        {DateAxis::Unit::Days, 1, 1},       {DateAxis::Unit::Days, 2, 2},
        {DateAxis::Unit::Weeks, 1, 7},      {DateAxis::Unit::Months, 1, 30.44},
        {DateAxis::Unit::Months, 2, 60.88}, {DateAxis::Unit::Months, 3, 91.31},
        {DateAxis::Unit::Months, 6, 182.6},
    };
    bool chosen = false;
    for (const Choice &c : choices) {
        if (span / c.days <= maxTicks) {
            axis.unit = c.unit;
            axis.every = c.every;
            chosen = true;
            break;
        }
    }
    if (!chosen) {
        axis.unit = DateAxis::Unit::Years;
        const int mults[] = {1, 2, 5};
        for (int power = 1; !chosen; power *= 10) {
            for (int m : mults) {
                if (span / (365.25 * m * power) <= maxTicks || power >= 1000) {
                    axis.every = m * power;
                    chosen = true;
                    break;
                }
            }
        }
    }

    const QDate first = DayCount::toDate(firstDay);
    const QDate last = DayCount::toDate(lastDay);
    if (!first.isValid() || !last.isValid())
        return axis;
    const QLocale english = QLocale::c();
    const auto add = [&](const QDate &date, const QString &label) {
        axis.ticks.append({int(DayCount::fromDate(date)), label});
    };
    switch (axis.unit) {
    case DateAxis::Unit::Days:
        for (QDate d = first; d <= last; d = d.addDays(axis.every))
            add(d, RegionalSettings::current().dateText(d));
        break;
    case DateAxis::Unit::Weeks:
        for (QDate d = first.addDays((8 - first.dayOfWeek()) % 7); d <= last; d = d.addDays(7))
            add(d, RegionalSettings::current().dateText(d));
        break;
    case DateAxis::Unit::Months: {
        QDate d(first.year(), first.month(), 1);
        if (d < first)
            d = d.addMonths(1);
        while ((d.month() - 1) % axis.every != 0)
            d = d.addMonths(1);
        for (; d <= last; d = d.addMonths(axis.every))
            add(d, english.monthName(d.month(), QLocale::ShortFormat) + QLatin1Char(' ') + QString::number(d.year()));
        break;
    }
    case DateAxis::Unit::Years: {
        int year = first.year() + (QDate(first.year(), 1, 1) < first ? 1 : 0);
        while (year % axis.every != 0)
            ++year;
        for (; QDate(year, 1, 1) <= last; year += axis.every) {
            if (QDate(year, 1, 1).isValid()) // there is no year 0
                add(QDate(year, 1, 1), QString::number(year));
        }
        break;
    }
    }
    return axis;
}
}
