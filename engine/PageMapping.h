// Asking the system to map in memory pages before they are first written.
#pragma once

#include <QtGlobal>

namespace Wrenfold {

// Maps in up to AStretch bytes of the block [ABlock, ABlock + ACapacity) from AFrom on, where the
// system can do that at once, and returns how far the block is now known to be mapped in. Where it
// cannot (Windows, an older Linux kernel) each page is mapped in when first written, and the whole
// block counts as mapped.
qsizetype MapInPages(char* ABlock, qsizetype AFrom, qsizetype ACapacity, qsizetype AStretch);

} // namespace Wrenfold
