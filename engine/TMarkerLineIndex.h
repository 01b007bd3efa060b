// Where the first marker of each template line stands. A batch expands the same template for every
// project, so the positions are found once and reused while the template's lines stay the same.
#pragma once

#include <QStringList>

#include <vector>

namespace Wrenfold {

class TMarkerLineIndex {
public:
    // For each line of ALines, the position (0-based) of its first "$P(" marker, or -1.
    const std::vector<qsizetype>& FirstMarkers(const QStringList& ALines);

private:
    QStringList FLines; // the lines the positions belong to
    std::vector<qsizetype> FFirstMarkers;
};

} // namespace Wrenfold
