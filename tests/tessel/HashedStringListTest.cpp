// THashedStringList: hashed IndexOf/IndexOfName, highest index wins, and look-ups that follow every change.
#include "Tessel/Rtl/THashedStringList.h"

#include "Tessel/Rtl/Exception.h"

#include <gtest/gtest.h>

using Tessel::THashedStringList;

TEST(HashedStringListTest, LookUpsFindTheHighestMatchingIndex) {
    const THashedStringList list(
        QStringList{"a=1", "B", "A=2", "b", "k =3", "=4", "x=y=z", "\u00e9=5", "stra\u00dfe"});
    const struct {
        bool ByName;
        QString Key;
        int Index;
    } cases[] = {
        {true, "A", 2},         {true, "a", 2},  {false, "B", 3},
        {false, "a=1", 0},      {true, "B", -1}, // entries without "=" have no name
        {true, "k", -1},        {true, "k ", 4}, // names are not trimmed
        {true, "", 5},          {true, "x", 6},  {false, "X=Y=Z", 6},
        {true, "\u00c9", 7},    // upper-casing covers more than ASCII
        {false, "STRASSE", -1}, // ... one character for one
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.ByName ? list.IndexOfName(c.Key) : list.IndexOf(c.Key), c.Index)
            << (c.ByName ? "IndexOfName " : "IndexOf ") << c.Key.toStdString();
}

TEST(HashedStringListTest, LookUpsFollowEveryChange) {
    THashedStringList list(QStringList{"a=1", "b=2"});
    ASSERT_EQ(list.IndexOfName("b"), 1); // builds the tables
    ASSERT_EQ(list.IndexOf("c"), -1);

    list.Add("c");
    EXPECT_EQ(list.IndexOf("c"), 2);
    list.Insert(0, "z=0");
    EXPECT_EQ(list.IndexOfName("b"), 2);
    EXPECT_EQ(list.IndexOf("C"), 3);
    list.Delete(1);
    EXPECT_EQ(list.IndexOfName("a"), -1);
    EXPECT_EQ(list.IndexOfName("b"), 1);
    list.SetString(1, "a=9");
    EXPECT_EQ(list.IndexOfName("b"), -1);
    EXPECT_EQ(list.IndexOf("A=9"), 1);
    list.Exchange(0, 1);
    EXPECT_EQ(list.IndexOfName("a"), 0);
    EXPECT_EQ(list.IndexOfName("z"), 1);

    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOfName("A"), -1);
    EXPECT_EQ(list.IndexOf("C"), -1);
    EXPECT_EQ(list.IndexOf("c"), 2);
    list.SetCaseSensitive(false);
    EXPECT_EQ(list.IndexOfName("A"), 0);

    list.Clear();
    EXPECT_EQ(list.IndexOfName("a"), -1);
    EXPECT_EQ(list.IndexOf("c"), -1);
}

TEST(HashedStringListTest, KeepsObjectsWithTheirEntriesAndRejectsBadIndices) {
    int first = 0, second = 0;
    THashedStringList list;
    list.Add("one", &first);
    list.Add("two", &second);
    list.Exchange(0, 1);
    EXPECT_EQ(list.Objects(0), &second);
    list.SetString(0, "renamed");
    EXPECT_EQ(list.Objects(0), &second);
    list.Insert(2, "end");
    EXPECT_EQ(list.ToStringList(), (QStringList{"renamed", "one", "end"}));
    EXPECT_EQ(list.Objects(2), nullptr);

    EXPECT_THROW(list.Delete(3), Tessel::Exception);
    EXPECT_THROW(list.Insert(4, "x"), Tessel::Exception);
    EXPECT_THROW(list.Exchange(-1, 0), Tessel::Exception);
}
