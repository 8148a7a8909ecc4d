#include "tiles/drag_image.h"

#include "tiles/tile_block.h"

#include <algorithm>

namespace vexlo {
namespace {

constexpr int kFrameWidth = 3;
// From the outer ring inwards.
constexpr QRgb kLightEdges[kFrameWidth] = {qRgb(255, 255, 255), qRgb(224, 224, 224), qRgb(192, 192, 192)};
constexpr QRgb kDarkEdges[kFrameWidth] = {qRgb(64, 64, 64), qRgb(96, 96, 96), qRgb(128, 128, 128)};

// A transparent picture of this size with the bevelled frame at its edges.
QImage FramedImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int ring = 0; ring < kFrameWidth; ++ring) {
        const int right = width - 1 - ring;
        const int bottom = height - 1 - ring;
        // The dark edges run the full length and the light ones stop short of
        // them, so only the top left corner is light, as on a raised button.
        for (int x = ring; x <= right; ++x)
            image.setPixel(x, bottom, kDarkEdges[ring]);
        for (int y = ring; y <= bottom; ++y)
            image.setPixel(right, y, kDarkEdges[ring]);
        for (int x = ring; x < right; ++x)
            image.setPixel(x, ring, kLightEdges[ring]);
        for (int y = ring; y < bottom; ++y)
            image.setPixel(ring, y, kLightEdges[ring]);
    }
    return image;
}

} // namespace

QImage TileDragImage()
{
    return FramedImage(kTileSide, kTileSide);
}

QImage BlockDragImage(QSize tiles, int maxRows)
{
    const int width = tiles.width() * kTileSide;
    const int height = std::min(tiles.height(), maxRows) * kTileSide;
    QImage image = FramedImage(width, height);
    constexpr QRgb kDots = qRgb(192, 192, 192);
    for (int x = kTileSide; x < width; x += kTileSide)
        for (int y = kFrameWidth; y < height - kFrameWidth; y += 2)
            image.setPixel(x, y, kDots);
    for (int y = kTileSide; y < height; y += kTileSide)
        for (int x = kFrameWidth; x < width - kFrameWidth; x += 2)
            image.setPixel(x, y, kDots);
    return image;
}

} // namespace vexlo
