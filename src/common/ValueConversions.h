#pragma once

#include <QString>

// Conversions between the form's texts and the stored values, shared by the whole
// program. Texts use the current regional decimal separator.

// x × 10^n in single precision, cut toward zero, divided by 10^n: 2.999 gives 2.99.
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

// Number reading with the regional decimal separator; a text that does not read
// raises ConversionError naming it.
double ParseNumber(const QString &text);
bool TryParseNumber(const QString &text, double &value);
qint64 ParseInteger(const QString &text);
bool TryParseInteger(const QString &text, qint64 &value);
