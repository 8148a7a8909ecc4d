#include "model/tile_blocks.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace vexlo {
namespace {

constexpr std::size_t kStretchBytes = std::size_t(2) << 20;

// A stretch aligned to its size, which a huge page needs: twice as much is
// mapped and what lies outside the aligned part given back.
void *MapStretch()
{
    void *mapped = mmap(nullptr, 2 * kStretchBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    char *start = static_cast<char *>(mapped);
    char *aligned = reinterpret_cast<char *>((reinterpret_cast<std::uintptr_t>(start) + kStretchBytes - 1)
                                             & ~std::uintptr_t(kStretchBytes - 1));
    if (aligned > start)
        munmap(start, std::size_t(aligned - start));
    munmap(aligned + kStretchBytes, std::size_t(start + 2 * kStretchBytes - (aligned + kStretchBytes)));
#ifdef MADV_HUGEPAGE
    madvise(aligned, kStretchBytes, MADV_HUGEPAGE); // a hint: without it, pages as usual
#endif
    return aligned;
}

} // namespace

TileBlocks::~TileBlocks()
{
    for (void *stretch : stretches_)
        munmap(stretch, kStretchBytes);
}

void *TileBlocks::take()
{
    void *block = free_;
    if (free_) {
        free_ = free_->next;
    } else {
        if (next_ == end_) {
            stretches_.reserve(stretches_.size() + 1); // before the mapping, which would leak if this failed
            next_ = static_cast<char *>(MapStretch());
            end_ = next_ + kStretchBytes;
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
