// Where the developer trace goes when nobody took it over.
#pragma once

#include <QString>

namespace Tessel {

// Writes one trace line: to standard error on Linux; on Windows to the debugger's output
// (OutputDebugStringW) and to standard error, which a console program shows.
void WriteTraceLine(const QString& ALine);

} // namespace Tessel
