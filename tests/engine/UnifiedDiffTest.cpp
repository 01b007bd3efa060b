// Unified diffs of an output against the file on disk.
#include "engine/UnifiedDiff.h"

#include <gtest/gtest.h>

using namespace Wrenfold;

namespace {

QStringList Numbers(int ACount) {
    QStringList lines;
    for (int i = 1; i <= ACount; ++i)
        lines.append(QString::number(i));
    return lines;
}

QStringList With(QStringList ALines, int AIndex, const QString& AText) {
    ALines[AIndex] = AText;
    return ALines;
}

} // namespace

TEST(UnifiedDiff, HunksCarryThreeLinesOfContextAndMergeWhenClose) {
    const QStringList twenty = Numbers(20);
    struct TCase {
        const char* Name;
        QStringList Old, New;
        QString Hunks; // after the two header lines
    } cases[] = {
        {"equal", twenty, twenty, ""},
        {"one change", twenty, With(twenty, 9, "x"), "@@ -7,7 +7,7 @@\n 7\n 8\n 9\n-10\n+x\n 11\n 12\n 13\n"},
        // Six unchanged lines between two changes still join them; seven part them.
        {"six apart", twenty, With(With(twenty, 2, "a"), 9, "b"),
         "@@ -1,13 +1,13 @@\n 1\n 2\n-3\n+a\n 4\n 5\n 6\n 7\n 8\n 9\n-10\n+b\n 11\n 12\n 13\n"},
        {"seven apart", twenty, With(With(twenty, 1, "a"), 9, "b"),
         "@@ -1,5 +1,5 @@\n 1\n-2\n+a\n 3\n 4\n 5\n@@ -7,7 +7,7 @@\n 7\n 8\n 9\n-10\n+b\n 11\n 12\n 13\n"},
        {"inserted first", {"b", "c"}, {"a", "b", "c"}, "@@ -1,2 +1,3 @@\n+a\n b\n c\n"},
        {"all removed", {"a", "b"}, {}, "@@ -1,2 +0,0 @@\n-a\n-b\n"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString diff = UnifiedDiff(c.Old, c.New, "old", "new");
        EXPECT_EQ(diff, c.Hunks.isEmpty() ? QString() : "--- old\n+++ new\n" + c.Hunks);
    }
}
