#include "platform/system/StartupHeap.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>

#if defined(__linux__) && defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && \
    !defined(__SANITIZE_THREAD__)
#if __GLIBC_PREREQ(2, 33)
#define MIRTO_STARTUP_HEAP 1
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif
#endif

namespace mirto {

#if MIRTO_STARTUP_HEAP
namespace {

using Address = std::uintptr_t;

constexpr Address kPage = 4096;

// The allocator's bookkeeping ahead of each block it hands out.
constexpr Address kBlockHeader = 2 * sizeof(std::size_t);

// Blocks up to this size come from the heap rather than from a mapping of
// their own. The space below the large page is held by one such block, and a
// window's images then reuse freed heap memory instead of new mappings that
// fault page by page. The allocator's own limit starts at 128 KiB and rises
// as large blocks are freed; setting any limit fixes it, so it is set to
// what it would rise to for a window's images at 200 %.
constexpr int kHeapBlockLimit = 4 << 20;

// Free memory at the heap's end is given back to the system only beyond
// this much, so the large page stays whole while the start frees and
// allocates around it.
constexpr int kKeptFreeAtEnd = 2 * int(kStartupHeapBytes);

Address Break() { return reinterpret_cast<Address>(sbrk(0)); }

// A place in the heap to name to the system; no object of the program.
void* Place(Address address) {
  return reinterpret_cast<void*>(address);  // NOLINT(performance-no-int-to-ptr)
}

// The start of the heap's free end, from which the allocator carves the
// blocks it has no freed block for.
Address FreeEndStart() { return Break() - mallinfo2().keepcost; }

}  // namespace
#endif

void* PrepareStartupHeap() {
#if MIRTO_STARTUP_HEAP
  static std::atomic<bool> done{false};
  if (done.exchange(true)) return nullptr;
  // Every thread allocates from the one heap: the font thread's work at start
  // then lands in the large page too, not in a heap of its own that faults
  // page by page. A launcher's few threads seldom allocate at the same moment.
  if (mallopt(M_ARENA_MAX, 1) == 0 || mallopt(M_MMAP_THRESHOLD, kHeapBlockLimit) == 0 ||
      mallopt(M_TRIM_THRESHOLD, kKeptFreeAtEnd) == 0)
    return nullptr;

  constexpr Address kLarge = kStartupHeapBytes;
  const Address freeStart = FreeEndStart();
  const Address largeStart = (freeStart + 2 * kPage + kLarge - 1) & ~(kLarge - 1);
  // One block fills the heap up to the page below the aligned start. Only its
  // first page is ever touched, and it is never freed: the next blocks come
  // from the large page on.
  const auto fillerBytes = static_cast<std::size_t>(largeStart - kPage - freeStart - kBlockHeader);
  void* filler = std::malloc(fillerBytes);
  const Address nextBlock = FreeEndStart();
  if (filler == nullptr || reinterpret_cast<Address>(filler) != freeStart + kBlockHeader ||
      nextBlock >= largeStart) {
    std::free(filler);  // taken from elsewhere: the heap's end is not where it was
    return nullptr;
  }
  // The heap must reach past the large page before the system is told about
  // it. A block across it and back grows the heap without touching the page:
  // the allocator writes only at the block's two ends.
  if (Break() < largeStart + kLarge + kPage) {
    void* across = std::malloc(static_cast<std::size_t>(largeStart + kLarge + kPage - nextBlock));
    if (across == nullptr) return nullptr;
    std::free(across);
  }
  if (madvise(Place(largeStart), kLarge, MADV_HUGEPAGE) != 0) return nullptr;
  return Place(largeStart);
#else
  return nullptr;
#endif
}

bool StartupHeapSupported() {
#if MIRTO_STARTUP_HEAP
  return true;
#else
  return false;
#endif
}

}  // namespace mirto
