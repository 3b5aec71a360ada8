#include "wincolor.h"

namespace tabula_detail {

QColor ResolveWinColor(uint32_t value, const QPalette& palette) {
    if ((value & 0x80000000u) == 0)
        return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
    switch (value & 0xFF) {
    case 0:  // scroll bar
    case 15: // button face
        return palette.color(QPalette::Button);
    case 1:  // desktop
    case 12: // application workspace
        return palette.color(QPalette::Mid);
    case 5: // window
        return palette.color(QPalette::Base);
    case 6:  // window frame
    case 16: // button shadow
        return palette.color(QPalette::Dark);
    case 8: // window text
        return palette.color(QPalette::Text);
    case 13: // highlight
        return palette.color(QPalette::Highlight);
    case 14: // highlight text
        return palette.color(QPalette::HighlightedText);
    case 17: // grey text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 20: // 3D highlight
        return palette.color(QPalette::Light);
    case 21: // 3D dark shadow
        return palette.color(QPalette::Shadow);
    case 22: // 3D light: a shade between the button face and white, as Windows draws it
        return palette.color(QPalette::Midlight);
    case 23: // tool tip text
        return palette.color(QPalette::ToolTipText);
    case 24: // tool tip background
        return palette.color(QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::Window);
    }
}

} // namespace tabula_detail
