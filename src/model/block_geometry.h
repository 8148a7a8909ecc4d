#pragma once

#include "common/sheet_limits.h"
#include "tiles/block_pixels.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <utility>
#include <vector>

namespace vexlo {

// Where the tiles of a block dropped on its own pane go. Rectangles are in
// tiles: (column, row, columns, rows).

// The block of `block`'s size with its top left tile at `to`.
inline QRect MovedBlock(QRect block, QPoint to)
{
    return QRect(to, block.size());
}

// Whether every tile of the block lies wholly inside a sheet of this many
// pixels (a last row cut short by a height in fractions of a tile does not).
// Inline: the macro player asks it of every line.
inline bool BlockInsideSheet(QRect block, QSize sheetPixels)
{
    const qint64 columns = sheetPixels.width() / kTileSize;
    const qint64 rows = sheetPixels.height() / kTileSize;
    return !block.isEmpty() && block.left() >= 0 && block.top() >= 0 && qint64(block.left()) + block.width() <= columns
           && qint64(block.top()) + block.height() <= rows;
}

// The tiles a block dropped at `to` on its own pane rearranges, each target
// with the source of its new pixels. Clear of itself, the two blocks swap
// tile for tile. Overlapping itself, the block moves to `to`, and the tiles
// it covers there (the target outside the source, in reading order: row by
// row, left to right) fill the cells it left (the source outside the
// target, in reading order). Empty when the block stays where it is.
std::vector<TileMove> BlockMoves(QRect block, QPoint to);

// The same rearrangement the other way round: what undoes it.
std::vector<TileMove> ReversedMoves(std::vector<TileMove> moves);

// Rearranges the sheet's pixels as BlockMoves says (`undo`: back again): a
// block clear of itself swaps, which is its own undo.
void RearrangeTiles(QImage &sheet, QRect block, QPoint to, bool undo = false);

// Pairs of tiles whose swaps, one after the other, give the rearrangement:
// one swap fewer than the tiles of each cycle of it.
std::vector<std::pair<QPoint, QPoint>> SwapsFor(const std::vector<TileMove> &moves);

} // namespace vexlo
