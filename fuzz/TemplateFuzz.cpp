// Template expansion ("$P(name)" markers): it ends within the engine's bounds or with the engine's
// error, leaves no marker behind, and gives the lines and log of replacing one marker at a time
// from the start of the line.
//
// The input is a replace list and a template separated by a NUL; without one, the input's lines
// serve as both.
#include "EngineFuzzSupport.h"
#include "FuzzSupport.h"

#include "engine/ExpansionLimits.h"
#include "engine/TTemplateExpander.h"
#include "engine/TTextDocument.h"

#include "Tessel/UKestDefs.h"
#include "Tessel/UKestLibrary/NonPrintingTags.h"

#include <algorithm>

using namespace Wrenfold;
using namespace WrenfoldFuzz;

namespace {

// Replaces the first "$P(" marker of the line and searches again from the start, at most ASteps
// times (and while the line stays small), logging as the engine logs.
TReferenceEnd ReferenceSubstitute(QString& ALine, int AIndex, const QStringList& AReplaceList, int ASteps,
                                  QStringList& ALog) {
    for (int step = 0;; ++step) {
        const qsizetype p = ALine.indexOf(QLatin1String("$P("));
        if (p < 0) return TReferenceEnd::Done;
        if (step == ASteps || ALine.size() > 4 * 1024 * 1024) return TReferenceEnd::Undecided;
        const qsizetype close = ClosingBracket(ALine, p + 3);
        if (close < 0) return TReferenceEnd::Failed;
        const QString name = ALine.mid(p + 3, close - p - 3);
        const QString value = ReplaceValue(AReplaceList, name);
        ALog.append(
            QStringLiteral("Input line %1, replaced \"%2\" with \"%3\"").arg(AIndex + 1).arg(name, value));
        ALine.replace(p, close + 1 - p, value);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize) {
    QString text;
    if (!TextOf(BytesOf(AData, ASize), text)) return 0;
    const qsizetype nul = text.indexOf(QChar(0));
    Tessel::TLineBreakStyle style;
    // Tags in the replace list stand for control characters, so that values may hold line breaks
    // as an included file's text does.
    QStringList replaceLines = Tessel::SplitTextLines(nul < 0 ? text : text.left(nul), style);
    for (QString& line : replaceLines) {
        try {
            line = Tessel::NonPrintingTagsToString(line);
        } catch (const Tessel::EKestLibrary&) {
        }
    }
    const QStringList templateLines = Tessel::SplitTextLines(nul < 0 ? text : text.mid(nul + 1), style);

    TTextDocument input, output, replaceList;
    input.SetLines(templateLines);
    replaceList.SetLines(replaceLines);
    // The log is kept only while it is small enough to compare.
    QStringList log;
    qsizetype logged = 0;
    bool logKept = true;
    bool logging = true;
    TTemplateExpander expander([&](const QString& ALine) {
        if (!logging) return;
        logged += ALine.size();
        if (logged > 64 * 1024) logKept = false;
        if (logKept)
            log.append(ALine);
        else
            log.clear();
    });
    QString failure;
    try {
        expander.ExpandTemplate(input, output, replaceList);
    } catch (const Tessel::Exception& E) {
        failure = E.Message();
    }

    // A batch expands the same template again with the same expander: the same lines come out.
    {
        TTextDocument again;
        QString againFailure;
        logging = false;
        try {
            expander.ExpandTemplate(input, again, replaceList);
        } catch (const Tessel::Exception& E) {
            againFailure = E.Message();
        }
        FUZZ_CHECK(again.Lines() == output.Lines() && againFailure == failure,
                   QStringLiteral("expanding again gave\n") + Shown(again.Lines()) + againFailure);
    }

    // What the engine made before it stopped: the lines before the failing one, unchanged.
    const int made = output.Count();
    FUZZ_CHECK(failure.isEmpty() ? made == templateLines.size() : made < templateLines.size(),
               QStringLiteral("%1 output lines of %2 (%3)").arg(made).arg(templateLines.size()).arg(failure));
    const bool valuesHoldBreaks =
        std::any_of(replaceLines.begin(), replaceLines.end(),
                    [](const QString& ALine) { return Tessel::HoldsLineBreak(ALine); });
    qsizetype outputSize = 0;
    for (int i = 0; i < made; ++i) {
        FUZZ_CHECK(!output.Line(i).contains(QLatin1String("$P(")), output.Line(i));
        FUZZ_CHECK(output.Line(i).size() <= MaxLineUnits,
                   QStringLiteral("line %1 past the limit").arg(i + 1));
        outputSize += output.Line(i).size();
    }
    FUZZ_CHECK(outputSize <= MaxOutputUnits, QStringLiteral("output past the limit"));
    if (!logKept) return 0;

    // Line by line, as many replacements one at a time as the engine logged for the line.
    qsizetype next = 0;
    QStringList referenceLog;
    for (int i = 0; i <= made && i < templateLines.size(); ++i) {
        const QString prefix = QStringLiteral("Input line %1, ").arg(i + 1);
        int replaced = 0;
        while (next < log.size() && log[next].startsWith(prefix)) {
            ++next;
            ++replaced;
        }
        QString line = templateLines[i];
        if (i == made) {
            const QString shown =
                QStringLiteral("input line %1 \"%2\" expands to \"%3\" one at a time, but the "
                               "engine says: %4");
            // A marker that leads back to itself never ends; a missing ")" fails one at a time too,
            // at the same marker.
            if (failure.contains(QLatin1String("leads back to itself"))) {
                FUZZ_CHECK(ReferenceSubstitute(line, i, replaceLines, 500, referenceLog) !=
                               TReferenceEnd::Done,
                           shown.arg(i + 1).arg(templateLines[i], line, failure));
            } else if (failure.contains(QLatin1String("missing right marker"))) {
                FUZZ_CHECK(ReferenceSubstitute(line, i, replaceLines, replaced + 1, referenceLog) ==
                               TReferenceEnd::Failed,
                           shown.arg(i + 1).arg(templateLines[i], line, failure));
            } else {
                FUZZ_CHECK(failure.contains(QLatin1String("grows past")) ||
                               failure.contains(QLatin1String("expands more than")),
                           failure);
            }
            break;
        }
        const TReferenceEnd end = ReferenceSubstitute(line, i, replaceLines, replaced, referenceLog);
        FUZZ_CHECK(end == TReferenceEnd::Done,
                   QStringLiteral("input line %1 \"%2\": %3 replacements do not end it "
                                  "one at a time (\"%4\")")
                       .arg(i + 1)
                       .arg(templateLines[i])
                       .arg(replaced)
                       .arg(line));
        if (valuesHoldBreaks && Tessel::HoldsLineBreak(line))
            line = Tessel::UnifyLineBreaks(line, Tessel::LineBreakText(OutputLineBreak(input.Format())));
        FUZZ_CHECK(output.Line(i) == line,
                   QStringLiteral("input line %1 \"%2\" gave \"%3\", one at a time \"%4\"")
                       .arg(i + 1)
                       .arg(templateLines[i], output.Line(i), line));
    }
    FUZZ_CHECK(next == log.size(), QStringLiteral("log lines for no input line:\n") + Shown(log.mid(next)));
    if (failure.isEmpty())
        FUZZ_CHECK(log == referenceLog,
                   Shown(log) + QStringLiteral("one at a time logs\n") + Shown(referenceLog));
    return 0;
}
