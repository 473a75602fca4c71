#include "csv/CsvValues.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

#include <charconv>
#include <cmath>

namespace CsvValues {
std::optional<double> number(const QString &text, const char *what)
{
    const QStringView t = QStringView(text).trimmed();
    if (t.isEmpty())
        return std::nullopt;
    // A decimal comma reads as a point; anything but ASCII is no number.
    QByteArray buffer(t.size(), Qt::Uninitialized);
    bool ascii = true;
    const bool hasPoint = t.contains(u'.');
    for (qsizetype i = 0; ascii && i < t.size(); ++i) {
        const char16_t c = t.at(i).unicode();
        ascii = c < 0x80;
        buffer[i] = c == u',' && !hasPoint ? '.' : char(c);
    }
    double value = 0;
    const char *begin = buffer.constData();
    const char *end = begin + buffer.size();
    const auto [stop, error] = ascii ? std::from_chars(begin, end, value) : std::from_chars_result{begin, std::errc::invalid_argument};
    if (error != std::errc() || stop != end || !std::isfinite(value))
        throw RowError{QStringLiteral("%1 \"%2\" is not a number").arg(QLatin1String(what), text)};
    if (value < 0)
        throw RowError{QStringLiteral("%1 \"%2\" is negative").arg(QLatin1String(what), text)};
    return value + 0.0; // "-0" is stored as 0
}

namespace {
// "yyyy-MM-dd HH:mm:ss", the most common form, read without a format parser.
std::optional<When> isoDateTime(const QString &t)
{
    bool allDigits = true;
    const auto digits = [&](qsizetype from, qsizetype count) {
        int value = 0;
        for (qsizetype i = from; i < from + count; ++i) {
            const char16_t c = t.at(i).unicode();
            allDigits = allDigits && c >= u'0' && c <= u'9';
            value = value * 10 + (c - u'0');
        }
        return value;
    };
    if (t.size() != 19 || t.at(4) != u'-' || t.at(7) != u'-' || (t.at(10) != u' ' && t.at(10) != u'T')
        || t.at(13) != u':' || t.at(16) != u':')
        return std::nullopt;
    const QDate date(digits(0, 4), digits(5, 2), digits(8, 2));
    if (!allDigits)
        return std::nullopt;
    const QTime time(digits(11, 2), digits(14, 2), digits(17, 2));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return When{date, time};
}
}

namespace {
// A date and a time of day read apart, so that a local time that does not exist (the
// hour skipped when clocks go forward) reads as given: the record stores no zone.
std::optional<When> dateAndTime(const QString &t, const char *dateFormat, const char *separator, const char *timeFormat)
{
    const qsizetype at = t.lastIndexOf(QLatin1String(separator));
    if (at <= 0)
        return std::nullopt;
    const QLocale c = QLocale::c();
    const QDate d = c.toDate(t.first(at), QLatin1String(dateFormat));
    const QTime time = c.toTime(t.sliced(at + qsizetype(qstrlen(separator))), QLatin1String(timeFormat));
    if (!d.isValid() || !time.isValid())
        return std::nullopt;
    return When{d, time};
}

// "6 Jan 2025, 07:15" (the comma optional), read without a format parser: every
// workout of such a file has two of them.
std::optional<When> dayMonthYear(const QString &t)
{
    static const char *const Months[] = {"jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};
    qsizetype i = 0;
    const auto digits = [&](int min, int max) -> std::optional<int> {
        int value = 0, count = 0;
        while (i < t.size() && count < max && t.at(i) >= u'0' && t.at(i) <= u'9') {
            value = value * 10 + (t.at(i++).unicode() - u'0');
            ++count;
        }
        return count >= min ? std::optional<int>(value) : std::nullopt;
    };
    const auto skip = [&](char16_t c) {
        const bool there = i < t.size() && t.at(i) == c;
        i += there ? 1 : 0;
        return there;
    };
    const std::optional<int> day = digits(1, 2);
    if (!day || !skip(u' ') || i + 3 > t.size())
        return std::nullopt;
    // The month's name in lower case, without a copy of the text: no letter but the ASCII
    // ones lowers to a letter of the months' names.
    char month[4] = {};
    for (qsizetype k = 0; k < 3; ++k) {
        const char16_t c = t.at(i + k).unicode();
        month[k] = c >= u'A' && c <= u'Z' ? char(c - u'A' + 'a') : c < 0x80 ? char(c) : '?';
    }
    int m = 0;
    while (m < 12 && qstrcmp(month, Months[m]) != 0)
        ++m;
    i += 3;
    if (m == 12 || !skip(u' '))
        return std::nullopt;
    const std::optional<int> year = digits(4, 4);
    if (!year)
        return std::nullopt;
    const QDate date(*year, m + 1, *day);
    if (!date.isValid())
        return std::nullopt;
    if (i == t.size())
        return When{date, QTime()};
    skip(u',');
    if (!skip(u' '))
        return std::nullopt;
    const std::optional<int> hours = digits(1, 2);
    if (!hours || !skip(u':'))
        return std::nullopt;
    const std::optional<int> minutes = digits(2, 2);
    const QTime time = minutes ? QTime(*hours, *minutes) : QTime();
    if (i != t.size() || !time.isValid())
        return std::nullopt;
    return When{date, time};
}

std::optional<When> anyDateTime(const QString &text)
{
    const QString t = text.trimmed();
    if (const std::optional<When> iso = isoDateTime(t))
        return iso;
    if (const std::optional<When> named = dayMonthYear(t))
        return named;
    struct Form {
        const char *date, *separator, *time;
    };
    for (const Form &f : {Form{"yyyy-MM-dd", " ", "HH:mm:ss"}, Form{"yyyy-MM-dd", " ", "HH:mm"}, Form{"yyyy-MM-dd", "T", "HH:mm:ss"},
                          Form{"d MMM yyyy", ", ", "HH:mm"}, Form{"d MMM yyyy", " ", "HH:mm"}, Form{"yyyy/MM/dd", " ", "HH:mm:ss"},
                          Form{"dd.MM.yyyy", " ", "HH:mm"}})
        if (const std::optional<When> when = dateAndTime(t, f.date, f.separator, f.time))
            return when;
    // A time with a zone or "Z" (UTC) is converted to local time.
    if (t.contains(u'T')) {
        const QDateTime iso = QDateTime::fromString(t, Qt::ISODateWithMs);
        if (iso.isValid()) {
            if (iso.timeSpec() == Qt::LocalTime)
                return When{iso.date(), iso.time()};
            const QDateTime local = iso.toLocalTime();
            return When{local.date(), local.time()};
        }
    }
    const QLocale c = QLocale::c();
    for (const char *format : {"yyyy-MM-dd", "d MMM yyyy", "yyyy/MM/dd", "dd.MM.yyyy"}) {
        const QDate d = c.toDate(t, QLatin1String(format));
        if (d.isValid())
            return When{d, QTime()};
    }
    return std::nullopt;
}
}

std::optional<When> dateTime(const QString &text)
{
    // The day counts of the training file and the dates of the forms span these years.
    std::optional<When> when = anyDateTime(text);
    if (when && (when->date.year() < 1900 || when->date.year() > 9999))
        return std::nullopt;
    return when;
}

QTime timeOfDay(const QString &text)
{
    if (text.trimmed().size() > 8)
        if (const std::optional<When> w = dateTime(text))
            return w->time;
    for (const char *format : {"HH:mm:ss", "H:mm:ss", "HH:mm", "H:mm"}) {
        const QTime t = QTime::fromString(text.trimmed(), QLatin1String(format));
        if (t.isValid())
            return t;
    }
    if (const std::optional<When> w = dateTime(text))
        return w->time;
    return QTime();
}

std::optional<double> seconds(const QString &text)
{
    const QStringList parts = text.trimmed().split(u':');
    if (parts.size() == 1)
        return number(text, "time");
    double total = 0;
    for (const QString &p : parts) {
        bool ok = false;
        const double v = p.toDouble(&ok);
        if (!ok || !std::isfinite(v))
            throw RowError{QStringLiteral("time \"%1\" is not a time").arg(text)};
        if (v < 0 || p.contains(u'-'))
            throw RowError{QStringLiteral("time \"%1\" is negative").arg(text)};
        total = total * 60 + v;
    }
    return total;
}

int checkedMinutes(double minutes, const QString &text)
{
    if (!(minutes <= MaxDurationMinutes + 0.5))
        throw RowError{QStringLiteral("duration \"%1\" is longer than 99:59, the longest a workout form shows").arg(text.trimmed())};
    return int(std::lround(minutes));
}

std::optional<int> durationMinutes(const QString &text)
{
    const std::optional<double> minutes = anyDurationMinutes(text);
    if (!minutes)
        return std::nullopt;
    return checkedMinutes(*minutes, text);
}

std::optional<double> anyDurationMinutes(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    if (t.contains(u'-'))
        throw RowError{QStringLiteral("duration \"%1\" is negative").arg(text)};
    // Read in doubles: a long row of digits must not overflow.
    const auto whole = [](const QString &digits) { return digits.isEmpty() ? 0.0 : digits.toDouble(); };
    static const QRegularExpression units(QStringLiteral("^(?:(\\d+)\\s*h)?\\s*(?:(\\d+)\\s*m(?:in)?)?\\s*(?:(\\d+)\\s*s)?$"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = units.match(t);
    if (m.hasMatch() && !t.at(0).isSpace() && (m.hasCaptured(1) || m.hasCaptured(2) || m.hasCaptured(3)))
        return whole(m.captured(1)) * 60 + whole(m.captured(2)) + std::floor((whole(m.captured(3)) + 30) / 60);
    const QStringList parts = t.split(u':');
    if (parts.size() >= 2) {
        bool okH = false, okM = false;
        const qint64 h = parts[0].toLongLong(&okH), mins = parts[1].toLongLong(&okM);
        if (!okH || !okM)
            throw RowError{QStringLiteral("duration \"%1\" is not a duration").arg(text)};
        return double(h) * 60 + double(mins);
    }
    return *number(t, "duration") / 60;
}

float storedDuration(int minutes)
{
    return float(minutes / 60) + float(minutes % 60) / 100.0f;
}

double round2(double x)
{
    return std::round(x * 100) / 100;
}
}
