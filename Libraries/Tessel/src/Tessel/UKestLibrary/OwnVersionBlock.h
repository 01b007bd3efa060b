// Finding the running program's own version block.
#pragma once

#include "Tessel/UKestLibrary/Version.h"

namespace Tessel {

// Loads the block the program carries into AResource; false (and AResource empty) for a program
// without one. Linux reads the block the program links (a weak symbol, so a program without one
// still links); Windows, whose linker has no such weak references, finds it in the executable's file.
bool LoadOwnVersionBlock(TVersionResource& AResource);

} // namespace Tessel
