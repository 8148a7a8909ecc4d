#pragma once

#include <Qt>

#include <cstdint>

namespace vexlo {

// The codes the windows' mouse and key handlers receive for Qt's events.

// Mouse buttons: 1 left, 2 right, 4 middle, added up when several are down.
inline std::int16_t ButtonCode(Qt::MouseButtons buttons)
{
    return std::int16_t((buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0)
                        | (buttons & Qt::MiddleButton ? 4 : 0));
}

// Shift state: 1 Shift, 2 Ctrl, 4 Alt, added up.
inline std::int16_t ShiftCode(Qt::KeyboardModifiers modifiers)
{
    return std::int16_t((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
                        | (modifiers & Qt::AltModifier ? 4 : 0));
}

// Keys: 13 for Enter, character keys as their code, 0 for any other key.
inline std::int16_t KeyCode(int qtKey)
{
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter)
        return 13;
    return qtKey < 0x8000 ? std::int16_t(qtKey) : std::int16_t(0);
}

} // namespace vexlo
