// Template expansion: every "$P(name)" marker of an input line is replaced by its replace-list value.
#include "engine/TTemplateExpander.h"

#include "engine/DollarScan.h"
#include "engine/TExpansionTrail.h"
#include "engine/TReplaceIndex.h"
#include "engine/TTextDocument.h"

#include "Tessel/Exception.h"
#include "Tessel/TextFile.h"

#include <QScopeGuard>

#include <algorithm>
#include <array>

namespace Wrenfold {

namespace {

QString MissingRightMarker(int AIndex, const QString& ALine) {
    return QStringLiteral("Input line %1, missing right marker processing line \"%2\"").arg(AIndex + 1).arg(ALine);
}

// The decimal digits of AValue, written to the end of ABuffer.
QStringView DecimalText(unsigned AValue, std::array<char16_t, 12>& ABuffer) {
    char16_t* const end = ABuffer.data() + ABuffer.size();
    char16_t* first = end;
    do {
        *--first = char16_t(u'0' + AValue % 10);
        AValue /= 10;
    } while (AValue != 0);
    return QStringView(first, end - first);
}

} // namespace

void TTemplateExpander::SubstituteLine(const TReplaceIndex& AReplaceList, int AIndex, QString& ALine,
                                       qsizetype AFirstMarker) {
    // Text left of a replaced marker holds no marker, so each search resumes two characters before
    // it (a "$" or "$P" there may join the inserted text). The result equals searching from the
    // start every time, in linear time.
    qsizetype position = AFirstMarker;
    std::array<char16_t, 12> digits;
    const QStringView lineNumber = DecimalText(unsigned(AIndex) + 1, digits);
    TExpansionTrail trail;
    for (; position >= 0; position = IndexOfMarker(ALine, u'P', std::max<qsizetype>(0, position - 2))) {
        const int close = FindClosingBracket(ALine, int(position + 4));
        if (close == 0) throw Tessel::Exception(MissingRightMarker(AIndex, ALine));
        // The marker as it stands ("$P(name)") is also its key in the trail; names compare without
        // regard to case, as the lookup does.
        const QStringView marker = QStringView(ALine).sliced(position, close - position);
        const QStringView name = marker.sliced(3, marker.size() - 4);
        if (trail.Produced(position, marker, Qt::CaseInsensitive)) {
            QStringList chain = trail.ChainAt(position);
            chain.append(marker.toString());
            throw Tessel::Exception(QStringLiteral("Input line %1, marker \"$P(%2)\" leads back to itself (%3) "
                                                   "processing line \"%4\"")
                                        .arg(AIndex + 1)
                                        .arg(name, chain.join(QStringLiteral(" -> ")), ALine));
        }
        const QStringView value = AReplaceList.Value(name);
        FLog(QStringLiteral("Input line ") % lineNumber % QStringLiteral(", replaced \"") % name %
            QStringLiteral("\" with \"") % value % QLatin1Char('"'));
        const QString key = marker.toString();
        ALine = QStringView(ALine).first(position) % value % QStringView(ALine).sliced(close);
        trail.Replace(position, key.size(), value.size(), key);
        trail.ForgetBefore(position - 2);
    }
}

void TTemplateExpander::ExpandTemplate(const TTextDocument& AInput, TTextDocument& AOutput,
                                       const TTextDocument& AReplaceList) {
    // The output's lines are overwritten in place rather than emptied first: lines a batch makes
    // again from the same template are then left as they are.
    const TUpdateBracket bracket(AOutput);
    int done = 0;
    const auto dropOldLines = qScopeGuard([&] { AOutput.Truncate(done); });
    const TReplaceIndex replaceList(AReplaceList.Lines());
    // A value may hold line breaks (an included file's text): the output has CR LF throughout.
    const bool valuesHoldBreaks = std::any_of(AReplaceList.Lines().begin(), AReplaceList.Lines().end(),
                                              [](const QString& ALine) { return Tessel::HoldsLineBreak(ALine); });
    const QStringList& input = AInput.Lines();
    const std::vector<qsizetype>& firstMarkers = FInputMarkers.FirstMarkers(input);
    for (; done < input.size(); ++done) {
        if (done + PrefetchDistance < input.size()) PrefetchForSharing(input[done + PrefetchDistance]);
        if (firstMarkers[done] < 0) {
            AOutput.PutLine(done, input[done]);
            continue;
        }
        QString line = input[done];
        SubstituteLine(replaceList, done, line, firstMarkers[done]);
        if (valuesHoldBreaks && Tessel::HoldsLineBreak(line)) line = Tessel::UnifyLineBreaks(line, u"\r\n");
        AOutput.PutLine(done, line);
    }
}

} // namespace Wrenfold
