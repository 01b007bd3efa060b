// TStringHash: the fixed hash function, bucket chains searched newest first, removal and update.
#include "Tessel/Rtl/TStringHash.h"

#include <gtest/gtest.h>

using Tessel::TStringHash;

TEST(StringHashTest, HashFunctionRotatesLeftByTwoAndXorsEachCodeUnit) {
    const struct {
        QString Key;
        uint32_t Hash;
    } cases[] = {
        {QString(), 0},
        {QStringLiteral("A"), 65},
        {QStringLiteral("AB"), 326},
        {QStringLiteral("InputName"), 5518401},
        // 26 characters: bits shifted out at the top come back at the bottom.
        {QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), 1821726023},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TStringHash::HashOf(c.Key), c.Hash) << c.Key.toStdString();
}

TEST(StringHashTest, ChainIsSearchedFromTheNewestItem) {
    // "A" and "InputName" share bucket 65.
    ASSERT_EQ(TStringHash::HashOf(QStringLiteral("A")) % 256,
              TStringHash::HashOf(QStringLiteral("InputName")) % 256);
    TStringHash hash;
    hash.Add(QStringLiteral("A"), 1);
    hash.Add(QStringLiteral("InputName"), 2);
    hash.Add(QStringLiteral("A"), 3);

    EXPECT_EQ(hash.ValueOf(QStringLiteral("A")), 3);
    EXPECT_EQ(hash.ValueOf(QStringLiteral("InputName")), 2);
    EXPECT_EQ(hash.ValueOf(QStringLiteral("a")), -1); // keys compare exactly

    hash.Remove(QStringLiteral("A")); // unlinks the newest "A" only
    EXPECT_EQ(hash.ValueOf(QStringLiteral("A")), 1);
    EXPECT_TRUE(hash.Modify(QStringLiteral("A"), 9));
    EXPECT_EQ(hash.ValueOf(QStringLiteral("A")), 9);
    hash.Remove(QStringLiteral("A"));
    EXPECT_EQ(hash.ValueOf(QStringLiteral("A")), -1);
    EXPECT_FALSE(hash.Modify(QStringLiteral("A"), 5));
    EXPECT_EQ(hash.ValueOf(QStringLiteral("InputName")), 2);

    hash.Clear();
    EXPECT_EQ(hash.ValueOf(QStringLiteral("InputName")), -1);
}
