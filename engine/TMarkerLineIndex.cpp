#include "engine/TMarkerLineIndex.h"

#include "engine/DollarScan.h"

namespace Wrenfold {

const std::vector<qsizetype>& TMarkerLineIndex::FirstMarkers(const QStringList& ALines) {
    // Lines shared with the previous call compare equal at once.
    if (FValid && ALines == FLines) return FFirstMarkers;
    FValid = false;
    FFirstMarkers.clear();
    FFirstMarkers.reserve(ALines.size());
    for (const QString& line : ALines) FFirstMarkers.push_back(IndexOfMarker(line, u'P', 0));
    FLines = ALines;
    FValid = true;
    return FFirstMarkers;
}

} // namespace Wrenfold
