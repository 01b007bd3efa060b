// Registry helpers: Boolean values and key trees addressed by one path text such as
// "HKCU\Software\KEST Products\%AppDataName%\General\Waypoints\WaypointsEnabled", with optional tracing.
#pragma once

#include "Tessel/Rtl/RegistryBackend.h"
#include "Tessel/UKestDefs/Exceptions.h"

#include <QString>
#include <QStringList>

namespace Tessel {

// A path text is the root key name ("HKLM", "HKCU" or "HKCR", letter case as written), "\", the key
// path and the value name after the last "\". Aliases in it are expanded first (failures raised).
// Operations that can fail softly take ARaise: false makes them do less instead of raising.

inline const QString SRegOpenForRead = QStringLiteral("Unable to open registry key for read access \"%s\"");
inline const QString SRegOpenForModify = QStringLiteral("Unable to open registry key for modify \"%s\"");

// When true, every registry helper writes one trace line. Set once at start-up from "/RegLogging".
extern bool RegLogging;
// Sets RegLogging from the "/RegLogging" switch of the arguments (the process's, when none given),
// announcing it when found.
void InitRegLogging();
void InitRegLogging(const QStringList& AArguments);

// The root key of the expanded path; AKey receives the key path and AValueName the text after its
// last "\" or ":" (empty for a path ending in "\"). A root name outside the table raises EDebugTrap
// "Internal error Invalid root key".
HKEY SplitRegPath(const QString& APath, QString& AKey, QString& AValueName);

// The names of the direct subkeys of the key the whole path names; empty for a missing key.
void ReadRegKeyNames(const QString& APath, QStringList& AList, bool ARaise);
// Deletes the key the whole path names with everything below it; a missing key is no error. A path
// that names no key below the root deletes nothing.
void DeleteRegKey(const QString& APath, bool ARaise);
// The Boolean value, or ADefault when it or its key is missing.
bool ReadRegKeyBool(const QString& APath, bool ADefault, bool ARaise);
// Writes the Boolean value, making its key and any missing parents.
void WriteRegKeyBool(const QString& APath, bool AValue, bool ARaise);

// Traces "KEST reg access "<operation>" key "<expanded path>", value "<value text>"".
void LogRegAccess(const QString& AOperation, const QString& APath, const QString& AValueText);

} // namespace Tessel
