#include "common/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace vexlo {

// A huge page needs its alignment: one more huge page is mapped and what lies
// outside the aligned part given back.
void *MapHugePages(std::size_t bytes)
{
    const std::size_t size = WholeHugePages(bytes);
    if (size == 0 || size + kHugePageBytes < size)
        throw std::bad_alloc();
    void *mapped = mmap(nullptr, size + kHugePageBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    char *start = static_cast<char *>(mapped);
    char *aligned = reinterpret_cast<char *>((reinterpret_cast<std::uintptr_t>(start) + kHugePageBytes - 1)
                                             & ~std::uintptr_t(kHugePageBytes - 1));
    if (aligned > start)
        munmap(start, std::size_t(aligned - start));
    munmap(aligned + size, std::size_t(start + size + kHugePageBytes - (aligned + size)));
#ifdef MADV_HUGEPAGE
    madvise(aligned, size, MADV_HUGEPAGE); // a hint: without it, pages as usual
#endif
    return aligned;
}

void AdviseHugePages(void *start, std::size_t bytes)
{
#ifdef MADV_HUGEPAGE
    const auto first = (reinterpret_cast<std::uintptr_t>(start) + kHugePageBytes - 1) & ~std::uintptr_t(kHugePageBytes - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(start) + bytes) & ~std::uintptr_t(kHugePageBytes - 1);
    if (end > first)
        madvise(reinterpret_cast<void *>(first), end - first, MADV_HUGEPAGE);
#else
    (void)start;
    (void)bytes;
#endif
}

void UnmapHugePages(void *start, std::size_t bytes)
{
    munmap(start, WholeHugePages(bytes));
}

} // namespace vexlo
