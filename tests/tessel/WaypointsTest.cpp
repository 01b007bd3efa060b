// Waypoints through a load, use and save cycle in a private registry, and the start-up question.
#include "Tessel/UKestDefs/Exceptions.h"
#include "Tessel/UKestLibrary/Debug.h"
#include "Tessel/UKestLibrary/FloatFormatting.h"
#include "Tessel/UKestRegistry.h"
#include "Tessel/UKestWaypoints.h"
#include "support/ErrorOf.h"
#include "support/PrintTo.h"
#include "support/TLibraryHooksGuard.h"
#include "support/UnderPrivateRegistry.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Tessel;
using namespace Qt::Literals::StringLiterals;

namespace {

// A private registry; messages, events and questions are recorded, and questions answered by Answer.
class WaypointsTest : public UnderPrivateRegistry {
protected:
    void SetUp() override {
        UnderPrivateRegistry::SetUp();
        ShowMsgHook = [this](const QString& AText, int32_t, int32_t) { Shown.append(AText); };
        LogEventHook = [this](const QString& ASource, const TKestEventDef& ADef,
                              const QStringList& AStrings) {
            Events.append(u"%1 %2 %3: %4"_s.arg(ASource).arg(ADef.Id).arg(ADef.Text, AStrings.join(u'|')));
        };
        ConfirmHook = [this](const QString& AText, int32_t, bool ADefaultYes) {
            Asked.append(AText + (ADefaultYes ? u" [Yes]"_s : u" [No]"_s));
            return Answer;
        };
    }
    void TearDown() override { UnderPrivateRegistry::TearDown(); }
    static void Store(const QString& ASubkey, bool AEnabled) {
        WriteRegKeyBool(WaypointsKeyPath + ASubkey + u"\\Enabled"_s, AEnabled, true);
    }
    static QStringList StoredNames() {
        QStringList names;
        ReadRegKeyNames(WaypointsKeyPath, names, true);
        return names;
    }
    static bool StoredFlag(const QString& ASubkey) {
        return ReadRegKeyBool(WaypointsKeyPath + ASubkey + u"\\Enabled"_s, false, true);
    }

    QStringList Shown, Events, Asked;
    bool Answer = false;

private:
    TLibraryHooksGuard FHooks; // last, so the hooks go before the members they write into
};

class WaypointsStartUpQuestion : public WaypointsTest, public ::testing::WithParamInterface<bool> {};

} // namespace

TEST_F(WaypointsTest, ASetIsLoadedUsedAndSavedBackExactly) {
    WriteRegKeyBool(WaypointsEnabledPath, false, true);
    Store(u"Engine|BeforeWrite"_s, true);
    Store(u"Engine|Other"_s, false);
    auto waypoints = std::make_unique<TWaypoints>();
    EXPECT_TRUE(Asked.isEmpty()) << "no question while the master switch is off";
    EXPECT_EQ(1, waypoints->NumberOfWayPointsEnabled()) << "flags set while loading count";
    EXPECT_TRUE(waypoints->GetWaypointEnabled(u"engine\\BEFOREWRITE"_s)) << "letter case does not matter";

    // Master switch off: nothing is checked, added or shown.
    EXPECT_FALSE(waypoints->Waypoint(u"NoLevels"_s, true));
    EXPECT_FALSE(waypoints->Waypoint(u"Engine\\BeforeWrite"_s, u"text"_s));
    EXPECT_FALSE(waypoints->Waypoint(u"New\\Unseen"_s, QVariant(1.5), u" V"_s));
    EXPECT_EQ(2, waypoints->Count());

    waypoints->SetWaypointsEnabled(true);
    EXPECT_EQ(u"Invalid waypoint name \"NoLevels\" - waypoint names should have at least 2 levels, eg "
              "\"Category1\\Waypoint2\" etc"_s,
              ErrorOf<EKestWaypoint>([&] { waypoints->Waypoint(u"NoLevels"_s, false); }));
    EXPECT_EQ(u"No waypoint of name \"Never\\Seen\""_s,
              ErrorOf<EKestWaypoint>([&] { waypoints->SetWaypointEnabled(u"Never\\Seen"_s, true); }));
    EXPECT_FALSE(waypoints->Waypoint(u"Asked\\About"_s, true)) << "a new name is added disabled";
    EXPECT_TRUE(waypoints->Waypoint(u"Engine\\BeforeWrite"_s, false)) << "no pause: the flag only";
    EXPECT_TRUE(Shown.isEmpty());
    EXPECT_TRUE(waypoints->Waypoint(u"Engine\\BeforeWrite"_s, QVariant(1.5), u" V"_s));
    EXPECT_TRUE(waypoints->Waypoint(u"Engine\\BeforeWrite"_s, true));
    // The number as "0.000/*/" formats it (three decimals, the multiplier's place kept blank).
    EXPECT_EQ((QStringList{u"Waypoint: Engine\\BeforeWrite\r\r"_s + FloatToString(1.5, u"0.000/*/"_s, true) +
                               u" V"_s,
                           u"Waypoint: Engine\\BeforeWrite"_s}),
              Shown);
    EXPECT_EQ(u"Application 1033 Waypoint: Waypoint: Engine\\BeforeWrite"_s, Events.value(1));

    waypoints->SetWaypointEnabled(u"ENGINE\\other"_s, true);
    EXPECT_EQ(2, waypoints->NumberOfWayPointsEnabled());
    THashedStringList list;
    waypoints->PopulateNameList(list);
    EXPECT_EQ((QStringList{u"Asked\\About"_s, u"Engine\\BeforeWrite"_s, u"Engine\\Other"_s}),
              list.ToStringList());
    EXPECT_EQ(waypoints->GetWaypoint(1), list.Objects(1));
    waypoints->DisableAllWaypoints();
    EXPECT_EQ(0, waypoints->NumberOfWayPointsEnabled());
    waypoints->SetWaypointEnabled(u"Engine\\Other"_s, true);

    Store(u"Written|Meanwhile"_s, true); // by another program: the save replaces the whole set
    waypoints->BeforeDestruction();
    waypoints.reset();
    EXPECT_EQ((QStringList{u"Asked|About"_s, u"Engine|BeforeWrite"_s, u"Engine|Other"_s}), StoredNames());
    EXPECT_TRUE(ReadRegKeyBool(WaypointsEnabledPath, false, true));
    EXPECT_FALSE(StoredFlag(u"Asked|About"_s));
    EXPECT_FALSE(StoredFlag(u"Engine|BeforeWrite"_s));
    EXPECT_TRUE(StoredFlag(u"Engine|Other"_s));
}

TEST_F(WaypointsTest, ASaveThatFailsLeavesTheStoredSetAsItWas) {
    Store(u"Engine|Kept"_s, true);
    TWaypoints waypoints;
    // The alias in this name cannot be expanded, so its path fails after the key was rewritten in part.
    waypoints.AddWaypoint(u"Zed\\%NoSuchAlias%"_s);
    EXPECT_EQ(u"Unrecognised alias \"NoSuchAlias\""_s,
              ErrorOf<EKestAlias>([&] { waypoints.SaveWaypoints(); }));
    EXPECT_EQ(QStringList{u"Engine|Kept"_s}, StoredNames());
    EXPECT_TRUE(StoredFlag(u"Engine|Kept"_s));
}

TEST_P(WaypointsStartUpQuestion, IsAskedWhenTheMasterSwitchIsOnAndYesSwitchesItOff) {
    WriteRegKeyBool(WaypointsEnabledPath, true, true);
    Answer = GetParam();
    InitWaypoints();
    ASSERT_NE(nullptr, Waypoints);
    EXPECT_EQ(QStringList{u"Waypoints are enabled. Disable them now? [No]"_s}, Asked);
    EXPECT_EQ(!Answer, Waypoints->GetWaypointsEnabled());
    FreeWaypoints();
    EXPECT_EQ(nullptr, Waypoints);
    EXPECT_EQ(!Answer, ReadRegKeyBool(WaypointsEnabledPath, Answer, true));
}

INSTANTIATE_TEST_SUITE_P(YesAndNo, WaypointsStartUpQuestion, ::testing::Bool());
