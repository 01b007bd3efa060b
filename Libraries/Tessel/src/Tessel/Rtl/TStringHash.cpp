#include "Tessel/Rtl/TStringHash.h"

#include <algorithm>

namespace Tessel {

uint32_t TStringHash::HashOf(const QString& AKey) {
    uint32_t hash = 0;
    for (const QChar c : AKey)
        hash = ((hash << 2) | (hash >> 30)) ^ c.unicode();
    return hash;
}

void TStringHash::Add(const QString& AKey, int AValue) {
    FBuckets[BucketOf(AKey)].push_front(TItem{AKey, AValue});
}

void TStringHash::Clear() {
    for (TChain& chain : FBuckets)
        chain.clear();
}

void TStringHash::Remove(const QString& AKey) {
    TChain& chain = FBuckets[BucketOf(AKey)];
    for (auto before = chain.before_begin(), it = chain.begin(); it != chain.end(); before = it++) {
        if (it->Key == AKey) {
            chain.erase_after(before);
            return;
        }
    }
}

bool TStringHash::Modify(const QString& AKey, int AValue) {
    TChain& chain = FBuckets[BucketOf(AKey)];
    const auto it =
        std::find_if(chain.begin(), chain.end(), [&](const TItem& AItem) { return AItem.Key == AKey; });
    if (it == chain.end()) return false;
    it->Value = AValue;
    return true;
}

int TStringHash::ValueOf(const QString& AKey) const {
    for (const TItem& item : FBuckets[BucketOf(AKey)])
        if (item.Key == AKey) return item.Value;
    return -1;
}

} // namespace Tessel
