#pragma once

#include <QString>
#include <QtGlobal>

// A colour: 0x00BBGGRR, 0xFF0000nn for system colour nn, 0x1FFFFFFF (none) or
// 0x20000000 (the control's default).
using ColorValue = quint32;

struct ColorIdentifier {
    const char *name;
    ColorValue value;
};

// The 52 named colours in table order: 20 ordinary, the two special ones, 30 system.
const QList<ColorIdentifier> &colorIdentifiers();

// An identifier (any case) or a 32-bit integer, decimal or "$" hexadecimal; raises
// ConversionError "''<text>'' is not a valid integer value" otherwise.
ColorValue TextToColor(const QString &text);
// The first identifier with this value, otherwise "$" and 8 upper-case hex digits.
QString ColorToText(ColorValue color);
