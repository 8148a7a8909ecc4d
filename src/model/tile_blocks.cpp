#include "model/tile_blocks.h"

#include "common/huge_pages.h"

#include <new>

namespace vexlo {

TileBlocks::~TileBlocks()
{
    for (void *stretch : stretches_)
        UnmapHugePages(stretch, kHugePageBytes);
}

void *TileBlocks::take()
{
    void *block = free_;
    if (free_) {
        free_ = free_->next;
    } else {
        if (next_ == end_) {
            stretches_.reserve(stretches_.size() + 1); // before the mapping, which would leak if this failed
            next_ = static_cast<char *>(MapHugePages(kHugePageBytes));
            end_ = next_ + kHugePageBytes;
            stretches_.push_back(next_);
        }
        block = next_;
        next_ += kBlockBytes;
    }
    ++inUse_;
    return block;
}

void TileBlocks::give(void *block)
{
    free_ = new (block) Free{free_};
    --inUse_;
}

} // namespace vexlo
