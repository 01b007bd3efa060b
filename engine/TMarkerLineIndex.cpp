#include "engine/TMarkerLineIndex.h"

#include "engine/DollarScan.h"

namespace Wrenfold {

const std::vector<qsizetype>& TMarkerLineIndex::FirstMarkers(const QStringList& ALines) {
    // Lines shared with the previous call compare equal at once.
    if (ALines == FLines) return FFirstMarkers;
    std::vector<qsizetype> firstMarkers;
    firstMarkers.reserve(ALines.size());
    for (const QString& line : ALines)
        firstMarkers.push_back(IndexOfMarker(line, u'P', 0));
    FFirstMarkers = std::move(firstMarkers);
    FLines = ALines;
    return FFirstMarkers;
}

} // namespace Wrenfold
