#include "client/core/huge_page_heap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <iterator>

namespace zol {

bool BackHeapWithHugePages(std::size_t reserveBytes) {
#if defined(__linux__) && defined(__GLIBC__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    const int reserve = static_cast<int>(reserveBytes);
    // The heap grows by the reserve at once and never trims below it, so
    // the advice below stays on the memory the model is built in.
    if (mallopt(M_TOP_PAD, reserve) == 0 || mallopt(M_TRIM_THRESHOLD, 2 * reserve) == 0)
        return false;
    // Blocks below the mmap threshold come from the heap: the first that
    // does not fit its top grows it by the reserve. Freed again, they join
    // the top, which then spans the reserve.
    constexpr std::size_t kBlock = 64 << 10;
    const auto start = reinterpret_cast<std::uintptr_t>(::sbrk(0));
    void* blocks[64] = {};
    std::size_t count = 0;
    while (count < std::size(blocks) &&
           reinterpret_cast<std::uintptr_t>(::sbrk(0)) - start < reserveBytes / 2) {
        blocks[count] = std::malloc(kBlock);
        if (blocks[count] == nullptr)
            break;
        ++count;
    }
    const auto begin = count > 0 ? reinterpret_cast<std::uintptr_t>(blocks[0]) : start;
    const auto end = reinterpret_cast<std::uintptr_t>(::sbrk(0));
    for (std::size_t i = 0; i < count; ++i)
        std::free(blocks[i]);
    // A heap that did not grow, or blocks that did not come from it (an
    // allocator of a sanitizer), leave everything as it was.
    if (end - start < reserveBytes / 2 || begin >= end || start - begin > reserveBytes)
        return false;
    // Only whole huge pages of the heap's free top.
    const std::uintptr_t from = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t to = end & ~(kHugePage - 1);
    if (to <= from)
        return false;
    if (::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE) != 0)
        return false;
    // Pictures and buffers of up to a few megabytes come from the heap too,
    // instead of each from fresh small pages of its own.
    constexpr int kMapThreshold = 4 << 20;
    mallopt(M_MMAP_THRESHOLD, kMapThreshold);
    // The free top below the first huge page would be handed out first,
    // page by page: a block that stays allocated for good takes it, so the
    // next block's header lies at `from`. A block's header is two words,
    // its size the request plus one word, in steps of two words.
    constexpr std::uintptr_t kWord = sizeof(std::size_t);
    constexpr std::uintptr_t kWorthTaking = 16 << 10;
    if (from - begin >= kWorthTaking) {
        void* head = std::malloc(from - begin + kWord);
        if (reinterpret_cast<std::uintptr_t>(head) != begin)
            std::free(head);  // not where the top began: leave it
    }
    // Threads' allocations too: the arenas they would otherwise get grow a
    // page at a time, which huge pages never back.
    mallopt(M_ARENA_MAX, 1);
    return true;
#else
    (void)reserveBytes;
    return false;
#endif
}

}  // namespace zol
