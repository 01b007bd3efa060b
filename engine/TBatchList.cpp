#include "engine/TBatchList.h"

#include <algorithm>

namespace Wrenfold {

void TBatchList::SetChecked(int AIndex, bool AValue) {
    if (FEntries[AIndex].Checked == AValue) return;
    FEntries[AIndex].Checked = AValue;
    emit CheckedChanged(AIndex, AValue);
}

void TBatchList::SetAllChecked(bool AValue) {
    for (TEntry& entry : FEntries)
        entry.Checked = AValue;
    emit Reset();
}

bool TBatchList::AnyChecked() const {
    return std::any_of(FEntries.begin(), FEntries.end(), [](const TEntry& e) { return e.Checked; });
}

void TBatchList::Clear() {
    FEntries.clear();
    emit Reset();
}

void TBatchList::SetEntries(const QStringList& ATexts) {
    FEntries.clear();
    FEntries.reserve(ATexts.size());
    for (const QString& text : ATexts)
        FEntries.append({text, true});
    emit Reset();
}

} // namespace Wrenfold
