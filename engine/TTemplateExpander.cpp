// Template expansion: every "$P(name)" marker of an input line is replaced by its replace-list value.
#include "engine/TTemplateExpander.h"

#include "engine/DollarScan.h"
#include "engine/ExpansionLimits.h"
#include "engine/TExpansionTrail.h"
#include "engine/TReplaceIndex.h"
#include "engine/TTextDocument.h"

#include "Tessel/Rtl/Exception.h"
#include "Tessel/Rtl/TextFile.h"

#include <QScopeGuard>

#include <algorithm>
#include <array>

namespace Wrenfold {

namespace {

QString MissingRightMarker(int AIndex, const QString& ALine) {
    return QStringLiteral("Input line %1, missing right marker processing line \"%2\"")
        .arg(AIndex + 1)
        .arg(ALine);
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

namespace {

// Appends AText back to front.
void AppendReversed(QString& AOut, QStringView AText) {
    const qsizetype start = AOut.size();
    AOut.resize(start + AText.size());
    std::reverse_copy(AText.begin(), AText.end(), AOut.begin() + start);
}

// The text of a line still to be scanned: inserted values (and characters stepped back over) wait
// in front, kept back to front so that one more goes in front by being appended; behind them
// comes the rest of the line as it stands, read in place.
class TPendingText {
public:
    explicit TPendingText(QStringView ASource) : FSource(ASource) {}

    qsizetype Size() const { return FFront.size() + FSource.size(); }
    QChar At(qsizetype AIndex) const {
        const qsizetype front = FFront.size();
        return AIndex < front ? FFront[front - 1 - AIndex] : FSource[AIndex - front];
    }
    // Position of the first "$P(", or -1.
    qsizetype IndexOfMarker() const {
        const qsizetype front = FFront.size();
        for (qsizetype i = 0; i < front && i + 2 < Size(); ++i)
            if (At(i) == u'$' && At(i + 1) == u'P' && At(i + 2) == u'(') return i;
        const qsizetype p = Wrenfold::IndexOfMarker(FSource, u'P', 0);
        return p < 0 ? -1 : front + p;
    }
    // Position of the ")" closing the bracket opened just before AFrom (brackets nest), or -1.
    qsizetype IndexOfClosingBracket(qsizetype AFrom) const {
        int depth = 0;
        for (qsizetype i = AFrom; i < Size(); ++i) {
            const QChar c = At(i);
            if (c == u'(')
                ++depth;
            else if (c == u')' && depth-- == 0)
                return i;
        }
        return -1;
    }
    QString Mid(qsizetype AFrom, qsizetype ACount) const {
        QString result(ACount, Qt::Uninitialized);
        for (qsizetype i = 0; i < ACount; ++i)
            result[i] = At(AFrom + i);
        return result;
    }
    // Moves the first ACount characters to the end of AOut (or drops them when AOut is null).
    void Take(qsizetype ACount, QString* AOut) {
        const qsizetype fromFront = std::min(ACount, FFront.size());
        if (AOut) AppendReversed(*AOut, QStringView(FFront).last(fromFront));
        FFront.chop(fromFront);
        const qsizetype fromSource = ACount - fromFront;
        if (AOut) AOut->append(FSource.first(fromSource));
        FSource = FSource.sliced(fromSource);
    }
    void PutInFront(QStringView AText) { AppendReversed(FFront, AText); }
    void PutInFront(QChar AChar) { FFront.append(AChar); }

private:
    QString FFront; // back to front
    QStringView FSource;
};

} // namespace

void TTemplateExpander::SubstituteLine(const TReplaceIndex& AReplaceList, int AIndex, QString& ALine,
                                       qsizetype AFirstMarker) {
    // The line is rebuilt in one pass: the scanned text grows at the end of Done, the rest waits
    // in Pending. Text left of a replaced marker holds no marker, so each search resumes two
    // characters before it (a "$" or "$P" there may join the inserted text): the result equals
    // searching from the start every time.
    QString done;
    done.reserve(ALine.size() + ALine.size() / 2);
    done.append(QStringView(ALine).first(AFirstMarker));
    TPendingText pending(QStringView(ALine).sliced(AFirstMarker));
    const auto lineNow = [&]() -> QString { return done + pending.Mid(0, pending.Size()); };
    std::array<char16_t, 12> digits;
    const QStringView lineNumber = DecimalText(unsigned(AIndex) + 1, digits);
    TExpansionTrail trail;
    qsizetype logged = 0;
    for (int replaced = 0;; ++replaced) {
        const qsizetype marker = pending.IndexOfMarker();
        if (marker < 0) break;
        const qsizetype close = pending.IndexOfClosingBracket(marker + 3);
        pending.Take(marker, &done);
        if (close < 0) throw Tessel::Exception(MissingRightMarker(AIndex, lineNow()));
        if (replaced == MaxMarkersPerLine)
            throw Tessel::Exception(QStringLiteral("Input line %1 expands more than %2 markers")
                                        .arg(AIndex + 1)
                                        .arg(MaxMarkersPerLine));
        const qsizetype position = done.size();
        // The marker as it stands ("$P(name)") is also its key in the trail; names compare without
        // regard to case, as the lookup does.
        const QString key = pending.Mid(0, close - marker + 1);
        const QStringView name = QStringView(key).sliced(3, key.size() - 4);
        if (trail.Produced(position, key.size(), key, Qt::CaseInsensitive)) {
            QStringList chain = trail.ChainAt(position, key.size());
            chain.append(key);
            throw Tessel::Exception(
                QStringLiteral("Input line %1, marker \"$P(%2)\" leads back to itself (%3) "
                               "processing line \"%4\"")
                    .arg(AIndex + 1)
                    .arg(name, chain.join(QStringLiteral(" -> ")), lineNow()));
        }
        const QStringView value = AReplaceList.Value(name);
        const QString logLine = QStringLiteral("Input line ") % lineNumber % QStringLiteral(", replaced \"") %
                                name % QStringLiteral("\" with \"") % value % QLatin1Char('"');
        logged += logLine.size();
        if (done.size() + pending.Size() - key.size() + value.size() + logged > MaxLineUnits)
            throw Tessel::Exception(QStringLiteral("Input line %1 grows past %2 MiB expanding marker \"%3\"")
                                        .arg(AIndex + 1)
                                        .arg(MaxLineUnits * 2 / (1024 * 1024))
                                        .arg(key));
        FLog(logLine);
        pending.Take(key.size(), nullptr);
        pending.PutInFront(value);
        trail.Replace(position, key.size(), value.size(), key);
        trail.ForgetBefore(position - 2);
        // Step back two characters into the scanned text.
        for (int i = 0; i < 2 && !done.isEmpty(); ++i) {
            pending.PutInFront(done.back());
            done.chop(1);
        }
    }
    pending.Take(pending.Size(), &done);
    ALine = std::move(done);
}

Tessel::TLineBreakStyle OutputLineBreak(const Tessel::TTextFormat& ATemplateFormat) {
    const Tessel::TLineBreakStyle style = ATemplateFormat.LineBreak;
    return style == Tessel::TLineBreakStyle::LF || style == Tessel::TLineBreakStyle::CR
               ? style
               : Tessel::TLineBreakStyle::CRLF;
}

void TTemplateExpander::ExpandTemplate(const TTextDocument& AInput, TTextDocument& AOutput,
                                       const TTextDocument& AReplaceList) {
    // The output's lines are overwritten in place rather than emptied first: lines a batch makes
    // again from the same template are then left as they are.
    const TUpdateBracket bracket(AOutput);
    int done = 0;
    const auto dropOldLines = qScopeGuard([&] { AOutput.Truncate(done); });
    const QStringList replaceLines = AReplaceList.Lines();
    const TReplaceIndex replaceList(replaceLines);
    // A value may hold line breaks (an included file's text): the output has the template's throughout.
    const QString lineBreak = Tessel::LineBreakText(OutputLineBreak(AInput.Format()));
    const bool valuesHoldBreaks =
        std::any_of(replaceLines.begin(), replaceLines.end(),
                    [](const QString& ALine) { return Tessel::HoldsLineBreak(ALine); });
    const QStringList input = AInput.Lines();
    // What expanding adds to the template's own size; the template itself was read within limits.
    qsizetype templateSize = 0;
    for (const QString& line : input)
        templateSize += line.size();
    qsizetype grownBy = 0;
    const std::vector<qsizetype>& firstMarkers = FInputMarkers.FirstMarkers(input);
    for (; done < input.size(); ++done) {
        if (done + PrefetchDistance < input.size()) PrefetchForSharing(input[done + PrefetchDistance]);
        if (firstMarkers[done] < 0) {
            AOutput.PutLine(done, input[done]);
            continue;
        }
        QString line = input[done];
        SubstituteLine(replaceList, done, line, firstMarkers[done]);
        if (valuesHoldBreaks && Tessel::HoldsLineBreak(line)) line = Tessel::UnifyLineBreaks(line, lineBreak);
        grownBy += line.size() - input[done].size();
        if (templateSize + grownBy > MaxOutputUnits)
            throw Tessel::Exception(QStringLiteral("The output grows past %1 MiB at input line %2")
                                        .arg(MaxOutputUnits * 2 / (1024 * 1024))
                                        .arg(done + 1));
        AOutput.PutLine(done, line);
    }
}

} // namespace Wrenfold
