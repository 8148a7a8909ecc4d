#pragma once

#include "common/pane_index.h"

#include <QByteArray>
#include <QSize>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace vexlo {

class Workspace;

// Where the pixels of every tile of the two sheets and of the two buffers
// came from, followed beside them while a macro plays: the tile of the
// sheets as they were when the following began. Key replacement does not
// change where a tile came from.
class TileOrigins {
public:
    struct Origin {
        PaneIndex pane;
        std::int32_t index; // row x 8 + column
        friend bool operator==(const Origin &, const Origin &) = default;
    };

    // Every tile of the workspace's sheets comes from itself; the buffers
    // hold nothing's pixels.
    explicit TileOrigins(const Workspace &workspace);

    // The tile engine's operations, after they have done their work.
    void gotTile(PaneIndex pane, int buffer, std::int32_t column, std::int32_t row);
    void putTile(PaneIndex pane, int buffer, std::int32_t column, std::int32_t row);
    void clearedBuffer(int buffer);

    // Nothing for pixels of a cleared buffer or of nothing.
    std::optional<Origin> ofTile(PaneIndex pane, std::int32_t column, std::int32_t row) const;

    // The table: "sheet,index,from_sheet,from_index", then a line per tile,
    // the left sheet's and then the right's, index ascending.
    QByteArray csv() const;

private:
    static constexpr std::int32_t kNone = -1;

    // Tile (column, row)'s place in its pane's list; nothing outside the
    // sheet (where a Put is dropped and a Get reads black).
    std::optional<std::size_t> place(PaneIndex pane, std::int32_t column, std::int32_t row) const;

    // Per pane, the origin of each tile row after row, as pane * 2^24 +
    // index (kNone for none): small, and copied with the tile.
    std::array<std::vector<std::int32_t>, 2> tiles_;
    std::array<QSize, 2> sizes_; // in tiles
    std::array<std::int32_t, 2> buffers_{kNone, kNone};
};

} // namespace vexlo
