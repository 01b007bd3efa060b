#include "engine/TExpansionTrail.h"

#include <algorithm>

namespace Wrenfold {

bool TExpansionTrail::Produced(qsizetype APosition, QStringView AKey, Qt::CaseSensitivity ACase) const {
    return std::any_of(FStretches.begin(), FStretches.end(), [&](const TStretch& s) {
        return s.Start <= APosition && APosition < s.End && s.Keys.contains(AKey, ACase);
    });
}

QStringList TExpansionTrail::ChainAt(qsizetype APosition) const {
    QStringList chain;
    for (const TStretch& s : FStretches)
        if (s.Start <= APosition && APosition < s.End && s.Keys.size() > chain.size()) chain = s.Keys;
    return chain;
}

void TExpansionTrail::Replace(qsizetype APosition, qsizetype ARemoved, qsizetype AInserted, const QString& AKey) {
    const qsizetype removedEnd = APosition + ARemoved;
    const qsizetype delta = AInserted - ARemoved;
    QStringList keys;
    std::vector<TStretch> kept;
    kept.reserve(FStretches.size() + 1);
    for (TStretch s : FStretches) {
        const bool touches = s.Start < removedEnd && APosition < s.End;
        if (touches)
            for (const QString& key : s.Keys)
                if (!keys.contains(key)) keys.append(key);
        if (s.End <= APosition) {
            kept.push_back(std::move(s));
            continue;
        }
        if (s.Start >= removedEnd) {
            s.Start += delta;
            s.End += delta;
        } else {
            // The stretch overlaps the removed text: it keeps what lies outside it, and the
            // inserted text when it encloses the removed text.
            const bool encloses = s.Start <= APosition && s.End >= removedEnd;
            const qsizetype start = std::min(s.Start, APosition);
            const qsizetype end = s.End >= removedEnd ? s.End + delta : (encloses ? APosition + AInserted : APosition);
            if (end <= start) continue;
            s.Start = start;
            s.End = end;
        }
        kept.push_back(std::move(s));
    }
    keys.append(AKey);
    if (AInserted > 0) kept.push_back({APosition, APosition + AInserted, keys});
    FStretches = std::move(kept);
}

void TExpansionTrail::ForgetBefore(qsizetype APosition) {
    std::erase_if(FStretches, [&](const TStretch& s) { return s.End <= APosition; });
}

} // namespace Wrenfold
