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
    char buffer[64];
    bool ascii = t.size() < qsizetype(sizeof buffer);
    const bool hasPoint = t.contains(u'.');
    for (qsizetype i = 0; ascii && i < t.size(); ++i) {
        const char16_t c = t.at(i).unicode();
        ascii = c < 0x80;
        buffer[i] = c == u',' && !hasPoint ? '.' : char(c);
    }
    double value = 0;
    const char *end = buffer + t.size();
    const auto [stop, error] = ascii ? std::from_chars(buffer, end, value) : std::from_chars_result{buffer, std::errc::invalid_argument};
    if (error != std::errc() || stop != end || !std::isfinite(value) || value < 0)
        throw RowError{QStringLiteral("%1 \"%2\" is not a number").arg(QLatin1String(what), text)};
    return value;
}

namespace {
// "yyyy-MM-dd HH:mm:ss", the most common form, read without a format parser.
std::optional<When> isoDateTime(const QString &t)
{
    const auto digits = [&](qsizetype from, qsizetype count) {
        int value = 0;
        for (qsizetype i = from; i < from + count; ++i) {
            if (!t.at(i).isDigit())
                return -1;
            value = value * 10 + t.at(i).digitValue();
        }
        return value;
    };
    if (t.size() != 19 || t.at(4) != u'-' || t.at(7) != u'-' || (t.at(10) != u' ' && t.at(10) != u'T')
        || t.at(13) != u':' || t.at(16) != u':')
        return std::nullopt;
    const QDate date(digits(0, 4), digits(5, 2), digits(8, 2));
    const QTime time(digits(11, 2), digits(14, 2), digits(17, 2));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return When{date, time};
}
}

std::optional<When> dateTime(const QString &text)
{
    const QString t = text.trimmed();
    if (const std::optional<When> iso = isoDateTime(t))
        return iso;
    const QLocale c = QLocale::c();
    for (const char *format : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-ddTHH:mm:ss", "d MMM yyyy, HH:mm",
                               "d MMM yyyy HH:mm", "yyyy/MM/dd HH:mm:ss", "dd.MM.yyyy HH:mm"}) {
        const QDateTime dt = c.toDateTime(t, QLatin1String(format));
        if (dt.isValid())
            return When{dt.date(), dt.time()};
    }
    const QDateTime iso = QDateTime::fromString(t, Qt::ISODate);
    if (iso.isValid() && t.contains(u'T'))
        return When{iso.date(), iso.time()};
    for (const char *format : {"yyyy-MM-dd", "d MMM yyyy", "yyyy/MM/dd", "dd.MM.yyyy"}) {
        const QDate d = c.toDate(t, QLatin1String(format));
        if (d.isValid())
            return When{d, QTime()};
    }
    return std::nullopt;
}

QTime timeOfDay(const QString &text)
{
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
        if (!ok)
            throw RowError{QStringLiteral("time \"%1\" is not a time").arg(text)};
        total = total * 60 + v;
    }
    return total;
}

std::optional<int> durationMinutes(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    static const QRegularExpression units(QStringLiteral("^(?:(\\d+)\\s*h)?\\s*(?:(\\d+)\\s*m(?:in)?)?\\s*(?:(\\d+)\\s*s)?$"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = units.match(t);
    if (m.hasMatch() && !t.at(0).isSpace() && (m.hasCaptured(1) || m.hasCaptured(2) || m.hasCaptured(3)))
        return m.captured(1).toInt() * 60 + m.captured(2).toInt() + (m.captured(3).toInt() + 30) / 60;
    const QStringList parts = t.split(u':');
    if (parts.size() >= 2) {
        bool okH = false, okM = false;
        const int h = parts[0].toInt(&okH), mins = parts[1].toInt(&okM);
        if (!okH || !okM)
            throw RowError{QStringLiteral("duration \"%1\" is not a duration").arg(text)};
        return h * 60 + mins;
    }
    return int(std::lround(*number(t, "duration") / 60));
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
