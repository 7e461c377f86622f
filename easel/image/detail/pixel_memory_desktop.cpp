// Pixel memory on the desktop: transparent huge pages, which Linux gives
// only where asked (madvise) on most systems, for the 2 MiB-aligned part of
// a picture's memory.
#include <sys/mman.h>

#include <cstdint>

#include "easel/image/detail/pixel_memory.h"

namespace easel::detail {

namespace {

constexpr std::uintptr_t hugePage = std::uintptr_t{2} << 20;

}  // namespace

void adviseLargePages(void* start, std::size_t bytes) {
    const auto begin = reinterpret_cast<std::uintptr_t>(start);
    const std::uintptr_t first = (begin + hugePage - 1) & ~(hugePage - 1);
    const std::uintptr_t last = (begin + bytes) & ~(hugePage - 1);
    if (bytes < hugePage || last <= first) return;
    // Advice only: where huge pages are off or unknown the pages stay small.
    static_cast<void>(::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE));
}

}  // namespace easel::detail
