// Template blocks repeated for each output of a kind.
#include "support/ErrorOf.h"
#include "support/PrintTo.h"

#include "engine/TRepeatBlocks.h"

#include "Tessel/Rtl/Exception.h"

#include <gtest/gtest.h>

using namespace Wrenfold;

namespace {

const std::vector<TRepeatItem> Items = {{"Core", "Core.dproj", "XE2\\Core.dproj"},
                                        {"Core", "Core.dpk", "XE2\\Core.dpk"},
                                        {"Design", "Design.dproj", "XE2\\Design.dproj"}};

} // namespace

TEST(RepeatBlocks, BlocksRepeatForTheItemsOfTheirKindInOrder) {
    const struct {
        QStringList Template, Expected;
    } cases[] = {
        {{"<G>", "  $EACH(.dproj)  ", "  <P Include=\"$E(PATH)\"/>", "  <N>$E(NAME)</N>", "$END", "</G>"},
         {"<G>", "  <P Include=\"XE2\\Core.dproj\"/>", "  <N>Core</N>",
          "  <P Include=\"XE2\\Design.dproj\"/>", "  <N>Design</N>", "</G>"}},
        {{"T=\"$EACH(.DPROJ,;)$E(NAME):Make$END\" and $EACH(*, )$E(FILE)$END"},
         {"T=\"Core:Make;Design:Make\" and Core.dproj Core.dpk Design.dproj"}},
        // A kind no output has: the block goes, the inline one leaves nothing.
        {{"a", "$EACH(.groupproj)", "x", "$END", "[$EACH(.rc,;)$E(NAME)$END]"}, {"a", "[]"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandRepeatBlocks(c.Template, Items), c.Expected) << c.Template.join('|').toStdString();
    EXPECT_FALSE(HoldsRepeatBlocks({"$E(NAME)", "$END"}));
}

TEST(RepeatBlocks, AMalformedBlockNamesItsLine) {
    const struct {
        QStringList Template;
        QString Message;
    } cases[] = {
        {{"a", "$EACH(.dproj)", "x"}, "Template line 2: $EACH( is not closed by a line $END"},
        {{"$EACH(.dproj)", "$EACH(.dpk)", "$END"}, "Template line 2: $EACH( inside another"},
        {{"x $EACH(.dproj) y"}, "Template line 1: $EACH( is not closed by $END"},
        {{"$EACH()", "$END"}, "Template line 1: $EACH() names no kind (\".dproj\", or \"*\")"},
        {{"ok", "$END"}, "Template line 2: $END outside an $EACH( block"},
        {{"$E(NAME)"}, "Template line 1: $E( outside an $EACH( block"},
        {{"$EACH(*)", "$E(GUID)", "$END"},
         "Template line 2: unknown name \"GUID\" in $E() (NAME, FILE or PATH)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorOf<Tessel::Exception>([&] { ExpandRepeatBlocks(c.Template, Items); }), c.Message)
            << c.Template.join('|').toStdString();
}
