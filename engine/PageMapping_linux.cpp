#include "engine/PageMapping.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

namespace Wrenfold {

qsizetype MapInPages(char* ABlock, qsizetype AFrom, qsizetype ACapacity, qsizetype AStretch) {
#ifdef MADV_POPULATE_WRITE
    // A system that cannot do it (an older kernel) maps each page in when it is first written.
    static const auto page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    const auto text = reinterpret_cast<std::uintptr_t>(ABlock);
    const std::uintptr_t begin = (text + std::uintptr_t(AFrom)) & ~(page - 1);
    const std::uintptr_t end = std::min<std::uintptr_t>(begin + std::uintptr_t(AStretch),
                                                        (text + std::uintptr_t(ACapacity)) & ~(page - 1));
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
    return qsizetype(end - text);
#else
    (void)ABlock;
    (void)AFrom;
    (void)AStretch;
    return ACapacity;
#endif
}

} // namespace Wrenfold
