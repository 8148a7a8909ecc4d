#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include <vector>

namespace vexlo {

// Whole tiles of one sheet moved at once. Rectangles and points are in
// tiles; every tile named must lie wholly inside the image (Format_RGB32).

// One tile's new pixels: tile `to` takes what tile `from` held before.
struct TileMove {
    QPoint to;
    QPoint from;
    friend bool operator==(const TileMove &, const TileMove &) = default;
};

// Swaps two blocks of tiles of the same size that do not overlap, a whole
// pixel row of the block at a time.
void SwapTileBlocks(QImage &sheet, QRect first, QRect second);

// Gives each tile named as a target the old pixels of its source, all at
// once: the sources are copied aside first, so the moves may form cycles.
void MoveTiles(QImage &sheet, const std::vector<TileMove> &moves);

// Whether two tiles hold the same pixels.
bool SameTiles(const QImage &sheet, QPoint first, QPoint second);

// Copies the block of tiles `from` of `source` onto `target` with its top
// left tile at `to`, a whole pixel row of the block at a time.
void CopyTileBlock(const QImage &source, QRect from, QImage &target, QPoint to);

} // namespace vexlo
