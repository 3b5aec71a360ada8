// Key codes and shift states as the control's key events report them (Windows virtual keys;
// Shift = 1, Ctrl = 2, Alt = 4).
#pragma once

#include <QKeyEvent>

namespace tabula_detail {

enum Vk {
    VkBack = 8,
    VkTab = 9,
    VkReturn = 13,
    VkShift = 16,
    VkControl = 17,
    VkMenu = 18,
    VkEscape = 27,
    VkSpace = 32,
    VkPrior = 33,
    VkNext = 34,
    VkEnd = 35,
    VkHome = 36,
    VkLeft = 37,
    VkUp = 38,
    VkRight = 39,
    VkDown = 40,
    VkInsert = 45,
    VkDelete = 46,
    VkSeparator = 108,
    VkDecimal = 110,
};

inline int ShiftState(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

inline int VirtualKey(const QKeyEvent* e) {
    const int k = e->key();
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return 'A' + (k - Qt::Key_A);
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return keypad ? 96 + (k - Qt::Key_0) : '0' + (k - Qt::Key_0);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return 112 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Backspace:
        return VkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VkTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VkReturn;
    case Qt::Key_Shift:
        return VkShift;
    case Qt::Key_Control:
        return VkControl;
    case Qt::Key_Alt:
        return VkMenu;
    case Qt::Key_Escape:
        return VkEscape;
    case Qt::Key_Space:
        return VkSpace;
    case Qt::Key_PageUp:
        return VkPrior;
    case Qt::Key_PageDown:
        return VkNext;
    case Qt::Key_End:
        return VkEnd;
    case Qt::Key_Home:
        return VkHome;
    case Qt::Key_Left:
        return VkLeft;
    case Qt::Key_Up:
        return VkUp;
    case Qt::Key_Right:
        return VkRight;
    case Qt::Key_Down:
        return VkDown;
    case Qt::Key_Insert:
        return VkInsert;
    case Qt::Key_Delete:
        return VkDelete;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return keypad ? (k == Qt::Key_Comma ? VkSeparator : VkDecimal)
                      : (k == Qt::Key_Period ? 190 : 188);
    case Qt::Key_Plus:
        return keypad ? 107 : 187;
    case Qt::Key_Minus:
        return keypad ? 109 : 189;
    case Qt::Key_Asterisk:
        return 106;
    case Qt::Key_Slash:
        return keypad ? 111 : 191;
    default:
        return 0;
    }
}

// A character counts as double-byte when the Japanese ANSI code page needs two bytes for it:
// everything outside ASCII except the half-width katakana block.
inline bool IsDoubleByte(QChar ch) {
    const ushort u = ch.unicode();
    return u >= 0x80 && !(u >= 0xFF61 && u <= 0xFF9F);
}

} // namespace tabula_detail
