// Interfaces identified by GUIDs, the interfaced base object with switchable reference counting,
// and the smart pointer that serves as an interface reference.
#pragma once

#include <QString>
#include <QUuid>

#include <atomic>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace Tessel {

using HRESULT = int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_NOINTERFACE = HRESULT(0x80004002u);

// A GUID from its text "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", at compile time.
consteval QUuid GuidFromText(const char (&AText)[39]) {
    auto hex = [&](int AFrom, int ACount) {
        uint32_t value = 0;
        for (int i = AFrom; i < AFrom + ACount; ++i) {
            const char c = AText[i];
            const uint32_t digit = c >= '0' && c <= '9'   ? uint32_t(c - '0')
                                   : c >= 'A' && c <= 'F' ? uint32_t(c - 'A' + 10)
                                   : c >= 'a' && c <= 'f' ? uint32_t(c - 'a' + 10)
                                                          : throw "not a GUID";
            value = value * 16 + digit;
        }
        return value;
    };
    if (AText[0] != '{' || AText[9] != '-' || AText[14] != '-' || AText[19] != '-' || AText[24] != '-' ||
        AText[37] != '}')
        throw "not a GUID";
    return QUuid(hex(1, 8), ushort(hex(10, 4)), ushort(hex(15, 4)), uchar(hex(20, 2)), uchar(hex(22, 2)),
                 uchar(hex(25, 2)), uchar(hex(27, 2)), uchar(hex(29, 2)), uchar(hex(31, 2)),
                 uchar(hex(33, 2)), uchar(hex(35, 2)));
}

// The base of every interface. Each interface class names its GUID as a static member IID and
// derives virtually from IInterface, so that one object shares one IInterface among its interfaces.
class IInterface {
public:
    static constexpr QUuid IID = GuidFromText("{00000000-0000-0000-C000-000000000046}");
    // On S_OK, AObj receives the interface pointer of the interface AGUID names.
    virtual HRESULT QueryInterface(const QUuid& AGUID, void** AObj) = 0;
    virtual int32_t _AddRef() = 0;
    virtual int32_t _Release() = 0;

protected:
    virtual ~IInterface() = default;
};

// Base of the library's interface-implementing objects. Reference counting is fixed at construction:
// a counted object dies with its last interface reference; an uncounted one ignores _AddRef and
// _Release (both return -1) and is freed by its owner.
class TKestInterfacedObject : public virtual IInterface {
public:
    explicit TKestInterfacedObject(bool AReferenceCounted) : FReferenceCounted(AReferenceCounted) {}
    ~TKestInterfacedObject() override = default;
    TKestInterfacedObject(const TKestInterfacedObject&) = delete;
    TKestInterfacedObject& operator=(const TKestInterfacedObject&) = delete;

    // Counted: hands out a counted reference. Uncounted: looks in the interface table only.
    HRESULT QueryInterface(const QUuid& AGUID, void** AObj) override;
    int32_t _AddRef() override;
    int32_t _Release() override;
    // Whether QueryInterface would succeed for AGUID; the reference count is left alone.
    bool SupportsInterface(const QUuid& AGUID);

    const QString& Name() const { return FName; }
    virtual void SetName(const QString& AValue) { FName = AValue; }
    bool ReferenceCounted() const { return FReferenceCounted; }
    int32_t RefCount() const { return FRefCount.load(); }

protected:
    // The interface table: the pointer to the interface AGUID names, or nullptr.
    virtual void* GetInterface(const QUuid& AGUID);

private:
    QString FName;
    const bool FReferenceCounted;
    std::atomic<int32_t> FRefCount{0};
};

// TKestInterfacedObject implementing the interfaces TInterfaces, which its interface table lists.
template <class... TInterfaces> class TKestImplements : public TKestInterfacedObject, public TInterfaces... {
public:
    using TKestInterfacedObject::TKestInterfacedObject;

protected:
    void* GetInterface(const QUuid& AGUID) override {
        void* result = nullptr;
        ((result = result == nullptr && AGUID == TInterfaces::IID ? static_cast<TInterfaces*>(this) : result),
         ...);
        return result != nullptr ? result : TKestInterfacedObject::GetInterface(AGUID);
    }
};

// A reference to interface T: counts itself on the object while it holds it, like an interface
// variable. Assigning a raw pointer adds a reference; Adopt takes over one already counted.
template <class T> class TInterfaceRef {
public:
    TInterfaceRef() = default;
    TInterfaceRef(std::nullptr_t) {}
    TInterfaceRef(T* APointer) : FPointer(APointer) {
        if (FPointer != nullptr) FPointer->_AddRef();
    }
    template <class U>
    requires std::is_convertible_v<U*, T*> TInterfaceRef(const TInterfaceRef<U>& AOther)
        : TInterfaceRef(static_cast<T*>(AOther.Get())) {}
    TInterfaceRef(const TInterfaceRef& AOther) : TInterfaceRef(AOther.FPointer) {}
    TInterfaceRef(TInterfaceRef&& AOther) noexcept : FPointer(std::exchange(AOther.FPointer, nullptr)) {}
    TInterfaceRef& operator=(TInterfaceRef AOther) noexcept {
        std::swap(FPointer, AOther.FPointer);
        return *this;
    }
    ~TInterfaceRef() { Clear(); }

    static TInterfaceRef Adopt(T* APointer) {
        TInterfaceRef result;
        result.FPointer = APointer;
        return result;
    }

    void Clear() {
        if (T* pointer = std::exchange(FPointer, nullptr)) pointer->_Release();
    }
    T* Get() const { return FPointer; }
    T* operator->() const { return FPointer; }
    T& operator*() const { return *FPointer; }
    explicit operator bool() const { return FPointer != nullptr; }
    bool operator==(const TInterfaceRef& AOther) const { return FPointer == AOther.FPointer; }
    bool operator==(std::nullptr_t) const { return FPointer == nullptr; }

    // The object's interface U, or an empty reference when it does not implement it.
    template <class U> TInterfaceRef<U> Query() const {
        void* object = nullptr;
        if (FPointer == nullptr || FPointer->QueryInterface(U::IID, &object) != S_OK) return {};
        return TInterfaceRef<U>::Adopt(static_cast<U*>(object));
    }

private:
    T* FPointer = nullptr;
};

} // namespace Tessel
