// Start-up builds the whole model of the house at once: thousands of design
// objects, displays and tiles, a few megabytes touched for the first time.
// With 4 KiB pages every first touch is a page fault, and on virtual
// machines (where wall-panel servers often run) each costs microseconds:
// together a large part of the client's start. Backing the heap with
// transparent huge pages makes that one fault per 2 MiB.
//
// Linux with transparent huge pages on "madvise" or "always"; elsewhere, or
// when the kernel refuses, nothing changes.
#pragma once

#include <cstddef>

namespace zol {

// Grows the main heap's reserve by `reserveBytes` (address space only) and
// asks for huge pages on it; keeps the heap from giving that reserve back.
// Call once at the very start, before threads. False when nothing changed.
bool BackHeapWithHugePages(std::size_t reserveBytes);

// The same for the heap of the calling thread (its own allocator arena),
// for a thread that builds much of the model. Only after the main heap
// took the advice; false when nothing changed.
bool BackThreadHeapWithHugePages();

}  // namespace zol
