#include "Tessel/Rtl/SystemRegistry.h"

#include "Tessel/Rtl/FileRegistryBackend.h"
#include "Tessel/Rtl/WindowsRegistryBackend.h"

namespace Tessel {

std::shared_ptr<IRegistryBackend> SystemRegistryBackend() {
    if (!qEnvironmentVariableIsEmpty("WRENFOLD_REGISTRY_DIR"))
        return std::make_shared<TFileRegistryBackend>(RegistryFolder());
    return std::make_shared<TWindowsRegistryBackend>();
}

} // namespace Tessel
