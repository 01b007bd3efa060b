// Template expansion: every "$P(name)" marker of an input line is replaced by its replace-list value.
#include "engine/TTemplateExpander.h"

#include "engine/DollarScan.h"
#include "engine/ExpansionLimits.h"
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

namespace {

// Appends AText[AFrom, ATo) back to front.
void AppendReversed(QString& AOut, QStringView AText) {
    const qsizetype start = AOut.size();
    AOut.resize(start + AText.size());
    std::reverse_copy(AText.begin(), AText.end(), AOut.begin() + start);
}

QString Reversed(QStringView AText) {
    QString result;
    AppendReversed(result, AText);
    return result;
}

} // namespace

void TTemplateExpander::SubstituteLine(const TReplaceIndex& AReplaceList, int AIndex, QString& ALine,
                                       qsizetype AFirstMarker) {
    // The line is rebuilt in one pass. Done holds the text already scanned; what is still to scan
    // is kept back to front in ToDo, so that a value goes in front of it by being appended.
    // Text left of a replaced marker holds no marker, so each search resumes two characters before
    // it (a "$" or "$P" there may join the inserted text): the result equals searching from the
    // start every time.
    QString done;
    done.reserve(ALine.size());
    done.append(QStringView(ALine).first(AFirstMarker));
    QString toDo = Reversed(QStringView(ALine).sliced(AFirstMarker));
    const auto lineNow = [&]() -> QString { return done + Reversed(toDo); };
    std::array<char16_t, 12> digits;
    const QStringView lineNumber = DecimalText(unsigned(AIndex) + 1, digits);
    TExpansionTrail trail;
    qsizetype logged = 0;
    for (int replaced = 0;; ++replaced) {
        // The next "$P(" from the front of ToDo (its "$" at the highest index).
        qsizetype dollar = toDo.size() - 1;
        const QChar* units = toDo.constData();
        while (dollar >= 2 && !(units[dollar] == u'$' && units[dollar - 1] == u'P' && units[dollar - 2] == u'('))
            --dollar;
        if (dollar < 2) break;
        AppendReversed(done, QStringView(toDo).sliced(dollar + 1));
        toDo.truncate(dollar + 1);
        // Its closing bracket; brackets inside it nest.
        qsizetype close = dollar - 3;
        for (int depth = 0; close >= 0; --close) {
            if (units[close] == u'(') ++depth;
            else if (units[close] == u')' && depth-- == 0) break;
        }
        if (close < 0) throw Tessel::Exception(MissingRightMarker(AIndex, lineNow()));
        if (replaced == MaxMarkersPerLine)
            throw Tessel::Exception(QStringLiteral("Input line %1 expands more than %2 markers")
                                        .arg(AIndex + 1)
                                        .arg(MaxMarkersPerLine));
        const qsizetype position = done.size();
        // The marker as it stands ("$P(name)") is also its key in the trail; names compare without
        // regard to case, as the lookup does.
        const QString marker = Reversed(QStringView(toDo).sliced(close, dollar + 1 - close));
        const QStringView name = QStringView(marker).sliced(3, marker.size() - 4);
        if (trail.Produced(position, marker, Qt::CaseInsensitive)) {
            QStringList chain = trail.ChainAt(position);
            chain.append(marker);
            throw Tessel::Exception(QStringLiteral("Input line %1, marker \"$P(%2)\" leads back to itself (%3) "
                                                   "processing line \"%4\"")
                                        .arg(AIndex + 1)
                                        .arg(name, chain.join(QStringLiteral(" -> ")), lineNow()));
        }
        const QStringView value = AReplaceList.Value(name);
        const QString logLine = QStringLiteral("Input line ") % lineNumber % QStringLiteral(", replaced \"") % name %
                                QStringLiteral("\" with \"") % value % QLatin1Char('"');
        logged += logLine.size();
        if (done.size() + toDo.size() - marker.size() + value.size() + logged > MaxLineUnits)
            throw Tessel::Exception(QStringLiteral("Input line %1 grows past %2 MiB expanding marker \"%3\"")
                                        .arg(AIndex + 1)
                                        .arg(MaxLineUnits * 2 / (1024 * 1024))
                                        .arg(marker));
        FLog(logLine);
        toDo.truncate(close);
        AppendReversed(toDo, value);
        trail.Replace(position, marker.size(), value.size(), marker);
        trail.ForgetBefore(position - 2);
        // Step back two characters into the scanned text.
        for (int i = 0; i < 2 && !done.isEmpty(); ++i) {
            toDo.append(done.back());
            done.chop(1);
        }
    }
    AppendReversed(done, toDo);
    ALine = std::move(done);
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
    // What expanding adds to the template's own size; the template itself was read within limits.
    qsizetype templateSize = 0;
    for (const QString& line : input) templateSize += line.size();
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
        if (valuesHoldBreaks && Tessel::HoldsLineBreak(line)) line = Tessel::UnifyLineBreaks(line, u"\r\n");
        grownBy += line.size() - input[done].size();
        if (templateSize + grownBy > MaxOutputUnits)
            throw Tessel::Exception(QStringLiteral("The output grows past %1 MiB at input line %2")
                                        .arg(MaxOutputUnits * 2 / (1024 * 1024))
                                        .arg(done + 1));
        AOutput.PutLine(done, line);
    }
}

} // namespace Wrenfold
