#include "Tessel/Rtl/TraceOutput.h"

#include <cstdio>

namespace Tessel {

void WriteTraceLine(const QString& ALine) {
    const QByteArray bytes = (ALine + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace Tessel
