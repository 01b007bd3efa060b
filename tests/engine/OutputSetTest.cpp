// Reading a configuration's outputs and targets, and merging replace entries.
#include "support/ErrorOf.h"
#include "support/PrintTo.h"

#include "engine/TOutputSet.h"

#include "Tessel/Rtl/Exception.h"
#include "Tessel/UKestIniFiles.h"

#include <gtest/gtest.h>

using namespace Wrenfold;

TEST(OutputSet, EntriesTakeThePlaceOfTheirNamesAndMayExtendThem) {
    const QStringList shared = {"Suffix=160", "Defines=DEBUG;$(DCC_Define)", "Name=Core"};
    const struct {
        QStringList Entries, Expected;
    } cases[] = {
        {{"suffix=290", "Extra=1"}, {"suffix=290", "Defines=DEBUG;$(DCC_Define)", "Name=Core", "Extra=1"}},
        {{"Defines=D12;$replace(DEFINES)"}, {"Suffix=160", "Defines=D12;DEBUG;$(DCC_Define)", "Name=Core"}},
        // Another entry's $REPLACE( is left for the run; a line without "=" is passed over.
        {{"Name=$REPLACE(Suffix)x", "no equals"},
         {"Suffix=160", "Defines=DEBUG;$(DCC_Define)", "Name=$REPLACE(Suffix)x"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MergedReplaceEntries(shared, c.Entries), c.Expected) << c.Entries.join('|').toStdString();
}

TEST(OutputSet, AMalformedSectionIsRefused) {
    const struct {
        QStringList Config;
        QString Message;
    } cases[] = {
        {{"[Outputs]", "a.dproj"},
         "Output line \"a.dproj\" of section [Outputs] wants OUTPUT=TEMPLATE: a path and a template"},
        {{"[Outputs]", "=T"},
         "Output line \"=T\" of section [Outputs] wants OUTPUT=TEMPLATE: a path and a template"},
        {{"[Outputs]", "; none"}, "Section [Outputs] names no output"},
        {{"[Outputs]", "a=T", "[Targets]", "XE2", "xe2"},
         "Target \"xe2\" is listed twice in section [Targets]"},
    };
    for (const auto& c : cases) {
        Tessel::TKestMemIniFile ini(QString(), true);
        ini.SetStrings(c.Config);
        EXPECT_EQ(ErrorOf<Tessel::Exception>([&] { ReadOutputSet(ini); }), c.Message);
    }
}
