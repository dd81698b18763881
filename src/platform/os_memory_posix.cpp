// SPDX-License-Identifier: GPL-3.0-or-later
// Memory hints on Linux: transparent huge pages for a large region, where the system offers
// them on request (its usual setting); elsewhere the call is simply refused and ignored.
#include <sys/mman.h>

#include <cstdint>

#include "platform/os_memory.h"

namespace {

constexpr std::uintptr_t LargePageBytes = std::uintptr_t(2) << 20;
// Below this a list fits in a few large pages at most: not worth a system call.
constexpr std::size_t SmallestHintedRegion = 8u << 20;

}  // namespace

void OsPreferLargePages(void* start, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
    if (start == nullptr || bytes < SmallestHintedRegion) return;
    // Only whole large pages inside the region: its edges belong to other data.
    const auto first = reinterpret_cast<std::uintptr_t>(start);
    const std::uintptr_t alignedStart = (first + LargePageBytes - 1) & ~(LargePageBytes - 1);
    const std::uintptr_t alignedEnd = (first + bytes) & ~(LargePageBytes - 1);
    if (alignedEnd <= alignedStart) return;
    ::madvise(reinterpret_cast<void*>(alignedStart), alignedEnd - alignedStart, MADV_HUGEPAGE);
#else
    (void)start;
    (void)bytes;
#endif
}
