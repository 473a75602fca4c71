#pragma once

#include "config/ColorValue.h"

#include <QColor>

class QPalette;

// The colour to draw a ColorValue with. Ordinary colours are themselves; a system colour
// takes the desktop palette's role of the same meaning; "clNone", "clDefault" and a
// system index without a meaning draw in the palette's normal text colour.
QColor DrawingColor(ColorValue value, const QPalette &palette);

// The ordinary ColorValue (0x00BBGGRR) of a colour.
ColorValue ColorValueOf(const QColor &color);
