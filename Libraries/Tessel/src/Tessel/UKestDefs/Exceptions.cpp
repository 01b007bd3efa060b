#include "Tessel/UKestDefs/Exceptions.h"

#include "Tessel/Rtl/FormatText.h"

namespace Tessel {

EKestException::EKestException(const QString& AMessage, const QVariantList& AArgs, const QString& AHelpTopic)
    : Exception(Format(AMessage, AArgs)), FHelpTopic(AHelpTopic) {}

} // namespace Tessel
