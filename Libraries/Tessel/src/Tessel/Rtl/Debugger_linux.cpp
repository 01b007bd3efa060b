#include "Tessel/Rtl/Debugger.h"

#include <QFile>

namespace Tessel {

bool DebuggerAttached() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    while (!status.atEnd()) {
        const QByteArray line = status.readLine();
        if (line.startsWith("TracerPid:")) return line.mid(10).trimmed().toLongLong() != 0;
    }
    return false;
}

} // namespace Tessel
