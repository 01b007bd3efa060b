#include "Tessel/UKestLibrary/OwnVersionBlock.h"

// The version block the program links, if any: weak, so a program without one links and has no version.
extern "C" {
extern const char KestVersionBlock[] __attribute__((weak));
extern const unsigned long KestVersionBlockSize __attribute__((weak));
}

namespace Tessel {

bool LoadOwnVersionBlock(TVersionResource& AResource) {
    if (KestVersionBlock == nullptr || &KestVersionBlockSize == nullptr) return false;
    return AResource.LoadFromBytes(
        QByteArray::fromRawData(KestVersionBlock, qsizetype(KestVersionBlockSize)));
}

} // namespace Tessel
