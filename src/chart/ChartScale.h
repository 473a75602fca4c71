#pragma once

#include <QList>
#include <QString>

// Axis scales of the chart unit, free of any painting so that tests and fortavo-cli
// can use them.
namespace ChartScale {

// A value axis with round ticks: first and last tick enclose the data, the step is
// 1, 2 or 5 times a power of ten. 0–97 gives 0, 20, 40, 60, 80, 100.
struct ValueAxis {
    double min = 0;
    double max = 1;
    double step = 1;
    QList<double> ticks; // min, min + step, …, max
};
// Aims at about maxTicks intervals. Data that is all positive and not far above zero
// starts at 0 (a low value lower than half the high one); otherwise the axis starts at
// the round number below the low value. Equal values get an axis around them.
ValueAxis valueAxis(double low, double high, int maxTicks = 5);

// The text of a tick value: as many decimals as the step needs.
QString tickText(double value, double step);

// A date axis on a real time scale: x is the day count.
struct DateTick {
    int day = 0;
    QString label;
};
struct DateAxis {
    enum class Unit { Days, Weeks, Months, Years };
    int firstDay = 0; // the axis's ends: the data's first and last day (a week around one day)
    int lastDay = 1;
    Unit unit = Unit::Months;
    int every = 1; // a tick every `every` units
    QList<DateTick> ticks;
};
// Ticks by span, at most maxTicks of them: every day or every other day for up to two
// weeks, every Monday for up to about two months, the first of every 1, 2, 3 or 6 months
// for up to about four years, the first of January of every 1, 2, 5, 10, … years beyond.
// Labels: the short date for days and weeks, "Jan 2026" for months, "2026" for years.
DateAxis dateAxis(int firstDay, int lastDay, int maxTicks = 8);
}
