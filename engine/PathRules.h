// How the engine names files: separators, folder and name parts, and resolving relative paths.
#pragma once

#include <QString>

namespace Wrenfold {

// Backslashes become slashes, so a configuration written on Windows works unchanged.
QString ToSlashes(const QString& APath);
// The folder part: up to the last "/", without it unless it is the root ("/x" gives "/", "C:/x"
// gives "C:/", a bare name gives an empty folder).
QString FolderPart(const QString& APath);
// The name part: what follows the last "/".
QString NamePart(const QString& APath);
// The name without its extension (the text from its last "." removed).
QString NameWithoutExtension(const QString& APath);
// The extension of the name part, from its last ".", or empty.
QString ExtensionPart(const QString& APath);
// APath joined to ADirectory with one "/".
QString JoinPath(const QString& ADirectory, const QString& AName);
// Relative paths are joined to ADirectory and cleaned lexically; "/..." and "C:..." paths are used
// as written; the empty path stays empty.
QString ResolvePathAgainst(const QString& APath, const QString& ADirectory);

} // namespace Wrenfold
