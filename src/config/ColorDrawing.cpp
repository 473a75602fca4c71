#include "config/ColorDrawing.h"

#include <QPalette>

namespace {
struct SystemRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Desktop palette roles by system colour index (0..30); index 25 has no colour.
constexpr SystemRole NoRole{QPalette::Active, QPalette::NoRole};
constexpr SystemRole SystemRoles[31] = {
    {QPalette::Active, QPalette::Midlight},        // 0 clScrollBar
    {QPalette::Active, QPalette::Window},          // 1 clBackground
    {QPalette::Active, QPalette::Highlight},       // 2 clActiveCaption
    {QPalette::Inactive, QPalette::Mid},           // 3 clInactiveCaption
    {QPalette::Active, QPalette::Window},          // 4 clMenu
    {QPalette::Active, QPalette::Base},            // 5 clWindow
    {QPalette::Active, QPalette::Shadow},          // 6 clWindowFrame
    {QPalette::Active, QPalette::WindowText},      // 7 clMenuText
    {QPalette::Active, QPalette::Text},            // 8 clWindowText
    {QPalette::Active, QPalette::HighlightedText}, // 9 clCaptionText
    {QPalette::Active, QPalette::Button},          // 10 clActiveBorder
    {QPalette::Inactive, QPalette::Button},        // 11 clInactiveBorder
    {QPalette::Active, QPalette::Dark},            // 12 clAppWorkSpace
    {QPalette::Active, QPalette::Highlight},       // 13 clHighlight
    {QPalette::Active, QPalette::HighlightedText}, // 14 clHighlightText
    {QPalette::Active, QPalette::Button},          // 15 clBtnFace
    {QPalette::Active, QPalette::Dark},            // 16 clBtnShadow
    {QPalette::Disabled, QPalette::Text},          // 17 clGrayText
    {QPalette::Active, QPalette::ButtonText},      // 18 clBtnText
    {QPalette::Disabled, QPalette::WindowText},    // 19 clInactiveCaptionText
    {QPalette::Active, QPalette::Light},           // 20 clBtnHighlight
    {QPalette::Active, QPalette::Shadow},          // 21 cl3DDkShadow
    {QPalette::Active, QPalette::Midlight},        // 22 cl3DLight
    {QPalette::Active, QPalette::ToolTipText},     // 23 clInfoText
    {QPalette::Active, QPalette::ToolTipBase},     // 24 clInfoBk
    NoRole,                                        // 25
    {QPalette::Active, QPalette::Link},            // 26 clHotLight
    {QPalette::Active, QPalette::Highlight},       // 27 clGradientActiveCaption
    {QPalette::Inactive, QPalette::Mid},           // 28 clGradientInactiveCaption
    {QPalette::Active, QPalette::Highlight},       // 29 clMenuHighlight
    {QPalette::Active, QPalette::Window},          // 30 clMenuBar
};

QColor normalText(const QPalette &palette)
{
    return palette.color(QPalette::Active, QPalette::Text);
}
}

QColor DrawingColor(ColorValue value, const QPalette &palette)
{
    const quint32 high = value >> 24;
    if (high == 0xFF) {
        const quint32 index = value & 0x00FFFFFF;
        if (index >= std::size(SystemRoles) || SystemRoles[index].role == QPalette::NoRole)
            return normalText(palette);
        return palette.color(SystemRoles[index].group, SystemRoles[index].role);
    }
    if (high != 0)
        return normalText(palette); // "clNone", "clDefault" and other values that are no colour
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

ColorValue ColorValueOf(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return ColorValue(rgb.red()) | (ColorValue(rgb.green()) << 8) | (ColorValue(rgb.blue()) << 16);
}
