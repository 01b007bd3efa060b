// The difference of two texts as a unified diff, the form version-control tools print.
#pragma once

#include <QString>
#include <QStringList>

namespace Wrenfold {

// "--- AOldName" and "+++ ANewName" headers, then hunks of changed lines with AContext lines of
// context around them; empty when the lines are equal. Every line of the result ends with "\n".
QString UnifiedDiff(const QStringList& AOld, const QStringList& ANew, const QString& AOldName,
                    const QString& ANewName, int AContext = 3);

} // namespace Wrenfold
