#include "engine/TExpansionTrail.h"

#include <algorithm>

namespace Wrenfold {

namespace {

bool SameKey(const QString& A, const QString& B) {
    return A.constData() == B.constData() || A == B;
}

// True when AKeys begins with every key of APrefix, in order.
template <typename TKeys> bool IsPrefixOf(const TKeys& APrefix, const TKeys& AKeys) {
    if (APrefix.size() > AKeys.size()) return false;
    for (qsizetype i = 0; i < APrefix.size(); ++i)
        if (!SameKey(APrefix[i], AKeys[i])) return false;
    return true;
}

// AKey.compare(AOther, ACase) == 0, with a quick answer for the usual short ASCII keys.
bool KeyEquals(const QString& AKey, QStringView AOther, Qt::CaseSensitivity ACase) {
    if (AKey.size() != AOther.size()) return false; // folding keeps the number of units
    for (qsizetype i = 0; i < AKey.size(); ++i) {
        const char16_t a = AKey[i].unicode(), b = AOther[i].unicode();
        if (a == b) continue;
        if (ACase == Qt::CaseSensitive) return false;
        if (a >= 0x80 || b >= 0x80) return QStringView(AKey).sliced(i).compare(AOther.sliced(i), ACase) == 0;
        if ((a | 0x20) != (b | 0x20) || (a | 0x20) < u'a' || (a | 0x20) > u'z') return false;
    }
    return true;
}

} // namespace

bool TExpansionTrail::Produced(qsizetype APosition, qsizetype ALength, QStringView AKey,
                               Qt::CaseSensitivity ACase) const {
    // Of the stretches holding the text, the newest came from text inside all the others and
    // inherited their keys: its keys are the whole chain.
    const qsizetype end = APosition + std::max<qsizetype>(ALength, 1);
    for (auto s = FStretches.rbegin(); s != FStretches.rend(); ++s)
        if (s->Start <= APosition && end <= s->End)
            return std::any_of(s->Keys.begin(), s->Keys.end(),
                               [&](const QString& key) { return KeyEquals(key, AKey, ACase); });
    return false;
}

QStringList TExpansionTrail::ChainAt(qsizetype APosition, qsizetype ALength) const {
    const qsizetype end = APosition + std::max<qsizetype>(ALength, 1);
    QStringList chain;
    for (const TStretch& s : FStretches)
        if (s.Start <= APosition && end <= s.End && s.Keys.size() > chain.size()) chain = s.Keys;
    return chain;
}

void TExpansionTrail::Replace(qsizetype APosition, qsizetype ARemoved, qsizetype AInserted,
                              const QString& AKey) {
    const qsizetype removedEnd = APosition + ARemoved;
    const qsizetype delta = AInserted - ARemoved;
    // The new text inherits the keys of every stretch that holds the whole removed text. A marker
    // or statement made partly of other text (a value's "$P" joined with the "(name)" after it)
    // was not produced by one expansion alone, so it does not lead back to it. Nested stretches
    // hold their outer ones' keys first, so the newest one's keys usually hold all the others.
    TKeys keys;
    for (auto s = FStretches.rbegin(); s != FStretches.rend(); ++s) {
        if (!(s->Start <= APosition && removedEnd <= s->End)) continue;
        if (keys.isEmpty()) {
            keys = s->Keys;
        } else if (!IsPrefixOf(s->Keys, keys)) {
            for (const QString& key : std::as_const(s->Keys))
                if (!keys.contains(key)) keys.append(key);
        }
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < FStretches.size(); ++i) {
        TStretch& s = FStretches[i];
        if (s.Start >= removedEnd) {
            s.Start += delta;
            s.End += delta;
        } else if (s.End > APosition) {
            // The stretch overlaps the removed text: it keeps what lies outside it, and the
            // inserted text when it encloses the removed text.
            const bool encloses = s.Start <= APosition && s.End >= removedEnd;
            const qsizetype start = std::min(s.Start, APosition);
            const qsizetype end =
                s.End >= removedEnd ? s.End + delta : (encloses ? APosition + AInserted : APosition);
            if (end <= start) continue;
            s.Start = start;
            s.End = end;
        }
        if (kept != i) FStretches[kept] = std::move(s);
        ++kept;
    }
    FStretches.resize(kept);
    keys.append(AKey);
    if (AInserted > 0) FStretches.push_back({APosition, APosition + AInserted, std::move(keys)});
}

void TExpansionTrail::ForgetBefore(qsizetype APosition) {
    std::erase_if(FStretches, [&](const TStretch& s) { return s.End <= APosition; });
}

} // namespace Wrenfold
