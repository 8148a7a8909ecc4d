#pragma once

#include <QImage>
#include <QRect>

#include <cstdint>

namespace vexlo {

inline constexpr int kTileSide = 32;

// The part of a tile-sized block at (x, y) that lies inside an image of this
// size; empty when none does. 64-bit origins, so tiles at the edge of the
// 32-bit range clip instead of wrapping.
QRect TileArea(QSize size, std::int64_t x, std::int64_t y);

// Copies the tile-sized block at (fromX, fromY) of `source` to (toX, toY) of
// `target`, row by row; pixels outside either image are skipped. Both images
// are Format_RGB32.
void CopyBlock(const QImage &source, std::int64_t fromX, std::int64_t fromY, QImage &target, std::int64_t toX,
               std::int64_t toY);

// Asks for all the rows of a tile at once: the rows of a tall sheet lie far
// apart in memory, and waiting for each in turn costs more than the copy.
void PrefetchBlock(const QImage &image, std::int64_t x, std::int64_t y, bool forWriting);

} // namespace vexlo
