#pragma once

#include <QString>

// Conversions between the form's texts and the stored values, shared by the whole
// program. Texts use the current regional decimal separator.

// x cut toward zero to n decimals, on the shortest decimal text that reads back to
// x: 2.999 gives 2.99, and a stored 1.05 stays 1.05.
float TruncateToDecimals(int n, float x);
// The shortest text that reads back to the same single: 82.5, 100, 1E20, 1.5E-7.
QString NumberText(float x);
// "01:30" gives 1.30 (hours + minutes/100); blank positions count as 0.
float DurationFromMaskText(const QString &text);
// 1.30 gives "01:30".
QString DurationToMaskText(float duration);
// "0082.50" gives 82.5; blank positions count as 0.
float WeightFromMaskText(const QString &text);

// A number with two decimals ("%.2f") and the regional separator.
QString FixedTwoDecimals(double x);
// How every number text spells a value that is not finite: "NAN", "INF", "-INF".
QString NonFiniteText(double x);

// Number reading with the regional decimal separator; a text that does not read
// raises ConversionError naming it.
double ParseNumber(const QString &text);
bool TryParseNumber(const QString &text, double &value);
qint64 ParseInteger(const QString &text);
bool TryParseInteger(const QString &text, qint64 &value);
// A whole number that fits 32 bits; any other text raises ConversionError naming it.
int ParseInt32(const QString &text);
