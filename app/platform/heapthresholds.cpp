#include "app/platform/heapthresholds.h"

// Any header of the C library says whether it is glibc.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void fixHeapThresholds()
{
#if defined(__GLIBC__)
    constexpr int LargestHeapBlock = 4 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, LargestHeapBlock);
#endif
}
