// Template expansion: every "$P(name)" marker of an input line is replaced by its replace-list value.
#pragma once

#include "engine/TLogSink.h"
#include "engine/TMarkerLineIndex.h"

#include "Tessel/Rtl/TextFile.h"

#include <QString>

namespace Wrenfold {

class TReplaceIndex;
class TTextDocument;

class TTemplateExpander {
public:
    explicit TTemplateExpander(TLogSink ALog) : FLog(std::move(ALog)) {}

    // One output line per input line, in one update bracket of the output. A failure keeps the
    // output lines made before the failing one.
    void ExpandTemplate(const TTextDocument& AInput, TTextDocument& AOutput,
                        const TTextDocument& AReplaceList);
    // Replaces the markers of ALine (input line AIndex, 0-based), the first of which stands at
    // AFirstMarker (0-based), leftmost first; values are scanned again for markers.
    void SubstituteLine(const TReplaceIndex& AReplaceList, int AIndex, QString& ALine,
                        qsizetype AFirstMarker);

private:
    TLogSink FLog;
    // A batch expands the same template for every project: where each line's first marker
    // stands is found once.
    TMarkerLineIndex FInputMarkers;
};

// The line break an output is written with: the template's LF, CR or CR LF; CR LF for a template
// of one line or one broken by U+2028 (a project file is never broken that way).
Tessel::TLineBreakStyle OutputLineBreak(const Tessel::TTextFormat& ATemplateFormat);

} // namespace Wrenfold
