#include "Tessel/Rtl/SystemRegistry.h"

#include "Tessel/Rtl/FileRegistryBackend.h"

namespace Tessel {

std::shared_ptr<IRegistryBackend> SystemRegistryBackend() {
    return std::make_shared<TFileRegistryBackend>(RegistryFolder());
}

} // namespace Tessel
