#include "MemoryTuning.h"

#include <cstdlib> // defines __GLIBC__ with the C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace memorytuning {

void keepFreedPictures()
{
#if defined(__GLIBC__)
    // Blocks up to 16 MB come from the heap and stay there when freed, as
    // long as less than 64 MB lies free at its top.
    mallopt(M_MMAP_THRESHOLD, 16 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}

} // namespace memorytuning
