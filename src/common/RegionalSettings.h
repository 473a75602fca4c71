#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <QTime>

// The user's short date format, long time format and decimal separator. Every date,
// time and number text of the program goes through the current settings.
struct RegionalSettings {
    QString dateFormat = QStringLiteral("d.M.yyyy");
    QString timeFormat = QStringLiteral("HH:mm:ss");
    QChar decimalSeparator = QLatin1Char('.');

    // Taken from the system locale; a date format loses its blanks and a time
    // format its time zone.
    static RegionalSettings fromSystem();

    static const RegionalSettings &current();
    static void setCurrent(const RegionalSettings &settings);

    QString dateText(const QDate &date) const;
    QString timeText(const QTime &time) const;
    // The day of a day count, and the time of day of one, as texts.
    QString dayCountDateText(double dayCount) const;
    QString dayCountTimeText(double dayCount) const;
    // Both raise ConversionError naming the text when it does not read.
    QDate parseDate(const QString &text) const;
    QTime parseTime(const QString &text) const;
};
