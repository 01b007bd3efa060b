#include "engine/TReplaceIndex.h"

namespace Wrenfold {

namespace {

// Simple case folding unit by unit (pairs by code point): the folding that a comparison without
// regard to case applies, without the length changes of full folding.
QString Folded(QStringView AText) {
    QString result = AText.toString();
    QChar* data = result.data();
    const qsizetype size = result.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (data[i].isHighSurrogate() && i + 1 < size && data[i + 1].isLowSurrogate()) {
            const char32_t folded = QChar::toCaseFolded(QChar::surrogateToUcs4(data[i], data[i + 1]));
            data[i] = QChar(QChar::highSurrogate(folded));
            data[i + 1] = QChar(QChar::lowSurrogate(folded));
            ++i;
        } else if (data[i].unicode() < 0x80) {
            if (data[i] >= u'A' && data[i] <= u'Z') data[i] = QChar(data[i].unicode() + 32);
        } else {
            data[i] = data[i].toCaseFolded();
        }
    }
    return result;
}

// True when the names are equal after folding. Plain ASCII names, the usual ones, are compared in
// place; others are folded first.
bool SameName(QStringView A, QStringView B) {
    if (A.size() != B.size()) return false; // folding keeps the length
    for (qsizetype i = 0; i < A.size(); ++i) {
        char16_t a = A[i].unicode(), b = B[i].unicode();
        if ((a | b) >= 0x80) return Folded(A) == Folded(B);
        if (a >= u'A' && a <= u'Z') a += 32;
        if (b >= u'A' && b <= u'Z') b += 32;
        if (a != b) return false;
    }
    return true;
}

} // namespace

TReplaceIndex::TReplaceIndex(const QStringList& AReplaceList) : FLines(AReplaceList) {
    FEntries.reserve(FLines.size());
    for (const QString& line : std::as_const(FLines)) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0) FEntries.push_back({QStringView(line).first(equals), QStringView(line).sliced(equals + 1)});
    }
}

QStringView TReplaceIndex::Value(QStringView AName) const {
    for (const TEntry& entry : FEntries)
        if (SameName(AName, entry.Name)) return entry.Value;
    return {};
}

QString TReplaceIndex::ValueIn(const QStringList& AReplaceList, QStringView AName) {
    for (const QString& line : AReplaceList) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0 && SameName(AName, QStringView(line).first(equals))) return line.sliced(equals + 1);
    }
    return QString();
}

} // namespace Wrenfold
