#include "common/pane_placement.h"

#include <algorithm>
#include <cmath>

namespace vexlo {
namespace {

constexpr int kTileRow = 32;
// A range of 1000 moves a tile row a step up to this travel.
constexpr double kLongestTravelAtFixedRange = double(kScrollRange) * kTileRow;

int ScrollValues(double pixels, double travel, int maximum)
{
    return std::clamp(int(std::lround(pixels * maximum / travel)), 1, maximum);
}

} // namespace

int ScrollMaximum(int sheetHeight, int clientHeight)
{
    if (ScrollTravel(sheetHeight, clientHeight) <= kLongestTravelAtFixedRange)
        return kScrollRange;
    // The travel is shorter than the sheet, so a step is shorter than a row.
    return (sheetHeight + kTileRow - 1) / kTileRow;
}

int LargestScrollMaximum(int sheetHeight)
{
    return std::max(kScrollRange, (sheetHeight + kTileRow - 1) / kTileRow);
}

ScrollSteps ScrollStepsFor(int sheetHeight, int clientHeight)
{
    const double travel = ScrollTravel(sheetHeight, clientHeight);
    if (travel <= 0)
        return {}; // the sheet fits and does not move
    const int maximum = ScrollMaximum(sheetHeight, clientHeight);
    const int shownRows = std::max(1, (clientHeight - 48) / kTileRow);
    return {ScrollValues(kTileRow, travel, maximum), ScrollValues(double(shownRows) * kTileRow, travel, maximum)};
}

double PlacedSheetTop(double sheetHeight, double clientHeight, int scrollValue, int scrollMaximum)
{
    if (sheetHeight - (clientHeight - 40) < 0)
        return 40;
    const int value = std::min(scrollValue, scrollMaximum);
    return 40 - ScrollTravel(sheetHeight, clientHeight) * value / scrollMaximum;
}

} // namespace vexlo
