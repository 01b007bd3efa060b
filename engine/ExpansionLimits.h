// Bounds that stop a runaway expansion (values that double at every level) with an error instead
// of running out of memory or time. Sizes count UTF-16 units, two bytes each in memory.
#pragma once

#include <QtGlobal>

namespace Wrenfold {

// A line of the output or of the replace list, with the log it writes while expanding: 256 MiB.
constexpr qsizetype MaxLineUnits = qsizetype(128) * 1024 * 1024;
// The whole output text: 1 GiB.
constexpr qsizetype MaxOutputUnits = qsizetype(512) * 1024 * 1024;
// Markers replaced in one template line, values' markers included: ten times the most a real
// template line holds.
constexpr int MaxMarkersPerLine = 1000000;
// Statements expanded in one replace-list or action line: no real configuration comes near.
constexpr int MaxStatementsPerLine = 10000;

} // namespace Wrenfold
