#include "common/RegionalSettings.h"

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

QString RegionalSettings::dateText(const QDate &date) const
{
    return QLocale::c().toString(date, dateFormat);
}

QString RegionalSettings::timeText(const QTime &time) const
{
    return QLocale::c().toString(time, timeFormat);
}

QDate RegionalSettings::parseDate(const QString &text) const
{
    const QDate date = QLocale::c().toDate(text.trimmed(), dateFormat);
    if (!date.isValid())
        throw ConversionError(QStringLiteral("'%1' is not a valid date").arg(text));
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
