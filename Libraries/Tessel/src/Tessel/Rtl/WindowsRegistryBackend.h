// The registry of Windows itself as a registry store.
#pragma once

#include "Tessel/Rtl/RegistryBackend.h"

namespace Tessel {

// Works on the system's registry with the Win32 registry calls (RegOpenKeyExW and the like), with the
// access masks the callers ask for. Names are compared and listed as the system does; the system keeps
// every change by itself, so RunAsOneChange hands the work its own store. A key or value that cannot
// be opened or changed (missing, or refused to this user) gives a false or empty result.
class TWindowsRegistryBackend : public IRegistryBackend {
public:
    bool OpenKey(HKEY ARoot, const QStringList& AKey, REGSAM AAccess) override;
    bool CreateKey(HKEY ARoot, const QStringList& AKey) override;
    bool DeleteKey(HKEY ARoot, const QStringList& AKey) override;
    std::optional<QStringList> KeyNames(HKEY ARoot, const QStringList& AKey) override;
    std::optional<QStringList> ValueNames(HKEY ARoot, const QStringList& AKey) override;
    std::optional<TRegValue> ReadValue(HKEY ARoot, const QStringList& AKey, const QString& AName) override;
    bool WriteValue(HKEY ARoot, const QStringList& AKey, const QString& AName,
                    const TRegValue& AValue) override;
    bool DeleteValue(HKEY ARoot, const QStringList& AKey, const QString& AName) override;
};

} // namespace Tessel
