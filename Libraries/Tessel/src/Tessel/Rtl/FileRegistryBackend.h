// The registry kept in files: one hive file per root key in a folder, shared safely by every running
// program that uses it.
#pragma once

#include "Tessel/Rtl/RegistryBackend.h"
#include "Tessel/Rtl/RegistryHive.h"

#include <functional>

namespace Tessel {

// Keeps each root key in its own file in the folder, named after the root key with ".json" added
// (HKEY_CURRENT_USER.json), in the text form of TRegistryHive; a missing file is an empty hive.
// Every change is one read-modify-write of the file under a lock file beside it (".lock" instead of
// ".json"), saved atomically, so programs changing different keys at the same time all keep their
// changes and a reader never sees half a file. A file that cannot be read or is damaged raises
// ERegistryException naming it, for reads and changes alike, and is never written over; the other
// root keys stay usable. Every call reads the file afresh, so what other programs changed is seen.
class TFileRegistryBackend : public IRegistryBackend {
public:
    explicit TFileRegistryBackend(const QString& AFolder);
    const QString& Folder() const { return FFolder; }
    // The hive file of the root key; empty for a root key the store does not keep.
    QString HiveFileName(HKEY ARoot) const;

    bool OpenKey(HKEY ARoot, const QStringList& AKey, REGSAM AAccess) override;
    bool CreateKey(HKEY ARoot, const QStringList& AKey) override;
    bool DeleteKey(HKEY ARoot, const QStringList& AKey) override;
    std::optional<QStringList> KeyNames(HKEY ARoot, const QStringList& AKey) override;
    std::optional<QStringList> ValueNames(HKEY ARoot, const QStringList& AKey) override;
    std::optional<TRegValue> ReadValue(HKEY ARoot, const QStringList& AKey, const QString& AName) override;
    bool WriteValue(HKEY ARoot, const QStringList& AKey, const QString& AName,
                    const TRegValue& AValue) override;
    bool DeleteValue(HKEY ARoot, const QStringList& AKey, const QString& AName) override;
    // One read-modify-write of the hive under its lock: AWork works on the hive in memory, and what
    // it changed is saved when it returns.
    void RunAsOneChange(HKEY ARoot, const std::function<void(IRegistryBackend&)>& AWork) override;

private:
    // What a change did: its result, and whether the hive must be saved.
    struct TOutcome {
        bool Result;
        bool Changed;
    };
    // The root key's hive as its file holds it now; none for a root key the store does not keep.
    std::optional<TRegistryHive> Load(HKEY ARoot) const;
    // Applies AChange to the hive under the file's lock and saves what it changed.
    bool Change(HKEY ARoot, const std::function<TOutcome(TRegistryHive&)>& AChange);

    QString FFolder;
};

// The folder of the registry files: $WRENFOLD_REGISTRY_DIR when set, else "KEST Products/registry"
// in the user's configuration folder ($XDG_CONFIG_HOME, by default ~/.config).
QString RegistryFolder();

} // namespace Tessel
