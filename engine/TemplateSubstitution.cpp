// Template expansion: every "$P(name)" marker of an input line is replaced by its replace-list value.
#include "engine/TExpansionTrail.h"
#include "engine/TReplaceIndex.h"
#include "engine/TWrenfoldEngine.h"

namespace Wrenfold {

namespace {

// A marker as the trail knows it; names compare without regard to case, as the lookup does.
QString MarkerKey(const QString& AName) { return QStringLiteral("$P(") + AName + QLatin1Char(')'); }

QString MissingRightMarker(int AIndex, const QString& ALine) {
    return QStringLiteral("Input line %1, missing right marker processing line \"%2\"").arg(AIndex + 1).arg(ALine);
}

// Position (0-based) of the first "$" + ALetterCode + "(" at or after AFrom, or -1.
qsizetype IndexOfMarker(const QString& ALine, QChar ALetterCode, qsizetype AFrom) {
    const QChar* data = ALine.constData();
    const qsizetype size = ALine.size();
    for (qsizetype p = ALine.indexOf(u'$', AFrom); p >= 0 && p + 2 < size; p = ALine.indexOf(u'$', p + 1))
        if (data[p + 1] == ALetterCode && data[p + 2] == u'(') return p;
    return -1;
}

// Finds the first marker of the code letter at or after AFrom (0-based) and cuts it out of the line.
bool CutMarker(QChar ALetterCode, QString& ALine, TSubstitutionData& AData, int AIndex, qsizetype AFrom) {
    qsizetype p = IndexOfMarker(ALine, ALetterCode, AFrom);
    if (p < 0 && ALetterCode >= u'a' && ALetterCode <= u'z') p = IndexOfMarker(ALine, ALetterCode.toUpper(), AFrom);
    if (p < 0) return false;
    AData.iPosition = int(p + 1);
    AData.LetterCode = ALetterCode;
    const int close = TWrenfoldEngine::FindClosingBracket(ALine, int(p + 4));
    if (close == 0) throw Tessel::Exception(MissingRightMarker(AIndex, ALine));
    AData.Text = ALine.mid(p + 3, close - 1 - (p + 3));
    ALine.remove(p, AData.Text.size() + 4);
    return true;
}

} // namespace

QString TWrenfoldEngine::LookUpReplaceValue(const QStringList& AReplaceList, const QString& AName) {
    return TReplaceIndex(AReplaceList).Value(AName);
}

bool TWrenfoldEngine::FindMarker(QChar ALetterCode, QString& ALine, TSubstitutionData& AData, int AIndex) const {
    return CutMarker(ALetterCode, ALine, AData, AIndex, 0);
}

void TWrenfoldEngine::SubstituteLine(const TTextDocument& AReplaceList, int AIndex, QString& ALine) {
    SubstituteLineFrom(TReplaceIndex(AReplaceList.Lines()), AIndex, ALine);
}

void TWrenfoldEngine::SubstituteLineFrom(const TReplaceIndex& AReplaceList, int AIndex, QString& ALine) {
    // Text left of a replaced marker holds no marker, so each search resumes two characters before
    // it (a "$" or "$P" there may join the inserted text). The result equals searching from the
    // start every time, in linear time.
    TExpansionTrail trail;
    qsizetype from = 0;
    for (;;) {
        TSubstitutionData data;
        if (!CutMarker(u'P', ALine, data, AIndex, from)) return;
        const qsizetype position = data.iPosition - 1;
        const QString key = MarkerKey(data.Text);
        if (trail.Produced(position, key, Qt::CaseInsensitive)) {
            ALine.insert(position, key);
            QStringList chain = trail.ChainAt(position);
            chain.append(key);
            throw Tessel::Exception(QStringLiteral("Input line %1, marker \"$P(%2)\" leads back to itself (%3) "
                                                   "processing line \"%4\"")
                                        .arg(AIndex + 1)
                                        .arg(data.Text, chain.join(QStringLiteral(" -> ")), ALine));
        }
        const QString value = AReplaceList.Value(data.Text);
        ALine.insert(position, value);
        trail.Replace(position, data.Text.size() + 4, value.size(), key);
        Log(QStringLiteral("Input line ") + QString::number(AIndex + 1) + QStringLiteral(", replaced \"") + data.Text +
            QStringLiteral("\" with \"") + value + QLatin1Char('"'));
        from = std::max<qsizetype>(0, position - 2);
        trail.ForgetBefore(from);
    }
}

void TWrenfoldEngine::ExpandTemplate(const TTextDocument& AInput, TTextDocument& AOutput,
                                     const TTextDocument& AReplaceList) {
    AOutput.BeginUpdate();
    try {
        AOutput.Clear();
        const TReplaceIndex replaceList(AReplaceList.Lines());
        for (int i = 0; i < AInput.Count(); ++i) {
            QString line = AInput.Line(i);
            SubstituteLineFrom(replaceList, i, line);
            AOutput.Append(line);
        }
    } catch (...) {
        AOutput.EndUpdate();
        throw;
    }
    AOutput.EndUpdate();
}

} // namespace Wrenfold
