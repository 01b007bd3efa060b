#include "Tessel/Rtl/WindowsRegistryBackend.h"

// After the store's own names: windows.h defines the root keys and access masks again, as macros
// of the same values.
#include <string>
#include <vector>
#include <windows.h>

namespace Tessel {

namespace {

// The root keys this store knows, as the system's handles (the value sign-extended, as the system's
// own definitions do).
::HKEY NativeRoot(HKEY ARoot) {
    switch (ARoot) {
    case 0x80000000: // HKEY_CLASSES_ROOT
    case 0x80000001: // HKEY_CURRENT_USER
    case 0x80000002: // HKEY_LOCAL_MACHINE
        return reinterpret_cast<::HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(ARoot)));
    default:
        return nullptr;
    }
}

std::wstring KeyPath(const QStringList& AKey) {
    return AKey.join(QLatin1Char('\\')).toStdWString();
}

// An open key, closed when it goes.
class TOpenKey {
public:
    TOpenKey(HKEY ARoot, const QStringList& AKey, REGSAM AAccess) {
        const ::HKEY root = NativeRoot(ARoot);
        if (root && ::RegOpenKeyExW(root, KeyPath(AKey).c_str(), 0, AAccess, &FKey) != ERROR_SUCCESS)
            FKey = nullptr;
    }
    ~TOpenKey() {
        if (FKey) ::RegCloseKey(FKey);
    }
    TOpenKey(const TOpenKey&) = delete;
    TOpenKey& operator=(const TOpenKey&) = delete;
    explicit operator bool() const { return FKey != nullptr; }
    ::HKEY Key() const { return FKey; }

private:
    ::HKEY FKey = nullptr;
};

// The longest key name is 255 characters, the longest value name 16,383.
constexpr DWORD MaxNameLength = 16384;

} // namespace

bool TWindowsRegistryBackend::OpenKey(HKEY ARoot, const QStringList& AKey, REGSAM AAccess) {
    return bool(TOpenKey(ARoot, AKey, AAccess));
}

bool TWindowsRegistryBackend::CreateKey(HKEY ARoot, const QStringList& AKey) {
    const ::HKEY root = NativeRoot(ARoot);
    if (!root) return false;
    ::HKEY key = nullptr;
    if (::RegCreateKeyExW(root, KeyPath(AKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                          nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

bool TWindowsRegistryBackend::DeleteKey(HKEY ARoot, const QStringList& AKey) {
    const ::HKEY root = NativeRoot(ARoot);
    if (!root || AKey.isEmpty()) return false;
    // The system deletes only keys without subkeys: the deepest go first.
    const std::optional<QStringList> children = KeyNames(ARoot, AKey);
    if (!children) return false;
    for (const QString& child : *children)
        DeleteKey(ARoot, AKey + QStringList{child});
    return ::RegDeleteKeyW(root, KeyPath(AKey).c_str()) == ERROR_SUCCESS;
}

namespace {

// The names an enumeration gives, index by index, until it gives no more.
template <typename TEnumerate> QStringList EnumeratedNames(TEnumerate AEnumerate) {
    QStringList names;
    std::vector<wchar_t> name(MaxNameLength);
    for (DWORD index = 0;; ++index) {
        DWORD length = MaxNameLength;
        if (AEnumerate(index, name.data(), &length) != ERROR_SUCCESS) break;
        names.append(QString::fromWCharArray(name.data(), qsizetype(length)));
    }
    return names;
}

} // namespace

std::optional<QStringList> TWindowsRegistryBackend::KeyNames(HKEY ARoot, const QStringList& AKey) {
    const TOpenKey key(ARoot, AKey, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    return EnumeratedNames([&](DWORD AIndex, wchar_t* AName, DWORD* ALength) {
        return ::RegEnumKeyExW(key.Key(), AIndex, AName, ALength, nullptr, nullptr, nullptr, nullptr);
    });
}

std::optional<QStringList> TWindowsRegistryBackend::ValueNames(HKEY ARoot, const QStringList& AKey) {
    const TOpenKey key(ARoot, AKey, KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    return EnumeratedNames([&](DWORD AIndex, wchar_t* AName, DWORD* ALength) {
        return ::RegEnumValueW(key.Key(), AIndex, AName, ALength, nullptr, nullptr, nullptr, nullptr);
    });
}

std::optional<TRegValue> TWindowsRegistryBackend::ReadValue(HKEY ARoot, const QStringList& AKey,
                                                            const QString& AName) {
    const TOpenKey key(ARoot, AKey, KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    const std::wstring name = AName.toStdWString();
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key.Key(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    // The value may grow between the two calls: ask again with the size then needed.
    std::vector<BYTE> data;
    LONG result = ERROR_MORE_DATA;
    while (result == ERROR_MORE_DATA) {
        data.resize(size + sizeof(wchar_t));
        size = DWORD(data.size());
        result = ::RegQueryValueExW(key.Key(), name.c_str(), nullptr, &type, data.data(), &size);
    }
    if (result != ERROR_SUCCESS) return std::nullopt;
    switch (type) {
    case REG_DWORD: {
        if (size < sizeof(DWORD)) return TRegValue();
        DWORD value = 0;
        memcpy(&value, data.data(), sizeof value);
        return TRegValue::FromInteger(int32_t(value));
    }
    case REG_SZ:
    case REG_EXPAND_SZ: {
        // A stored text may or may not end in its NUL.
        qsizetype length = qsizetype(size / sizeof(wchar_t));
        const auto* text = reinterpret_cast<const wchar_t*>(data.data());
        while (length > 0 && text[length - 1] == L'\0')
            --length;
        return TRegValue::FromString(QString::fromWCharArray(text, length));
    }
    default:
        return TRegValue();
    }
}

bool TWindowsRegistryBackend::WriteValue(HKEY ARoot, const QStringList& AKey, const QString& AName,
                                         const TRegValue& AValue) {
    const TOpenKey key(ARoot, AKey, KEY_SET_VALUE);
    if (!key) return false;
    const std::wstring name = AName.toStdWString();
    switch (AValue.DataType) {
    case TRegDataType::rdInteger: {
        const DWORD value = DWORD(AValue.Integer);
        return ::RegSetValueExW(key.Key(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                sizeof value) == ERROR_SUCCESS;
    }
    case TRegDataType::rdString: {
        const std::wstring text = AValue.Text.toStdWString();
        return ::RegSetValueExW(key.Key(), name.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(text.c_str()),
                                DWORD((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    default:
        return false;
    }
}

bool TWindowsRegistryBackend::DeleteValue(HKEY ARoot, const QStringList& AKey, const QString& AName) {
    const TOpenKey key(ARoot, AKey, KEY_SET_VALUE);
    if (!key) return false;
    return ::RegDeleteValueW(key.Key(), AName.toStdWString().c_str()) == ERROR_SUCCESS;
}

} // namespace Tessel
