// The library's start-up and shutdown: the order of its steps as the hooks see it, the state it
// leaves for the program, and a start-up that fails half way.
#include "Tessel/UKestDefs/Metrics.h"
#include "Tessel/UKestLibrary/Cancel.h"
#include "Tessel/UKestLibrary/Debug.h"
#include "Tessel/UKestLibrary/Status.h"
#include "Tessel/UKestLibrary/Stopwatch.h"
#include "Tessel/UKestLibrary/UserLevels.h"
#include "Tessel/UKestRegistry.h"
#include "Tessel/UKestStartup.h"
#include "Tessel/UKestTesselNotifications.h"
#include "Tessel/UKestWaypoints.h"
#include "support/PrintTo.h"
#include "support/TLibraryHooksGuard.h"
#include "support/UnderPrivateRegistry.h"
#include "tessel/ScriptedClock.h"

#include <gtest/gtest.h>

using namespace Tessel;
using namespace Qt::Literals::StringLiterals;

namespace {

// Writes what it is told into the journal.
class TJournalClient : public TKestImplements<IKestTesselNotifications> {
public:
    explicit TJournalClient(QStringList& AJournal) : TKestImplements(true), FJournal(AJournal) {}
    void AfterChangedUserLevel(TUserLevel AUserLevel) override {
        FJournal.append(u"level %1"_s.arg(int(AUserLevel)));
    }
    void AfterChangedOfflineState(bool AIsOffline) override {
        FJournal.append(u"offline %1"_s.arg(AIsOffline));
    }

private:
    QStringList& FJournal;
};

// A private registry whose waypoints master switch is on; messages, questions (answered No), events
// and registry trace lines go into one journal in the order they come.
class StartupTest : public UnderPrivateRegistry {
protected:
    void SetUp() override {
        UnderPrivateRegistry::SetUp();
        WriteRegKeyBool(WaypointsEnabledPath, true, true);
        ShowMsgHook = [this](const QString& AText, int32_t, int32_t) {
            Journal.append(u"message: "_s + AText);
        };
        ConfirmHook = [this](const QString& AText, int32_t, bool) {
            Journal.append(u"question: "_s + AText);
            return false;
        };
        LogEventHook = [this](const QString&, const TKestEventDef& ADef, const QStringList&) {
            Journal.append(u"event: "_s + ADef.Text);
        };
        DebugOutputProc = [this](const QString& ALine) {
            Journal.append(u"trace: "_s + ALine.mid(ALine.indexOf(u"access \""_s) + 8).section(u'"', 0, 0));
        };
    }
    void TearDown() override {
        KestLibraryShutdown();
        RegLogging = false;
        OfflineState = false;
        DesignerOverride = false;
        SlowStatusUpdateMs = 0;
        UnderPrivateRegistry::TearDown();
    }
    // Starts with the arguments, with a client of the notification hub listening.
    void Start(const QStringList& AArguments) {
        TesselNotifications().AddNotificationClient(
            TInterfaceRef<IKestTesselNotifications>(new TJournalClient(Journal)));
        KestLibraryStartup(AArguments);
    }

    QStringList Journal;

private:
    TLibraryHooksGuard FHooks; // last, so the hooks go before the members they write into
};

const QString RegLoggingAnnouncement =
    u"message: 'Registry activity logging' - this feature has been enabled by '/RegLogging' found on the command line."_s;
const QString SlowAnnouncement =
    u"message: Forces a programmable slow status update set by '/SlowStatusUpdate=%1' found on the command line."_s;
const QString Question = u"question: Waypoints are enabled. Disable them now?"_s;

} // namespace

TEST_F(StartupTest, StepsRunInOrderWithTheSwitchesOfTheCommandLine) {
    const struct {
        QStringList Arguments;
        QStringList Journal;
        bool Online;
        int32_t SlowStatusUpdate;
        TUserLevel Level;
    } cases[] = {
        {{}, {Question}, true, 0, ulOperator},
        {{u"/reglogging"_s},
         {RegLoggingAnnouncement, u"trace: ReadRegKeyBool"_s, u"trace: ReadRegKeyNames"_s, Question},
         true,
         0,
         ulOperator},
        {{u"/Demo"_s}, {Question, u"offline 1"_s}, false, 0, ulOperator},
        {{u"project.wfmconfig"_s, u"/UL=S"_s, u"/SlowStatusUpdate=250"_s, u"/OFFLINE"_s},
         {Question, u"offline 1"_s, SlowAnnouncement.arg(u"250"_s), u"event: User level changed"_s,
          u"level 1"_s},
         false,
         250,
         ulSupervisor},
        {{u"/SlowStatusUpdate=x"_s},
         {Question, SlowAnnouncement.arg(u"x"_s),
          u"message: Error in command line integer value \"/SlowStatusUpdate\""_s},
         true,
         0,
         ulOperator},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.Arguments.join(u' ')));
        Journal.clear();
        Start(c.Arguments);
        EXPECT_EQ(c.Journal, Journal);
        EXPECT_EQ(c.Online, IsOnline());
        EXPECT_EQ(c.SlowStatusUpdate, SlowStatusUpdateMs);
        EXPECT_EQ(c.Level, GetCurrentUserLevel());
        EXPECT_EQ(c.Arguments.contains(u"/reglogging"_s), RegLogging);
        EXPECT_TRUE(Waypoints && StatusInfo && CancelHandler && GlobalStopwatch && Metrics());

        KestLibraryShutdown();
        EXPECT_FALSE(Waypoints || StatusInfo || CancelHandler || GlobalStopwatch);
        EXPECT_TRUE(ReadRegKeyBool(WaypointsEnabledPath, false, true)) << "answered No: still on";
        RegLogging = false;
        SetOffline(false);
        SlowStatusUpdateMs = 0;
    }
}

TEST_F(StartupTest, AFailingStepEndsTheStartUpAndWhatRanIsShutDown) {
    TScriptedClock noTimer(1, 0);
    Waypoints = nullptr;
    try {
        KestLibraryStartup({u"/DEMO"_s});
        FAIL() << "no exception";
    } catch (const EKestLibrary& e) {
        EXPECT_EQ(u"No high resolution timer found"_s, e.Message());
    }
    EXPECT_EQ(QStringList{Question}, Journal);
    EXPECT_TRUE(IsOnline()) << "the steps after the failing one did not run";
    EXPECT_FALSE(Waypoints || StatusInfo || CancelHandler || GlobalStopwatch);
    EXPECT_TRUE(ReadRegKeyBool(WaypointsEnabledPath, false, true)) << "the waypoints were saved";
}

TEST(DebuggerTest, ATracerIsSeenInTheProcessStatus) {
    // Run under a debugger this is true; under the test runner it is not.
    QFile status(u"/proc/self/status"_s);
    ASSERT_TRUE(status.open(QIODevice::ReadOnly));
    const bool traced = !status.readAll().contains("TracerPid:\t0\n");
    EXPECT_EQ(traced, DebuggerAttached());
}
