#pragma once

#include "common/sheet_limits.h"

#include <QtGlobal>

#include <cstddef>
#include <vector>

namespace vexlo {

// Memory for the tiles of pixels undo steps keep, a 4 KiB block each,
// carved from 2 MiB stretches the system may back with one huge page each.
// Every drag keeps a tile in fresh memory, and on some machines the page
// faults of fresh memory taken page by page cost more than the drop itself.
// Blocks given back are reused; the stretches go with the object.
class TileBlocks {
public:
    static constexpr std::size_t kBlockBytes = std::size_t(kTileSize) * kTileSize * 4; // a tile's pixels

    TileBlocks() = default;
    ~TileBlocks();
    TileBlocks(const TileBlocks &) = delete;
    TileBlocks &operator=(const TileBlocks &) = delete;

    // Fails with std::bad_alloc.
    void *take();
    void give(void *block);
    qint64 bytesInUse() const { return qint64(inUse_ * kBlockBytes); }

private:
    struct Free {
        Free *next;
    };

    std::vector<void *> stretches_;
    Free *free_ = nullptr;
    char *next_ = nullptr; // the rest of the newest stretch
    char *end_ = nullptr;
    std::size_t inUse_ = 0;
};

} // namespace vexlo
