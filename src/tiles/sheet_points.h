#pragma once

#include "common/colour.h"

#include <QImage>

#include <cstdint>

namespace vexlo {

// What a pointer position on a sheet stands for. Positions are pixels from
// the sheet's top left, as real numbers.

// The tile column (or row) a coordinate lies in: floor(pixel / 32), so the
// right and bottom halves of a tile belong to it too. Fails with an overflow
// when the answer leaves 32 bits.
std::int32_t TileOf(double pixel);

// The locator's coordinate for a pointer coordinate: pixel - (round(pixel)
// mod 32), rounding halves to even and the remainder taking the sign of the
// pixel. For whole, non-negative pixels that is the tile's top left.
double SnappedToTile(double pixel);

// The colour of the sheet pixel under a point; outside the sheet, its black
// background.
Colour ColourAt(const QImage &sheet, double x, double y);

} // namespace vexlo
