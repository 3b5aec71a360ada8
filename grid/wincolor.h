// Windows colour values: an RGB value with red in the low byte, or a system colour index with
// the high bit set, resolved against the widget's palette.
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace tabula_detail {

constexpr uint32_t kWindowBackground = 0x80000005;
constexpr uint32_t kWindowText = 0x80000008;
constexpr uint32_t kButtonText = 0x80000012;
constexpr uint32_t kHighlightText = 0x8000000E;
constexpr uint32_t kButtonFace = 0x8000000F;
constexpr uint32_t kLockedCellColor = 0x80000016; // 3D light

QColor ResolveWinColor(uint32_t value, const QPalette& palette);

} // namespace tabula_detail
