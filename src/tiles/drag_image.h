#pragma once

#include <QImage>

namespace vexlo {

// The picture that follows the pointer while a tile is dragged: a hollow
// 32 x 32 square with a three-pixel bevelled frame, light on the top and left
// edges and dark on the bottom and right ones, and a transparent inside.
QImage TileDragImage();

} // namespace vexlo
