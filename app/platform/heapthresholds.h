#pragma once

// Fixes the C library's heap thresholds for the whole process; call once,
// early in start-up. Does nothing where the C library is not glibc.
//
// glibc raises its mmap threshold each time a large block mapped on its own
// is freed, and with it the size of free space it keeps at a heap's top
// before giving it back (twice that threshold, up to 64 MB). The views'
// range reads hand lists of several megabytes between threads, so after the
// first reads each heap kept its freed pages resident for good. A fixed
// threshold keeps the default return point (128 KB) while blocks of up to
// 4 MB still come from the heap.
void fixHeapThresholds();
