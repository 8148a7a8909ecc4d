#pragma once

namespace vexlo {

// A pane's number: 0 for the left pane, 1 for the right. A plain int, so a
// number read from a macro line or a command line is never cut short on the
// way to the check that refuses anything but 0 and 1.
using PaneIndex = int;

// "left" or "right", as tables and messages name a pane's sheet.
inline const char *PaneName(PaneIndex pane)
{
    return pane == 0 ? "left" : "right";
}

} // namespace vexlo
