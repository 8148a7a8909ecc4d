#pragma once

#include <QImage>

namespace vexlo {

// The picture that follows the pointer while a tile is dragged: a hollow
// 32 x 32 square with a three-pixel bevelled frame, light on the top and left
// edges and dark on the bottom and right ones, and a transparent inside.
QImage TileDragImage();

// The same frame around a block of this many tiles (columns, rows), with a
// dotted line between its tiles. A block taller than `maxRows` shows only
// that many of its rows.
QImage BlockDragImage(QSize tiles, int maxRows);

} // namespace vexlo
