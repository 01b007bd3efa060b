// How the engine names files: separators, joining, and resolving relative paths against the project folder.
#pragma once

#include <QString>

namespace Wrenfold {

// Backslashes become slashes, so a configuration written on Windows works unchanged.
QString ToSlashes(const QString& APath);
// APath joined to ADirectory with one "/".
QString JoinPath(const QString& ADirectory, const QString& AName);
// Relative paths are joined to ADirectory and cleaned lexically; "/..." and "C:..." paths are used
// as written; the empty path stays empty.
QString ResolvePathAgainst(const QString& APath, const QString& ADirectory);

} // namespace Wrenfold
