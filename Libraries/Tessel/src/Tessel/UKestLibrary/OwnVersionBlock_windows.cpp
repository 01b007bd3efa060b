#include "Tessel/UKestLibrary/OwnVersionBlock.h"

#include "Tessel/UKestLibrary/Files.h"

namespace Tessel {

bool LoadOwnVersionBlock(TVersionResource& AResource) {
    // The file is mapped and read only up to the block.
    return AResource.LoadFromFile(ExeFileName());
}

} // namespace Tessel
