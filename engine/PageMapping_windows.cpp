#include "engine/PageMapping.h"

namespace Wrenfold {

qsizetype MapInPages(char*, qsizetype, qsizetype ACapacity, qsizetype) {
    // Windows maps each page in when it is first written.
    return ACapacity;
}

} // namespace Wrenfold
