#pragma once

// Where the start's memory comes from.
//
// Until its window is on screen the launcher allocates about a megabyte and a
// half from the heap, a few hundred bytes at a time. Each fresh 4 KiB page
// costs a trap on first touch, and on a virtual machine such a trap costs
// around 10 microseconds: several milliseconds in all before the window is
// mapped. PrepareStartupHeap has the next 2 MiB of the heap backed by one
// large page where the system offers them, so those allocations touch memory
// that is present after one trap.

#include <cstddef>

namespace mirto {

inline constexpr std::size_t kStartupHeapBytes = std::size_t{2} << 20;

// Sets aside the next kStartupHeapBytes of the heap, aligned to their size,
// for large-page backing, and has the allocator hand them out next; all
// threads then share one heap, which keeps blocks up to 4 MiB and up to
// 4 MiB free at its end. Returns their start, or nullptr where the system or
// the allocator offers no such thing (the allocator may keep the settings),
// or when already done in this process. Call it first thing, before the
// program allocates in earnest.
void* PrepareStartupHeap();

// Whether this build can prepare the heap at all: the GNU allocator on Linux,
// without a sanitizer's allocator in its place.
bool StartupHeapSupported();

}  // namespace mirto
