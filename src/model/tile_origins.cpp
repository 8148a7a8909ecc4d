#include "model/tile_origins.h"

#include "common/sheet_limits.h"
#include "model/workspace.h"

namespace vexlo {
namespace {

constexpr std::int32_t kTilesPerRow = kSheetWidth / kTileSize; // the numbering a map editor uses
constexpr int kPaneShift = 24;

std::int32_t Packed(PaneIndex pane, std::int32_t index)
{
    return (std::int32_t(pane) << kPaneShift) | index;
}

} // namespace

TileOrigins::TileOrigins(const Workspace &workspace)
{
    for (PaneIndex pane = 0; pane < 2; ++pane) {
        const QSize pixels = workspace.sheet(pane).size();
        sizes_[pane] = QSize(pixels.width() / kTileSize, (pixels.height() + kTileSize - 1) / kTileSize);
        tiles_[pane].reserve(std::size_t(sizes_[pane].width()) * sizes_[pane].height());
        for (std::int32_t row = 0; row < sizes_[pane].height(); ++row)
            for (std::int32_t column = 0; column < sizes_[pane].width(); ++column)
                tiles_[pane].push_back(Packed(pane, row * kTilesPerRow + column));
    }
}

std::optional<std::size_t> TileOrigins::place(PaneIndex pane, std::int32_t column, std::int32_t row) const
{
    const QSize size = sizes_.at(std::size_t(pane));
    if (column < 0 || row < 0 || column >= size.width() || row >= size.height())
        return std::nullopt;
    return std::size_t(row) * std::size_t(size.width()) + std::size_t(column);
}

void TileOrigins::gotTile(PaneIndex pane, int buffer, std::int32_t column, std::int32_t row)
{
    const auto at = place(pane, column, row);
    buffers_.at(std::size_t(buffer)) = at ? tiles_[pane][*at] : kNone;
}

void TileOrigins::putTile(PaneIndex pane, int buffer, std::int32_t column, std::int32_t row)
{
    if (const auto at = place(pane, column, row))
        tiles_[pane][*at] = buffers_.at(std::size_t(buffer));
}

void TileOrigins::clearedBuffer(int buffer)
{
    buffers_.at(std::size_t(buffer)) = kNone;
}

std::optional<TileOrigins::Origin> TileOrigins::ofTile(PaneIndex pane, std::int32_t column, std::int32_t row) const
{
    const auto at = place(pane, column, row);
    if (!at || tiles_[pane][*at] == kNone)
        return std::nullopt;
    const std::int32_t packed = tiles_[pane][*at];
    return Origin{packed >> kPaneShift, packed & ((1 << kPaneShift) - 1)};
}

QByteArray TileOrigins::csv() const
{
    QByteArray text("sheet,index,from_sheet,from_index\n");
    for (PaneIndex pane = 0; pane < 2; ++pane)
        for (std::int32_t row = 0; row < sizes_[pane].height(); ++row)
            for (std::int32_t column = 0; column < sizes_[pane].width(); ++column) {
                text += PaneName(pane);
                text += ',' + QByteArray::number(row * kTilesPerRow + column) + ',';
                if (const auto origin = ofTile(pane, column, row))
                    text += PaneName(origin->pane) + (',' + QByteArray::number(origin->index));
                else
                    text += ',';
                text += '\n';
            }
    return text;
}

} // namespace vexlo
