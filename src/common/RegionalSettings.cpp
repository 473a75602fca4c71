#include "common/RegionalSettings.h"

#include "common/DayCount.h"
#include "common/Errors.h"

#include <QLocale>
#include <QRegularExpression>

namespace {
RegionalSettings &currentSettings()
{
    static RegionalSettings settings = RegionalSettings::fromSystem();
    return settings;
}
}

RegionalSettings RegionalSettings::fromSystem()
{
    const QLocale locale = QLocale::system();
    RegionalSettings s;
    // The C locale's formats spell out month names; keep the program's own then.
    if (locale.language() == QLocale::C)
        return s;
    s.dateFormat = locale.dateFormat(QLocale::ShortFormat).remove(QLatin1Char(' '));
    QString time = locale.timeFormat(QLocale::LongFormat);
    time.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
    s.timeFormat = time.trimmed();
    const QString point = locale.decimalPoint();
    s.decimalSeparator = point.isEmpty() ? QLatin1Char('.') : point.at(0);
    if (s.dateFormat.isEmpty())
        s.dateFormat = QStringLiteral("d.M.yyyy");
    if (s.timeFormat.isEmpty())
        s.timeFormat = QStringLiteral("HH:mm:ss");
    return s;
}

const RegionalSettings &RegionalSettings::current()
{
    return currentSettings();
}

void RegionalSettings::setCurrent(const RegionalSettings &settings)
{
    currentSettings() = settings;
}

namespace {
// Numeric day, month and year fields with literal separators are formatted directly:
// listing a large training file formats one date per workout. Other formats (month
// names, quoted text) go through QLocale.
bool formatNumericDate(const QDate &date, const QString &format, QString &out)
{
    out.clear();
    out.reserve(format.size() + 2);
    for (int i = 0; i < format.size();) {
        const QChar c = format.at(i);
        int run = 1;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        if (c == QLatin1Char('d') && run <= 2)
            out += run == 2 ? QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0')) : QString::number(date.day());
        else if (c == QLatin1Char('M') && run <= 2)
            out += run == 2 ? QStringLiteral("%1").arg(date.month(), 2, 10, QLatin1Char('0'))
                            : QString::number(date.month());
        else if (c == QLatin1Char('y') && (run == 2 || run == 4))
            out += run == 4 ? QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'))
                            : QStringLiteral("%1").arg(date.year() % 100, 2, 10, QLatin1Char('0'));
        else if (c.isLetter() || c == QLatin1Char('\''))
            return false;
        else
            out += QString(run, c);
        i += run;
    }
    return true;
}
}

QString RegionalSettings::dateText(const QDate &date) const
{
    QString text;
    if (date.isValid() && date.year() > 0 && formatNumericDate(date, dateFormat, text))
        return text;
    return QLocale::c().toString(date, dateFormat);
}

QString RegionalSettings::timeText(const QTime &time) const
{
    return QLocale::c().toString(time, timeFormat);
}

QString RegionalSettings::dayCountDateText(double dayCount) const
{
    return dateText(DayCount::toDate(dayCount));
}

QString RegionalSettings::dayCountTimeText(double dayCount) const
{
    return timeText(DayCount::toTime(dayCount));
}

namespace {
// Whether the format writes the year with two digits only ("yy", not "yyyy").
bool hasTwoDigitYear(const QString &format)
{
    static const QRegularExpression twoDigits(QStringLiteral("(^|[^y])yy([^y]|$)"));
    return twoDigits.match(format).hasMatch();
}
}

QDate RegionalSettings::parseDate(const QString &text) const
{
    QDate date = QLocale::c().toDate(text.trimmed(), dateFormat);
    if (!date.isValid())
        throw ConversionError(QStringLiteral("'%1' is not a valid date").arg(text));
    // A two-digit year means the year of that ending nearest to today: within 50
    // years back and 49 ahead, not always the 1900s.
    if (hasTwoDigitYear(dateFormat)) {
        const int first = QDate::currentDate().year() - 50;
        int year = first - first % 100 + date.year() % 100;
        if (year < first)
            year += 100;
        date = QDate(year, date.month(), date.day());
        if (!date.isValid()) // 29 February of a year that has none
            throw ConversionError(QStringLiteral("'%1' is not a valid date").arg(text));
    }
    return date;
}

QTime RegionalSettings::parseTime(const QString &text) const
{
    const QString trimmed = text.trimmed();
    QTime time = QLocale::c().toTime(trimmed, timeFormat);
    // A time typed without seconds is still a time.
    if (!time.isValid())
        time = QTime::fromString(trimmed, QStringLiteral("H:m"));
    if (!time.isValid())
        time = QTime::fromString(trimmed, QStringLiteral("H:m:s"));
    if (!time.isValid())
        throw ConversionError(QStringLiteral("'%1' is not a valid time").arg(text));
    return time;
}
