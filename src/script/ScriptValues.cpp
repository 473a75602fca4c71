// Numbers and texts as values: the conversions between them, the bounds on texts,
// and the arguments of library calls.

#include "script/ScriptInterpreter.h"

#include "common/Errors.h"
#include "common/RegionalSettings.h"
#include "common/ValueConversions.h"
#include "script/ScriptCode.h"
#include "script/ScriptLibrary.h"

#include <charconv>
#include <cmath>
#include <limits>

using namespace ScriptCode;

namespace {
// Reads the plain forms of a number (digits, the regional separator, "-", "+" and
// an exponent) without building any text, exactly as the shared reader reads them.
// Anything else, and anything that does not read, is left to the shared reader,
// which also gives the error.
bool readPlainNumber(QStringView text, double &value)
{
    const qsizetype n = text.size();
    char buffer[48];
    if (n == 0 || n > qsizetype(sizeof buffer) || text.at(0) == QLatin1Char('+'))
        return false;
    const char16_t separator = RegionalSettings::current().decimalSeparator.unicode();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= u'0' && c <= u'9')
            buffer[i] = char(c);
        else if (c == separator)
            buffer[i] = '.';
        else if (c == u'-' || c == u'+' || c == u'e' || c == u'E')
            buffer[i] = char(c);
        else
            return false;
    }
    const auto result = std::from_chars(buffer, buffer + n, value, std::chars_format::general);
    return result.ec == std::errc() && result.ptr == buffer + n;
}

// Whether a number's text reads back through an expression to the same number: its
// text has no operator character after the first position (a negative exponent
// has one) and a separator that is a separator.
bool plainSeparator()
{
    const QChar separator = RegionalSettings::current().decimalSeparator;
    return separator == QLatin1Char('.') || separator == QLatin1Char(',');
}

bool textReadsBack(float v)
{
    return plainSeparator() && std::isfinite(v) && (v == 0 || std::fabs(v) >= 0.00011f);
}

// A failure to read a long text names it cut to a readable length.
template<typename Error>
[[noreturn]] void rethrowQuoted(const Error &e, const QString &text)
{
    if (text.size() <= ScriptInterpreter::MaxQuotedLength)
        throw e;
    throw Error(QString(e.message()).replace(text, ScriptInterpreter::quoted(text)));
}
}

// Overflow is judged after rounding to single: a value a little above the largest
// single that rounds to it (as 3.4028235E38, the text of the largest single) is no
// overflow.
void ScriptInterpreter::nonFinite(double value)
{
    if (std::isnan(value))
        ScriptFault::invalidOperation();
    ScriptFault::overflow();
}

namespace {
// The shortest decimal digits that read back to the magnitude of x (no trailing
// zeros), and the decimal exponent of the first digit: 0.0125 gives "125" and -2.
int shortestDigits(float x, char *digits, int &exponent)
{
    char text[48];
    const auto result = std::to_chars(text, text + sizeof text, std::fabs(x), std::chars_format::scientific);
    const char *end = result.ptr;
    int count = 0;
    const char *p = text;
    for (; p < end && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits[count++] = *p;
    while (count > 1 && digits[count - 1] == '0')
        --count;
    ++p; // the "e"
    if (p < end && *p == '+')
        ++p;
    exponent = 0;
    std::from_chars(p, end, exponent);
    return count;
}
}

// The main window's number text, built without passing through several texts:
// fixed notation from 0.0001 up to 10^15, scientific beyond.
QString ScriptInterpreter::FormatNumber(float x)
{
    if (!std::isfinite(x) || x == 0)
        return NumberText(x);
    char digits[48];
    int exponent = 0;
    const int count = shortestDigits(x, digits, exponent);
    const char16_t separator = RegionalSettings::current().decimalSeparator.unicode();
    char16_t out[80];
    int n = 0;
    if (x < 0)
        out[n++] = u'-';
    if (exponent >= -4 && exponent < 15) {
        if (exponent >= 0) {
            for (int i = 0; i <= exponent; ++i)
                out[n++] = i < count ? char16_t(digits[i]) : u'0';
            if (count > exponent + 1) {
                out[n++] = separator;
                for (int i = exponent + 1; i < count; ++i)
                    out[n++] = char16_t(digits[i]);
            }
        } else {
            out[n++] = u'0';
            out[n++] = separator;
            for (int i = 0; i < -exponent - 1; ++i)
                out[n++] = u'0';
            for (int i = 0; i < count; ++i)
                out[n++] = char16_t(digits[i]);
        }
    } else {
        out[n++] = char16_t(digits[0]);
        if (count > 1) {
            out[n++] = separator;
            for (int i = 1; i < count; ++i)
                out[n++] = char16_t(digits[i]);
        }
        out[n++] = u'E';
        char e[16];
        const auto r = std::to_chars(e, e + sizeof e, exponent);
        for (const char *p = e; p < r.ptr; ++p)
            out[n++] = char16_t(*p);
    }
    return QString(reinterpret_cast<const QChar *>(out), n);
}

namespace {
// The cut of |x| to n decimals by arithmetic, where it gives what cutting the
// shortest text of x gives: the scaled value must lie clearly away from a whole
// number (the shortest text differs from x by less than half a unit in its last
// place), and the quotient must not fall on a halfway point between two singles,
// where rounding through a double could round the other way. False where unsure.
bool cutByArithmetic(int n, float magnitude, float &cut)
{
    static constexpr double powers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
    if (n < 0 || n > 8 || !(magnitude < 1e6f) || magnitude < 1e-6f)
        return false;
    const double scale = powers[n];
    const double scaled = double(magnitude) * scale; // exact to well below the margin
    const double whole = std::floor(scaled);
    const double unit = double(std::nextafter(magnitude, INFINITY) - magnitude) * scale;
    const double margin = unit + scaled * 0x1p-50;
    if (scaled - whole <= margin || whole + 1 - scaled <= margin)
        return false;
    const double quotient = whole / scale;
    const float single = float(quotient);
    const float other = std::nextafter(single, quotient < double(single) ? 0.0f : INFINITY);
    if (quotient == (double(single) + double(other)) / 2)
        return false;
    cut = single;
    return true;
}
}

float truncateToDecimals(int n, float x)
{
    if (!std::isfinite(x) || x == 0.0f)
        return x;
    float quick = 0;
    if (cutByArithmetic(n, std::fabs(x), quick))
        return x < 0 ? -quick : quick;
    char text[64];
    int exponent = 0;
    const int count = shortestDigits(x, text, exponent);
    const qint64 kept = qint64(exponent) + 1 + n; // digits at or above 10^-n
    if (kept >= count)
        return x;
    if (kept <= 0)
        return std::copysign(0.0f, x);
    char *end = text + kept;
    *end++ = 'e';
    end = std::to_chars(end, text + sizeof text, qint64(exponent) + 1 - kept).ptr;
    float cut = 0;
    if (std::from_chars(text, end, cut).ec != std::errc())
        return x;
    return x < 0 ? -cut : cut;
}

float ScriptInterpreter::parseSingle(QStringView text)
{
    double value = 0;
    if (readPlainNumber(text, value))
        return toSingle(value);
    return parseSingle(text.toString());
}

float ScriptInterpreter::parseSingle(const QString &text)
{
    double value = 0;
    if (readPlainNumber(text, value))
        return toSingle(value);
    try {
        return toSingle(ParseNumber(text));
    } catch (const ConversionError &e) {
        rethrowQuoted(e, text);
    }
}

void ScriptInterpreter::checkTextLength(qint64 length)
{
    if (length > MaxTextLength)
        throw ScriptError(QStringLiteral("A text would grow beyond %1 characters").arg(MaxTextLength));
}

QString ScriptInterpreter::quoted(const QString &text)
{
    if (text.size() <= MaxQuotedLength)
        return text;
    return text.left(MaxQuotedLength) + QStringLiteral("...");
}

// ---- arguments of library calls ----

namespace {
// A script number rounded to the nearest whole number, halves to the even one.
int roundedWhole(float value)
{
    const double r = std::nearbyint(double(value));
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(r);
}
}

ScriptCode::TextExpression &ScriptArguments::textForm(int i)
{
    Argument &a = m_member.arguments[i];
    if (!a.textForm)
        a.textForm = std::make_unique<TextExpression>(m_in.analyzeText(a.text));
    return *a.textForm;
}

float ScriptArguments::number(int i)
{
    Argument &a = m_member.arguments[i];
    if (!a.number)
        a.number = std::make_unique<NumberExpression>(m_in.analyzeNumber(a.text));
    return m_in.evaluate(*a.number);
}

QString ScriptArguments::text(int i)
{
    return m_in.evaluate(textForm(i));
}

// The argument's value as a text, analysed as an expression of its own; the analysis
// of the last such text is kept for the next call from the same place.
void ScriptArguments::valueText(int i, const QString &value)
{
    Argument &a = m_member.arguments[i];
    if (a.lastValueAsText && a.lastValueText == value)
        return;
    a.lastValueText = value;
    a.lastValueAsText = std::make_shared<TextExpression>(m_in.analyzeText(value));
    a.lastValueAsNumber = std::make_shared<NumberExpression>(m_in.analyzeNumber(value));
}

QString ScriptArguments::textOfText(int i)
{
    TextExpression &form = textForm(i);
    QString value;
    if (form.kind == TextExpression::Number) {
        // A number's text stands for that number: the text of the number itself.
        const float v = m_in.evaluate(form.number);
        if (std::isfinite(v) && plainSeparator())
            return ScriptInterpreter::FormatNumber(v);
        value = ScriptInterpreter::FormatNumber(v);
    } else {
        value = m_in.evaluate(form);
    }
    valueText(i, value);
    const std::shared_ptr<TextExpression> again = m_member.arguments[i].lastValueAsText;
    return m_in.evaluate(*again);
}

float ScriptArguments::numberOfText(int i)
{
    TextExpression &form = textForm(i);
    QString value;
    if (form.kind == TextExpression::Number) {
        const float v = m_in.evaluate(form.number);
        if (textReadsBack(v))
            return v == 0 ? 0.0f : v;
        value = ScriptInterpreter::FormatNumber(v);
    } else {
        value = m_in.evaluate(form);
    }
    valueText(i, value);
    const std::shared_ptr<NumberExpression> again = m_member.arguments[i].lastValueAsNumber;
    return m_in.evaluate(*again);
}

int ScriptArguments::whole(int i)
{
    return roundedWhole(numberOfText(i));
}

qint64 ScriptArguments::position(int i)
{
    TextExpression &form = textForm(i);
    QString value;
    if (form.kind == TextExpression::Number) {
        const float v = m_in.evaluate(form.number);
        if (std::isfinite(v) && v == std::trunc(v) && std::fabs(v) < 1e15f)
            return qint64(v);
        value = ScriptInterpreter::FormatNumber(v);
    } else {
        value = m_in.evaluate(form);
    }
    try {
        return ParseInteger(value);
    } catch (const ConversionError &e) {
        rethrowQuoted(e, value);
    }
}
