// The platform's registry object: opens a key below a root key and reads and writes its subkeys and
// typed values, over a registry store (the registry files of the user by default).
#pragma once

#include "Tessel/Rtl/RegistryBackend.h"

#include <memory>

namespace Tessel {

// One registry object works on one open key at a time. Key paths are levels joined by "\"; a path
// beginning with "\" starts at the root key, any other starts at the open key when one is open and at
// the root key otherwise (the empty path is that key itself). A path with an empty level ("A\\B")
// names no key. The access mask is asked for when a key is opened and limits what may be done with
// it: reading values (KEY_QUERY_VALUE), listing subkeys (KEY_ENUMERATE_SUB_KEYS), writing and deleting
// values (KEY_SET_VALUE) and creating keys (KEY_CREATE_SUB_KEY). Deleting a key is not limited by it:
// the right to delete belongs to the key deleted, not to the key it is reached from. Failures of the
// store itself (a damaged or unreadable file) raise ERegistryException from any operation.
class TRegistry {
public:
    // All access, HKEY_CURRENT_USER, the store RegistryBackend() gives.
    TRegistry();
    explicit TRegistry(REGSAM AAccess);
    TRegistry(REGSAM AAccess, std::shared_ptr<IRegistryBackend> ABackend);
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return FRootKey; }
    // A different root key closes the open key.
    void SetRootKey(HKEY AValue);
    // The mask the next key is opened with; the open key keeps the rights it was opened with.
    REGSAM Access() const { return FAccess; }
    void SetAccess(REGSAM AValue) { FAccess = AValue; }
    // The open key's path from the root key (no leading "\"); empty when none is open.
    QString CurrentPath() const;
    bool HasCurrentKey() const { return FKeyOpen; }

    // Whether the key exists, whatever the access mask.
    bool KeyExists(const QString& AKey);
    // Opens the key with the access mask, which makes it the open key; with ACanCreate a missing key
    // is made with any missing parents, which needs KEY_CREATE_SUB_KEY. False when it cannot, and the
    // key open before stays open.
    bool OpenKey(const QString& AKey, bool ACanCreate);
    // Sets the access mask to KEY_READ and opens the key with it.
    bool OpenKeyReadOnly(const QString& AKey);
    void CloseKey();
    // Deletes the key with all its subkeys; false when it does not exist.
    bool DeleteKey(const QString& AKey);

    // The names of the open key's direct subkeys, or of its values, in the store's enumeration order;
    // empty when no key is open or it was opened without the right to list them.
    void GetKeyNames(QStringList& AStrings);
    void GetValueNames(QStringList& AStrings);
    // Whether the open key holds the value; false without a key open with KEY_QUERY_VALUE.
    bool ValueExists(const QString& AName);
    // The value's type; rdUnknown when it cannot be read.
    TRegDataType GetDataType(const QString& AName);
    bool DeleteValue(const QString& AName);

    // Reading raises ERegistryException "Failed to get data for "<name>"" when the value cannot be
    // read (missing, or no key open to read it) and "Invalid data type for "<name>"" when it holds
    // another type; ReadString gives an empty text for a missing value. A Boolean is an integer value:
    // any non-zero integer is true. Writing raises "Failed to set data for "<name>"" when no key is
    // open with KEY_SET_VALUE or the key is gone.
    int32_t ReadInteger(const QString& AName);
    QString ReadString(const QString& AName);
    bool ReadBool(const QString& AName);
    void WriteInteger(const QString& AName, int32_t AValue);
    void WriteString(const QString& AName, const QString& AValue);
    // Stores 1 for true and 0 for false.
    void WriteBool(const QString& AName, bool AValue);

private:
    // The full path of AKey from the root key; none when it names no key.
    std::optional<QStringList> FullPath(const QString& AKey) const;
    bool Open(const QString& AKey, REGSAM AAccess, bool ACanCreate);
    bool CanUseKey(REGSAM ARight) const { return FKeyOpen && (FKeyAccess & ARight) == ARight; }
    TRegValue GetData(const QString& AName);
    void PutData(const QString& AName, const TRegValue& AValue);

    std::shared_ptr<IRegistryBackend> FBackend;
    REGSAM FAccess;
    HKEY FRootKey = HKEY_CURRENT_USER;
    bool FKeyOpen = false;
    QStringList FCurrentKey;
    REGSAM FKeyAccess = 0;
};

// The store registry objects use when none is given: the one set by SetRegistryBackend, otherwise
// the system's (SystemRegistryBackend: the registry files in RegistryFolder() on Linux, looked up
// again for every object).
std::shared_ptr<IRegistryBackend> RegistryBackend();
// Replaces that store; nullptr goes back to the system's.
void SetRegistryBackend(std::shared_ptr<IRegistryBackend> ABackend);

// Runs AWork with the registry objects it makes without a store of their own working on the root
// key through RunAsOneChange of the store they would use, so that what AWork changes below that root
// key is stored as one change, or not at all when AWork fails.
void RunAsOneRegistryChange(HKEY ARoot, const std::function<void()>& AWork);

} // namespace Tessel
