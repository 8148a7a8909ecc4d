#pragma once

namespace vexlo {

// How a sheet is scrolled below a 40-pixel strip in a client of a given
// height: value 0 puts its top at 40, the scroll bar's maximum puts its
// bottom 8 pixels above the client's bottom, and a sheet that fits stays at
// 40. Heights are in pixels.

// The range a scroll bar has unless a sheet is very tall.
inline constexpr int kScrollRange = 1000;

// How far a sheet moves between its first and its last scroll value.
inline double ScrollTravel(double sheetHeight, double clientHeight)
{
    return sheetHeight - (clientHeight - 48);
}

// The scroll bar's maximum: 1000, so 0 to 1000 as always, until the travel
// exceeds 32,000 pixels (more than a tile row a step); then one value a tile
// row of the sheet, so one step moves at most a tile row.
int ScrollMaximum(int sheetHeight, int clientHeight);

// The largest maximum a sheet of this height has in a client of any height:
// what a kept scroll value may be.
int LargestScrollMaximum(int sheetHeight);

// Scroll bar steps in scroll values, each at least 1: an arrow step of about
// one tile row, a page step of the whole tile rows the client shows.
struct ScrollSteps {
    int single = 1;
    int page = 1;
};
ScrollSteps ScrollStepsFor(int sheetHeight, int clientHeight);

// Top edge of the sheet for a scroll value of 0 to `scrollMaximum` (a value
// past it counts as the maximum). Floating point, no rounding of
// intermediates.
double PlacedSheetTop(double sheetHeight, double clientHeight, int scrollValue, int scrollMaximum);

} // namespace vexlo
