#include "Tessel/UKestDefs/InterfacedObject.h"

namespace Tessel {

HRESULT TKestInterfacedObject::QueryInterface(const QUuid& AGUID, void** AObj) {
    void* found = GetInterface(AGUID);
    *AObj = found;
    if (found == nullptr) return E_NOINTERFACE;
    if (FReferenceCounted) _AddRef();
    return S_OK;
}

int32_t TKestInterfacedObject::_AddRef() {
    if (!FReferenceCounted) return -1;
    return ++FRefCount;
}

int32_t TKestInterfacedObject::_Release() {
    if (!FReferenceCounted) return -1;
    const int32_t count = --FRefCount;
    if (count == 0) delete this;
    return count;
}

bool TKestInterfacedObject::SupportsInterface(const QUuid& AGUID) {
    return GetInterface(AGUID) != nullptr;
}

void* TKestInterfacedObject::GetInterface(const QUuid& AGUID) {
    return AGUID == IInterface::IID ? static_cast<IInterface*>(this) : nullptr;
}

} // namespace Tessel
