// The store beneath the registry object: root keys, access rights, typed values and the interface a
// registry store implements.
#pragma once

#include "Tessel/Rtl/Exception.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

namespace Tessel {

// A root key, by the platform's handle values.
using HKEY = uint32_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;

// Access rights asked for when a key is opened.
using REGSAM = uint32_t;
inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM STANDARD_RIGHTS_READ = 0x20000;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// A failure of the registry: a value that cannot be read or written, or a store that cannot be used.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

enum class TRegDataType { rdUnknown, rdString, rdInteger };

// A stored value: a 32-bit integer or a text.
struct TRegValue {
    TRegDataType DataType = TRegDataType::rdUnknown;
    int32_t Integer = 0;
    QString Text;

    static TRegValue FromInteger(int32_t AValue) { return {TRegDataType::rdInteger, AValue, QString()}; }
    static TRegValue FromString(const QString& AValue) { return {TRegDataType::rdString, 0, AValue}; }
    bool operator==(const TRegValue&) const = default;
};

// A registry store. A key is named by its path below the root, one entry per level (the root itself
// is the empty path); key and value names are compared without regard to letter case and keep the
// case they were created with. Names are listed in the store's enumeration order. A store that cannot
// be used (unreadable, damaged, locked) raises ERegistryException saying which and why; a missing key
// is no such failure but a false or empty result.
class IRegistryBackend {
public:
    virtual ~IRegistryBackend() = default;

    // Whether the key exists and may be opened with AAccess.
    virtual bool OpenKey(HKEY ARoot, const QStringList& AKey, REGSAM AAccess) = 0;
    // Creates the key and any missing parents; false when it cannot be made.
    virtual bool CreateKey(HKEY ARoot, const QStringList& AKey) = 0;
    // Deletes the key with everything below it; false when it does not exist (the root is never deleted).
    virtual bool DeleteKey(HKEY ARoot, const QStringList& AKey) = 0;
    // The names of the key's direct subkeys, or of its values; none when the key does not exist.
    virtual std::optional<QStringList> KeyNames(HKEY ARoot, const QStringList& AKey) = 0;
    virtual std::optional<QStringList> ValueNames(HKEY ARoot, const QStringList& AKey) = 0;
    // The value, or none when it (or its key) does not exist.
    virtual std::optional<TRegValue> ReadValue(HKEY ARoot, const QStringList& AKey, const QString& AName) = 0;
    // Stores the value, replacing one of the same name whatever its type; false when the key does not
    // exist.
    virtual bool WriteValue(HKEY ARoot, const QStringList& AKey, const QString& AName,
                            const TRegValue& AValue) = 0;
    // False when the value (or its key) does not exist.
    virtual bool DeleteValue(HKEY ARoot, const QStringList& AKey, const QString& AName) = 0;

    // Runs AWork, which changes the root key's keys through the store it is given, so that the changes
    // land as one: all of them, or none when AWork fails. A store that cannot do that hands AWork
    // itself, and the changes land one by one.
    virtual void RunAsOneChange(HKEY ARoot, const std::function<void(IRegistryBackend&)>& AWork) {
        (void)ARoot;
        AWork(*this);
    }
};

} // namespace Tessel
