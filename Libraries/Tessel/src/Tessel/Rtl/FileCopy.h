// Copying a file whole, so that a failed copy never leaves a truncated destination.
#pragma once

#include <QString>

namespace Tessel {

// Copies the file's bytes, permissions and modification time. Without AOverwrite an existing
// destination fails the copy with FileExistsError(). False with the failing call's code in
// LastSystemError().
bool CopyFileContents(const QString& ASource, const QString& ADest, bool AOverwrite);

} // namespace Tessel
