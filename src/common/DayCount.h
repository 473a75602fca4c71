#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

// Dates and times stored as day counts: whole days since 30 December 1899, the time
// of day as the fraction.
namespace DayCount {
QDate epoch();
QDate toDate(double dayCount);  // from the integral part
QTime toTime(double dayCount);  // from the fractional part, to the millisecond
double fromDate(const QDate &date);
double fromTime(const QTime &time);
double fromDateTime(const QDate &date, const QTime &time);
}
