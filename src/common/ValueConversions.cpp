#include "common/ValueConversions.h"

#include "common/Errors.h"
#include "common/RegionalSettings.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {
// Shortest round-trip digits of x (no sign) and the decimal exponent of the first one.
void shortestDigits(float x, QString &digits, int &exponent)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific);
    const std::string_view text(buf, res.ptr - buf);
    const size_t e = text.find('e');
    digits.clear();
    for (char c : text.substr(0, e))
        if (c >= '0' && c <= '9')
            digits += QLatin1Char(c);
    exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
}
}

float TruncateToDecimals(int n, float x)
{
    // The cut works on the decimal digits the single stands for: 1.05 is stored as
    // 1.04999995, and cutting that binary value would give 1.04.
    if (!std::isfinite(x) || x == 0.0f)
        return x;
    QString digits;
    int exponent = 0;
    shortestDigits(std::fabs(x), digits, exponent);
    const qint64 kept = qint64(exponent) + 1 + n; // digits at or above 10^-n
    if (kept >= digits.size())
        return x;
    if (kept <= 0)
        return std::copysign(0.0f, x);
    const QByteArray text = digits.left(kept).toLatin1() + 'e' + QByteArray::number(qint64(exponent) + 1 - kept);
    float cut = 0;
    if (std::from_chars(text.constData(), text.constData() + text.size(), cut).ec != std::errc())
        return x;
    return x < 0 ? -cut : cut;
}

QString NonFiniteText(double x)
{
    if (std::isnan(x))
        return QStringLiteral("NAN");
    return x < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QString NumberText(float x)
{
    if (!std::isfinite(x))
        return NonFiniteText(x);
    if (x == 0.0f)
        return QStringLiteral("0");

    const QChar sep = RegionalSettings::current().decimalSeparator;
    const QString sign = x < 0 ? QStringLiteral("-") : QString();
    const float magnitude = std::fabs(x);
    QString digits;
    int exponent = 0;
    shortestDigits(magnitude, digits, exponent);

    // Decided on the shortest decimal form, so the single nearest 0.0001 is fixed too.
    if (exponent >= -4 && exponent < 15) {
        QString whole, fraction;
        if (exponent >= 0) {
            whole = digits.left(exponent + 1);
            while (whole.size() < exponent + 1)
                whole += QLatin1Char('0');
            fraction = digits.mid(exponent + 1);
        } else {
            whole = QStringLiteral("0");
            fraction = QString(-exponent - 1, QLatin1Char('0')) + digits;
        }
        return fraction.isEmpty() ? sign + whole : sign + whole + sep + fraction;
    }
    QString mantissa = digits.left(1);
    if (digits.size() > 1)
        mantissa += sep + digits.mid(1);
    return sign + mantissa + QLatin1Char('E') + QString::number(exponent);
}

namespace {
// The number held by the characters [from, from+count) of a mask text; blanks and
// the mask's blank character count as 0.
int maskNumber(const QString &text, int from, int count)
{
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const QChar c = i < text.size() ? text.at(i) : QLatin1Char(' ');
        if (c == QLatin1Char(' ') || c == QLatin1Char('_'))
            value = value * 10;
        else if (c.isDigit())
            value = value * 10 + c.digitValue();
        else
            throw ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text.mid(from, count)));
    }
    return value;
}
}

float DurationFromMaskText(const QString &text)
{
    const int hours = maskNumber(text, 0, 2);
    const int minutes = maskNumber(text, 3, 2);
    return float(hours + minutes / 100.0);
}

QString DurationToMaskText(float duration)
{
    if (!std::isfinite(duration))
        return NonFiniteText(duration);
    const double d = duration;
    const double hours = std::trunc(d);
    const long minutes = std::lround((d - hours) * 100.0);
    // A damaged file may hold any single: hours beyond a whole number's range are
    // written with the digits they have.
    const QString hoursText = std::fabs(hours) < 1e15 ? QStringLiteral("%1").arg(qint64(hours), 2, 10, QLatin1Char('0'))
                                                      : QString::number(hours, 'f', 0);
    return hoursText + QLatin1Char(':') + QStringLiteral("%1").arg(minutes, 2, 10, QLatin1Char('0'));
}

float WeightFromMaskText(const QString &text)
{
    const int whole = maskNumber(text, 0, 4);
    const int hundredths = maskNumber(text, 5, 2);
    return float(whole + hundredths / 100.0);
}

namespace {
// True when x lies exactly halfway between two multiples of 0.01 (0.125, 2.375).
bool isTwoDecimalTie(double x)
{
    char exact[400];
    std::snprintf(exact, sizeof exact, "%.60f", x);
    const char *point = std::strchr(exact, '.');
    if (!point || std::strlen(point) < 4 || point[3] != '5')
        return false;
    for (const char *p = point + 4; *p; ++p)
        if (*p != '0')
            return false;
    return true;
}
}

QString FixedTwoDecimals(double x)
{
    if (!std::isfinite(x))
        return NonFiniteText(x);
    // Ties round away from zero, as a person reads "0.125" (printf would give 0.12).
    if (isTwoDecimalTie(x))
        x = std::nextafter(x, x < 0 ? -INFINITY : INFINITY);
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.2f", x);
    QString text = QString::fromLatin1(buf);
    text.replace(QLatin1Char('.'), RegionalSettings::current().decimalSeparator);
    return text;
}

bool TryParseNumber(const QString &text, double &value)
{
    const QChar sep = RegionalSettings::current().decimalSeparator;
    QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    if (sep != QLatin1Char('.')) {
        if (t.contains(QLatin1Char('.')))
            return false;
        t.replace(sep, QLatin1Char('.'));
    }
    if (t.startsWith(QLatin1Char('+')))
        t.remove(0, 1);
    // Only digits, a point, a sign and an exponent: no "inf" or "nan" words.
    for (QChar c : t)
        if (!c.isDigit() && !QStringLiteral(".eE+-").contains(c))
            return false;
    const QByteArray bytes = t.toLatin1();
    const char *first = bytes.constData();
    const char *last = first + bytes.size();
    double v = 0;
    const auto res = std::from_chars(first, last, v, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != last)
        return false;
    value = v;
    return true;
}

double ParseNumber(const QString &text)
{
    double v = 0;
    if (!TryParseNumber(text, v))
        throw ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return v;
}

bool TryParseInteger(const QString &text, qint64 &value)
{
    QString t = text.trimmed();
    bool ok = false;
    qint64 v = 0;
    if (t.startsWith(QLatin1Char('$')))
        v = t.mid(1).toLongLong(&ok, 16);
    else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) && t.size() > 2)
        v = t.mid(2).toLongLong(&ok, 16);
    else
        v = t.toLongLong(&ok, 10);
    if (ok)
        value = v;
    return ok;
}

qint64 ParseInteger(const QString &text)
{
    qint64 v = 0;
    if (!TryParseInteger(text, v))
        throw ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

int ParseInt32(const QString &text)
{
    qint64 v = 0;
    if (!TryParseInteger(text, v) || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        throw ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return int(v);
}
