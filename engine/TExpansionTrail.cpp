#include "engine/TExpansionTrail.h"

#include <algorithm>

namespace Wrenfold {

bool TExpansionTrail::Produced(qsizetype APosition, QStringView AKey, Qt::CaseSensitivity ACase) const {
    return std::any_of(FStretches.begin(), FStretches.end(), [&](const TStretch& s) {
        return s.Start <= APosition && APosition < s.End &&
               std::any_of(s.Keys.begin(), s.Keys.end(),
                           [&](const QString& key) { return key.compare(AKey, ACase) == 0; });
    });
}

QStringList TExpansionTrail::ChainAt(qsizetype APosition) const {
    QStringList chain;
    for (const TStretch& s : FStretches)
        if (s.Start <= APosition && APosition < s.End && s.Keys.size() > chain.size())
            chain = QStringList(s.Keys.begin(), s.Keys.end());
    return chain;
}

void TExpansionTrail::Replace(qsizetype APosition, qsizetype ARemoved, qsizetype AInserted, const QString& AKey) {
    const qsizetype removedEnd = APosition + ARemoved;
    const qsizetype delta = AInserted - ARemoved;
    TKeys keys;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < FStretches.size(); ++i) {
        TStretch& s = FStretches[i];
        const bool touches = s.Start < removedEnd && APosition < s.End;
        if (touches)
            for (const QString& key : std::as_const(s.Keys))
                if (!keys.contains(key)) keys.append(key);
        if (s.Start >= removedEnd) {
            s.Start += delta;
            s.End += delta;
        } else if (s.End > APosition) {
            // The stretch overlaps the removed text: it keeps what lies outside it, and the
            // inserted text when it encloses the removed text.
            const bool encloses = s.Start <= APosition && s.End >= removedEnd;
            const qsizetype start = std::min(s.Start, APosition);
            const qsizetype end = s.End >= removedEnd ? s.End + delta : (encloses ? APosition + AInserted : APosition);
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
