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
// Every thread then allocates from that heap: a thread's own arena grows a
// page at a time, which huge pages never back, and the threads that build
// the model at start would fault on every page of it. Call once at the
// very start, before threads. False when nothing changed.
bool BackHeapWithHugePages(std::size_t reserveBytes);

}  // namespace zol
