#include "tiles/tile_engine.h"

#include "app/workspace.h"
#include "common/failure.h"
#include "common/lenient_number.h"
#include "common/sheet_limits.h"
#include "macro/macro_recording.h"
#include "tiles/replace_colour.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace vexlo {
namespace {

constexpr int kTile = Workspace::kTileSize;

// Top left pixel coordinate of a tile, which must fit 32 signed bits.
std::int32_t TileOrigin(std::int32_t tile)
{
    const std::int64_t origin = std::int64_t(tile) * kTile;
    if (origin < std::numeric_limits<std::int32_t>::min() || origin > std::numeric_limits<std::int32_t>::max())
        throw Failure::overflow();
    return std::int32_t(origin);
}

// Copies the tile-sized block at (fromX, fromY) of `source` to (toX, toY) of
// `target`, row by row; pixels outside either image are skipped. Both images
// are Format_RGB32. 64-bit arithmetic, so tiles at the edge of the 32-bit
// range clip instead of wrapping.
void CopyBlock(const QImage &source, std::int64_t fromX, std::int64_t fromY, QImage &target, std::int64_t toX,
               std::int64_t toY)
{
    const std::int64_t left = std::max({std::int64_t(0), -fromX, -toX});
    const std::int64_t right = std::min({std::int64_t(kTile), source.width() - fromX, target.width() - toX});
    const std::int64_t top = std::max({std::int64_t(0), -fromY, -toY});
    const std::int64_t bottom = std::min({std::int64_t(kTile), source.height() - fromY, target.height() - toY});
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
    constexpr std::size_t kRowBytes = kTile * sizeof(QRgb);
    if (bytes == kRowBytes)
        for (std::int64_t y = 0; y < rows; ++y, from += fromStride, to += toStride)
            std::memcpy(to, from, kRowBytes);
    else
        for (std::int64_t y = 0; y < rows; ++y, from += fromStride, to += toStride)
            std::memcpy(to, from, bytes);
}

// Asks for all the rows of a tile at once: the rows of a tall sheet lie far
// apart in memory, and waiting for each in turn costs more than the copy.
void PrefetchBlock(const QImage &image, std::int64_t x, std::int64_t y, bool forWriting)
{
    if (x < 0 || y < 0 || x + kTile > image.width() || y + kTile > image.height())
        return; // edge tiles are rare; they go without
    const qsizetype stride = image.bytesPerLine();
    const uchar *row = image.constBits() + y * stride + x * qsizetype(sizeof(QRgb));
    for (int i = 0; i < kTile; ++i, row += stride) {
        if (forWriting) {
            __builtin_prefetch(row, 1);
            __builtin_prefetch(row + 64, 1);
        } else {
            __builtin_prefetch(row, 0);
            __builtin_prefetch(row + 64, 0);
        }
    }
}

} // namespace

void GetTile(Workspace &workspace, std::int16_t pane, std::int16_t buffer, std::int32_t column, std::int32_t row)
{
    RecordGetTile(workspace, pane, buffer, column, row);
    const QImage &sheet = workspace.sheet(pane);
    Workspace::checkedIndex(buffer);
    const std::int32_t x0 = TileOrigin(column);
    const std::int32_t y0 = TileOrigin(row);

    QImage &chip = workspace.chipForWriting(buffer);
    PrefetchBlock(sheet, x0, y0, false);
    const bool wholeTileInside = x0 >= 0 && y0 >= 0 && std::int64_t(x0) + kTile <= sheet.width()
                                 && std::int64_t(y0) + kTile <= sheet.height();
    if (!wholeTileInside)
        chip.fill(Qt::black);
    CopyBlock(sheet, x0, y0, chip, 0, 0);
    emit workspace.chipChanged(buffer);
}

void PutTile(Workspace &workspace, std::int16_t pane, std::int16_t buffer, std::int32_t column, std::int32_t row,
             std::int16_t replace)
{
    RecordPutTile(workspace, pane, buffer, column, row, replace);
    Workspace::checkedIndex(pane);
    QImage &chip = workspace.chipForWriting(buffer);

    const std::int64_t x0 = std::int64_t(column) * kTile;
    const std::int64_t y0 = std::int64_t(row) * kTile;
    QImage &sheet = workspace.sheetForWriting(pane);
    // The target rows are fetched while the buffer's colours are replaced.
    PrefetchBlock(sheet, x0, y0, true);

    if (replace == -1) {
        // Transparent first, then translucent on the result, in one pass.
        const Options &options = workspace.options();
        ReplaceColours(chip,
                       options.isOn(OptSwitch::ChkRepTrans) ? workspace.transparentKey(buffer) : kNoColour,
                       workspace.transparentKey(pane),
                       options.isOn(OptSwitch::ChkRepTransL) ? workspace.translucentKey(buffer) : kNoColour,
                       workspace.translucentKey(pane));
        emit workspace.chipChanged(buffer);
    }

    CopyBlock(chip, 0, 0, sheet, TileOrigin(column), TileOrigin(row));
    emit workspace.sheetChanged(pane);
}

void ClearChip(Workspace &workspace, std::int16_t buffer)
{
    RecordClearChip(workspace, buffer);
    workspace.chipForWriting(buffer).fill(Workspace::kChipClear);
    emit workspace.chipChanged(buffer);
}

std::int16_t OtherPane(std::int16_t pane)
{
    return ToInt16(1.0 - pane);
}

} // namespace vexlo
