#pragma once

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

// The values of a CSV row read as numbers, dates, times and durations. A value that
// cannot be read raises RowError, whose reason goes to the import's report.
namespace CsvValues {
struct RowError {
    QString reason;
};

struct When {
    QDate date;
    QTime time; // invalid when the text held no time
};

// A non-negative finite number of any length with "." or "," as decimal mark; none
// for an empty text. "-0" reads as 0.
std::optional<double> number(const QString &text, const char *what);
// A date with an optional time, in the forms the exports of workout apps use. A local
// time that does not exist reads as given; a time in UTC or with an offset is
// converted to local time.
std::optional<When> dateTime(const QString &text);
// A time of day ("HH:mm:ss", "H:mm") or the time of a date-time; invalid otherwise.
QTime timeOfDay(const QString &text);
// "h:mm:ss", "mm:ss" or a plain number of seconds; never negative.
std::optional<double> seconds(const QString &text);
// The longest duration the forms' "00:00" masks show: 99 h 59 min.
constexpr int MaxDurationMinutes = 99 * 60 + 59;
// Minutes rounded to whole ones; a count beyond MaxDurationMinutes (or not a number)
// raises RowError naming text.
int checkedMinutes(double minutes, const QString &text);
// A workout's duration in minutes: "1h 5m", "45m", "h:mm", "h:mm:ss" or seconds. A
// negative duration or one beyond MaxDurationMinutes raises RowError.
std::optional<int> durationMinutes(const QString &text);
// The same without the upper bound, in unrounded minutes.
std::optional<double> anyDurationMinutes(const QString &text);
// Minutes as a stored duration: hours + minutes/100.
float storedDuration(int minutes);
double round2(double x);
}
