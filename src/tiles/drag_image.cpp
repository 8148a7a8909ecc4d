#include "tiles/drag_image.h"

#include "tiles/tile_block.h"

namespace vexlo {
namespace {

constexpr int kFrameWidth = 3;
// From the outer ring inwards.
constexpr QRgb kLightEdges[kFrameWidth] = {qRgb(255, 255, 255), qRgb(224, 224, 224), qRgb(192, 192, 192)};
constexpr QRgb kDarkEdges[kFrameWidth] = {qRgb(64, 64, 64), qRgb(96, 96, 96), qRgb(128, 128, 128)};

} // namespace

QImage TileDragImage()
{
    constexpr int size = kTileSide;
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int ring = 0; ring < kFrameWidth; ++ring) {
        const int last = size - 1 - ring;
        // The dark edges run the full length and the light ones stop short of
        // them, so only the top left corner is light, as on a raised button.
        for (int i = ring; i <= last; ++i) {
            image.setPixel(i, last, kDarkEdges[ring]);
            image.setPixel(last, i, kDarkEdges[ring]);
        }
        for (int i = ring; i < last; ++i) {
            image.setPixel(i, ring, kLightEdges[ring]);
            image.setPixel(ring, i, kLightEdges[ring]);
        }
    }
    return image;
}

} // namespace vexlo
