#include "main/AllocatorTuning.h"

#include <cstdlib> // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace Wrenfold {

namespace {

constexpr int HeapBlockLimit = 4 * 1024 * 1024;
constexpr int KeptFreeMemory = 32 * 1024 * 1024;

} // namespace

void TuneAllocatorForBatches() {
#if defined(__GLIBC__)
    ::mallopt(M_MMAP_THRESHOLD, HeapBlockLimit);
    ::mallopt(M_TRIM_THRESHOLD, KeptFreeMemory);
#endif
}

} // namespace Wrenfold
