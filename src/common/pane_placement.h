#pragma once

namespace vexlo {

// Top edge of a scrolled sheet below a 40-pixel strip, for a sheet of height
// `sheetHeight` in a client of height `clientHeight` and a scroll value of 0 to
// 1000: a sheet that fits stays at 40; otherwise value 0 puts its top at 40 and
// value 1000 its bottom 8 pixels above the client's bottom. Floating point,
// no rounding of intermediates.
inline double PlacedSheetTop(double sheetHeight, double clientHeight, int scrollValue)
{
    if (sheetHeight - (clientHeight - 40) < 0)
        return 40;
    return 40 - (sheetHeight - (clientHeight - 48)) * scrollValue / 1000;
}

} // namespace vexlo
