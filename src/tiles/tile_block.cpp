#include "tiles/tile_block.h"

#include "common/sheet_limits.h"

#include <algorithm>
#include <cstring>

namespace vexlo {

QRect TileArea(QSize size, std::int64_t x, std::int64_t y)
{
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t right = std::min<std::int64_t>(x + kTileSide, size.width());
    const std::int64_t bottom = std::min<std::int64_t>(y + kTileSide, size.height());
    if (left >= right || top >= bottom)
        return {};
    return QRect(int(left), int(top), int(right - left), int(bottom - top));
}

void CopyBlock(const QImage &source, std::int64_t fromX, std::int64_t fromY, QImage &target, std::int64_t toX,
               std::int64_t toY)
{
    const std::int64_t left = std::max({std::int64_t(0), -fromX, -toX});
    const std::int64_t right = std::min({std::int64_t(kTileSide), source.width() - fromX, target.width() - toX});
    const std::int64_t top = std::max({std::int64_t(0), -fromY, -toY});
    const std::int64_t bottom = std::min({std::int64_t(kTileSide), source.height() - fromY, target.height() - toY});
    if (left >= right || top >= bottom)
        return;
    // Base pointers once: a scanLine() call per row costs more than the row's copy.
    const std::size_t bytes = std::size_t(right - left) * sizeof(QRgb);
    const qsizetype fromStride = source.bytesPerLine();
    const qsizetype toStride = target.bytesPerLine();
    const uchar *from = source.constBits() + (fromY + top) * fromStride + (fromX + left) * qsizetype(sizeof(QRgb));
    uchar *to = WritableBits(target) + (toY + top) * toStride + (toX + left) * qsizetype(sizeof(QRgb));
    const std::int64_t rows = bottom - top;
    // A whole tile row has a size known here, which the compiler copies with
    // vector moves; a variable size becomes a string instruction that costs
    // more than the copy itself.
    constexpr std::size_t kRowBytes = kTileSide * sizeof(QRgb);
    if (bytes == kRowBytes)
        for (std::int64_t y = 0; y < rows; ++y, from += fromStride, to += toStride)
            std::memcpy(to, from, kRowBytes);
    else
        for (std::int64_t y = 0; y < rows; ++y, from += fromStride, to += toStride)
            std::memcpy(to, from, bytes);
}

void PrefetchBlock(const QImage &image, std::int64_t x, std::int64_t y, bool forWriting)
{
    if (x < 0 || y < 0 || x + kTileSide > image.width() || y + kTileSide > image.height())
        return; // edge tiles are rare; they go without
    const qsizetype stride = image.bytesPerLine();
    const uchar *row = image.constBits() + y * stride + x * qsizetype(sizeof(QRgb));
    for (int i = 0; i < kTileSide; ++i, row += stride) {
        if (forWriting) {
            __builtin_prefetch(row, 1);
            __builtin_prefetch(row + 64, 1);
        } else {
            __builtin_prefetch(row, 0);
            __builtin_prefetch(row + 64, 0);
        }
    }
}

} // namespace vexlo
