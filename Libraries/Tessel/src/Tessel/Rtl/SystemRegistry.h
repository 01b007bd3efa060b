// The registry store the programs use unless another one is installed.
#pragma once

#include "Tessel/Rtl/RegistryBackend.h"

#include <memory>

namespace Tessel {

// On Linux the registry files of RegistryFolder(). On Windows the system's registry, or, while
// $WRENFOLD_REGISTRY_DIR names a folder (as the tests do), the registry files there.
std::shared_ptr<IRegistryBackend> SystemRegistryBackend();

} // namespace Tessel
