// The record of which expansion produced which stretch of a line.
#include <gtest/gtest.h>

#include "engine/TExpansionTrail.h"

using namespace Wrenfold;

TEST(ExpansionTrail, NewTextInheritsTheKeysOfWhatHeldAllTheTextItReplaced) {
    TExpansionTrail trail;
    // Nested: A's value holds B's statement, B's value holds C's; then plain text at 10.
    trail.Replace(0, 1, 6, "A");
    trail.Replace(1, 1, 4, "B");
    trail.Replace(2, 1, 2, "C");
    trail.Replace(20, 1, 2, "E");
    EXPECT_EQ(trail.ChainAt(2), (QStringList{"A", "B", "C"}));
    EXPECT_TRUE(trail.Produced(2, 1, u"b", Qt::CaseInsensitive));
    EXPECT_FALSE(trail.Produced(2, 1, u"b"));
    EXPECT_EQ(trail.ChainAt(20), QStringList{"E"});
    EXPECT_TRUE(trail.ChainAt(15).isEmpty());

    // Text made partly of A's expansion and partly of the line after it came from neither alone.
    trail.Replace(7, 4, 1, "F");
    EXPECT_EQ(trail.ChainAt(7), QStringList{"F"});
    EXPECT_FALSE(trail.Produced(7, 1, u"A"));
    // Text wholly inside C's stretch inherits the whole chain.
    trail.Replace(2, 1, 1, "G");
    EXPECT_EQ(trail.ChainAt(2), (QStringList{"A", "B", "C", "G"}));

    // Forgetting the stretches on the left moves the others up whole.
    trail.ForgetBefore(12);
    EXPECT_TRUE(trail.ChainAt(2).isEmpty());
    EXPECT_EQ(trail.ChainAt(17), QStringList{"E"});
    EXPECT_TRUE(trail.Produced(18, 1, u"E"));
}
