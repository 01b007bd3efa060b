// Reading a regular file whole, without ever blocking on one that is not.
#pragma once

#include <QByteArray>
#include <QString>

namespace Tessel {

// The most ReadFileBytes reads: 1 GiB.
constexpr qsizetype MaxReadFileBytes = qsizetype(1) << 30;
// A regular file's bytes. Raises EFileError for a name holding a NUL, a file that is not a regular
// file (a FIFO, device or socket: reading never blocks), one larger than MaxReadFileBytes, and the
// platform's open and read failures.
QByteArray ReadFileBytes(const QString& AFileName);

} // namespace Tessel
