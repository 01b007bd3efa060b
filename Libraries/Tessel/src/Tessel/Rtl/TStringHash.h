// A fixed-size hash table from string keys to integer values, with chains searched newest first.
#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <forward_list>

namespace Tessel {

// 256 buckets; a new item goes to the head of its bucket's chain, and look-ups walk the chain from
// the head, so among equal keys the one added last is found. Keys are compared exactly.
class TStringHash {
public:
    static constexpr int BucketCount = 256;

    // Starts at 0; per UTF-16 code unit c: ((hash << 2) | (hash >> 30)) ^ c, in 32-bit unsigned arithmetic.
    static uint32_t HashOf(const QString& AKey);

    void Add(const QString& AKey, int AValue);
    void Clear();
    // Unlinks the first item whose key equals AKey, if any.
    void Remove(const QString& AKey);
    // Changes the value of the first item whose key equals AKey; false when there is none.
    bool Modify(const QString& AKey, int AValue);
    // The value of the first item whose key equals AKey, or -1.
    int ValueOf(const QString& AKey) const;

private:
    struct TItem {
        QString Key;
        int Value;
    };
    using TChain = std::forward_list<TItem>;

    static TChain::size_type BucketOf(const QString& AKey) { return HashOf(AKey) % BucketCount; }

    std::array<TChain, BucketCount> FBuckets;
};

} // namespace Tessel
