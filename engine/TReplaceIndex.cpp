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

constexpr std::size_t HashStart = 14695981039346656037ull;
std::size_t HashStep(std::size_t AHash, char16_t AUnit) {
    return (AHash ^ AUnit) * 1099511628211ull;
}

// A hash of the folded name. Plain ASCII names, the usual ones, are folded as they are hashed;
// others are hashed from a folded copy.
std::size_t FoldedHash(QStringView AName) {
    std::size_t hash = HashStart;
    for (QChar c : AName) {
        char16_t unit = c.unicode();
        if (unit >= 0x80) {
            hash = HashStart;
            for (QChar folded : Folded(AName))
                hash = HashStep(hash, folded.unicode());
            return hash;
        }
        if (unit >= u'A' && unit <= u'Z') unit += 32;
        hash = HashStep(hash, unit);
    }
    return hash;
}

} // namespace

TReplaceIndex::TReplaceIndex(const QStringList& AReplaceList) : FLines(AReplaceList) {
    std::size_t slotCount = 8;
    while (slotCount < std::size_t(FLines.size()) * 2)
        slotCount *= 2;
    FSlots.assign(slotCount, 0);
    FEntries.reserve(FLines.size());
    for (const QString& line : std::as_const(FLines)) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0) continue;
        const QStringView name = QStringView(line).first(equals);
        const std::size_t hash = FoldedHash(name);
        std::size_t slot = hash & (slotCount - 1);
        bool known = false;
        for (; FSlots[slot] != 0 && !known; slot = (slot + 1) & (slotCount - 1)) {
            const TEntry& entry = FEntries[FSlots[slot] - 1];
            known = entry.Hash == hash && SameName(name, entry.Name);
        }
        if (known) continue; // the first line of a name wins
        FEntries.push_back({name, QStringView(line).sliced(equals + 1), hash});
        FSlots[slot] = int(FEntries.size());
    }
}

QStringView TReplaceIndex::Value(QStringView AName) const {
    const std::size_t hash = FoldedHash(AName);
    const std::size_t mask = FSlots.size() - 1;
    for (std::size_t slot = hash & mask; FSlots[slot] != 0; slot = (slot + 1) & mask) {
        const TEntry& entry = FEntries[FSlots[slot] - 1];
        if (entry.Hash == hash && SameName(AName, entry.Name)) return entry.Value;
    }
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
