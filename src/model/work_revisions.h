#pragma once

#include <array>
#include <cstdint>

namespace vexlo {

// Which version of each pane and of the macro the workspace holds. Every
// change draws a new number, never used before; an undone or redone step
// puts back the numbers it found or left, so work undone back to what was
// saved counts as saved again.
struct WorkRevisions {
    std::array<std::uint64_t, 2> panes{};
    std::uint64_t macro = 0;
};

} // namespace vexlo
