#pragma once

#include <cstddef>

namespace vexlo {

constexpr std::size_t kHugePageBytes = std::size_t(2) << 20;

// The bytes rounded up to whole huge pages.
constexpr std::size_t WholeHugePages(std::size_t bytes)
{
    return (bytes + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
}

// Fresh memory aligned to 2 MiB and advised as huge pages: on machines where
// each page fault is dear, a huge page costs one fault instead of 512. The
// bytes are rounded up to whole huge pages; pages never touched cost nothing.
// Fails with std::bad_alloc.
void *MapHugePages(std::size_t bytes);
void UnmapHugePages(void *start, std::size_t bytes);

// Asks for huge pages for the whole huge pages within memory already
// allocated (but not yet touched); a hint, the memory stays as it is.
void AdviseHugePages(void *start, std::size_t bytes);

} // namespace vexlo
