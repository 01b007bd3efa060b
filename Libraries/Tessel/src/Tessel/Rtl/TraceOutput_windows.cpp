#include "Tessel/Rtl/TraceOutput.h"

#include <cstdio>
#include <string>
#include <windows.h>

namespace Tessel {

void WriteTraceLine(const QString& ALine) {
    const QString line = ALine + QLatin1Char('\n');
    ::OutputDebugStringW(line.toStdWString().c_str());
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace Tessel
