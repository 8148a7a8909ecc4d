#include "tiles/block_pixels.h"

#include "common/sheet_limits.h"
#include "tiles/tile_block.h"

#include <algorithm>
#include <cstring>

namespace vexlo {
namespace {

// A sheet's pixels by tile: the base pointer is taken once, since each
// call for it checks whether the image must be copied first.
template <typename Pixel>
struct Tiles {
    Pixel *bits;
    qsizetype stride; // in pixels

    Pixel *at(QPoint tile, int y) const { return bits + (qsizetype(tile.y()) * kTileSide + y) * stride + tile.x() * kTileSide; }
};

Tiles<QRgb> WritableTiles(QImage &sheet)
{
    return {reinterpret_cast<QRgb *>(WritableBits(sheet)), sheet.bytesPerLine() / qsizetype(sizeof(QRgb))};
}

Tiles<const QRgb> ReadTiles(const QImage &sheet)
{
    return {reinterpret_cast<const QRgb *>(sheet.constBits()), sheet.bytesPerLine() / qsizetype(sizeof(QRgb))};
}

// Swaps two runs of pixels a tile row at a time, which the compiler does
// with vector moves where a swap goes pixel by pixel.
void SwapRuns(QRgb *a, QRgb *b, int count)
{
    QRgb held[kTileSide];
    for (int x = 0; x < count; x += kTileSide) {
        std::memcpy(held, a + x, sizeof held);
        std::memcpy(a + x, b + x, sizeof held);
        std::memcpy(b + x, held, sizeof held);
    }
}

} // namespace

void SwapTileBlocks(QImage &sheet, QRect first, QRect second)
{
    const int pixels = first.width() * kTileSide;
    const int rows = first.height() * kTileSide;
    const Tiles<QRgb> tiles = WritableTiles(sheet);
    QRgb *a = tiles.at(first.topLeft(), 0);
    QRgb *b = tiles.at(second.topLeft(), 0);
    for (int y = 0; y < rows; ++y, a += tiles.stride, b += tiles.stride)
        SwapRuns(a, b, pixels);
}

void MoveTiles(QImage &sheet, const std::vector<TileMove> &moves)
{
    constexpr int kTilePixels = kTileSide * kTileSide;
    std::vector<QRgb> aside(moves.size() * kTilePixels);
    const Tiles<QRgb> tiles = WritableTiles(sheet);
    for (std::size_t i = 0; i < moves.size(); ++i)
        for (int y = 0; y < kTileSide; ++y)
            std::memcpy(&aside[i * kTilePixels + y * kTileSide], tiles.at(moves[i].from, y),
                        kTileSide * sizeof(QRgb));
    for (std::size_t i = 0; i < moves.size(); ++i)
        for (int y = 0; y < kTileSide; ++y)
            std::memcpy(tiles.at(moves[i].to, y), &aside[i * kTilePixels + y * kTileSide],
                        kTileSide * sizeof(QRgb));
}

bool SameTiles(const QImage &sheet, QPoint first, QPoint second)
{
    const Tiles<const QRgb> tiles = ReadTiles(sheet);
    for (int y = 0; y < kTileSide; ++y)
        if (std::memcmp(tiles.at(first, y), tiles.at(second, y), kTileSide * sizeof(QRgb)) != 0)
            return false;
    return true;
}

void CopyTileBlock(const QImage &source, QRect from, QImage &target, QPoint to)
{
    const std::size_t bytes = std::size_t(from.width()) * kTileSide * sizeof(QRgb);
    const int rows = from.height() * kTileSide;
    const Tiles<const QRgb> sourceTiles = ReadTiles(source);
    const Tiles<QRgb> targetTiles = WritableTiles(target);
    for (int y = 0; y < rows; ++y)
        std::memcpy(targetTiles.at(to, y), sourceTiles.at(from.topLeft(), y), bytes);
}

} // namespace vexlo
