#include "Tessel/Rtl/SystemError.h"

#include "Tessel/Rtl/Exception.h"

namespace Tessel {

void ThrowFileError(const char* AStep, const QString& AFileName, int ACode) {
    throw EFileError(QStringLiteral("Cannot %1 file \"%2\". %3")
                         .arg(QLatin1String(AStep), AFileName, SystemErrorText(ACode)));
}

} // namespace Tessel
