#pragma once

#include "common/colour.h"

#include <ostream>

namespace vexlo {

// A failed comparison shows the colour value, not the object's bytes.
inline void PrintTo(Colour colour, std::ostream *out)
{
    *out << "Colour 0x" << std::hex << colour.value() << std::dec;
}

namespace test {

// The named colours the tests paint and key with, in one encoding.
inline constexpr Colour kMagenta{255, 0, 255};
inline constexpr Colour kCyan{0, 255, 255};
inline constexpr Colour kDarkGrey{64, 64, 64};

} // namespace test
} // namespace vexlo
