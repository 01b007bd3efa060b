// The high-resolution clock, the busy-wait delays and the stopwatch: most cases on a scripted clock,
// one on the real one with wide tolerances.
#include "Tessel/UKestLibrary/Stopwatch.h"
#include "Tessel/UKestDefs/Exceptions.h"
#include "Tessel/UKestLibrary/Debug.h"
#include "Tessel/UKestLibrary/FormatSettings.h"

#include "support/PrintTo.h"
#include "support/TLibraryHooksGuard.h"
#include "support/TUserFormatSettingsScope.h"
#include "tessel/ScriptedClock.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <chrono>

using namespace Tessel;

namespace {

constexpr double Ms = 1.0 / 86400000;
// A date-time near today resolves to about 0.6 microseconds, so intervals are exact to about 1.
constexpr double TolMs = 1e-3;

class StopwatchTest : public ::testing::Test {
protected:
    TUserFormatSettingsScope English{
        TFormatSettings::Create(QLocale(QLocale::English, QLocale::UnitedKingdom))};
    TScriptedClock Clock;
    TKestStopwatch Watch;

private:
    TLibraryHooksGuard FHooks; // last, so the hooks go before the members they write into
};

} // namespace

TEST_F(StopwatchTest, ANewWatchIsStoppedAtZeroAndItsDurationExpired) {
    EXPECT_FALSE(Watch.Running());
    EXPECT_EQ(0, Watch.ElapsedTime());
    EXPECT_EQ(0, Watch.SuspendedTime());
    EXPECT_EQ(100, Watch.DurationElapsedPercentage());
    EXPECT_TRUE(Watch.DurationExpired());
}

TEST_F(StopwatchTest, StopFreezesTheMeasurementInEveryUnit) {
    Watch.Restart();
    EXPECT_TRUE(Watch.Running());
    Clock.AdvanceMs(1234.5);
    Watch.Stop();
    Clock.AdvanceMs(500);
    Watch.Stop(); // a stopped watch is left alone
    EXPECT_FALSE(Watch.Running());
    EXPECT_NEAR(1234.5, Watch.ElapsedMs(), TolMs);
    EXPECT_NEAR(1234500, Watch.ElapsedUS(), 1.0);
    EXPECT_NEAR(1.2345, Watch.ElapsedSec(), 1e-6);
    EXPECT_NEAR(1.2345 / 60, Watch.ElapsedMins(), 1e-7);
    EXPECT_EQ(QStringLiteral("1234.500 ms"), Watch.ElapsedMsStr());
    EXPECT_EQ(QStringLiteral("1.23 s"), Watch.ElapsedSecStr(2));
    TUserFormatSettingsScope german(TFormatSettings::Create(QLocale(QLocale::German, QLocale::Germany)));
    EXPECT_EQ(QStringLiteral("1,2 s"), Watch.ElapsedSecStr(1));
    EXPECT_EQ(QStringLiteral("1234,500 ms"), Watch.ElapsedMsStr());
}

TEST_F(StopwatchTest, SuspendedTimeIsNotElapsedTime) {
    Watch.Restart();
    Watch.Suspend();
    Clock.AdvanceMs(30);
    Watch.Resume();
    Watch.Resume(); // unbalanced: ignored
    Clock.AdvanceMs(20);
    Watch.Stop();
    EXPECT_NEAR(20, Watch.ElapsedMs(), TolMs);
    EXPECT_NEAR(30, Watch.SuspendedTime() / Ms, TolMs);

    // Nested suspensions: the time counts from the outer Suspend to the matching Resume, and an open
    // suspension keeps growing.
    Watch.Restart();
    Watch.Suspend();
    Clock.AdvanceMs(10);
    Watch.Suspend();
    Clock.AdvanceMs(10);
    Watch.Resume();
    Clock.AdvanceMs(10);
    EXPECT_NEAR(30, Watch.SuspendedTime() / Ms, TolMs);
    EXPECT_NEAR(0, Watch.ElapsedMs(), TolMs);
    Watch.Resume();
    Clock.AdvanceMs(5);
    EXPECT_NEAR(30, Watch.SuspendedTime() / Ms, TolMs);
    EXPECT_NEAR(5, Watch.ElapsedMs(), TolMs);
}

TEST_F(StopwatchTest, ResetZeroesTheMeasurementAndKeepsItRunningOrStopped) {
    Watch.Restart();
    Watch.Suspend();
    Clock.AdvanceMs(10);
    Watch.Resume();
    Watch.Reset();
    EXPECT_TRUE(Watch.Running());
    EXPECT_EQ(0, Watch.SuspendedTime());
    EXPECT_EQ(Watch.StartTime(), Watch.StopTime());
    Clock.AdvanceMs(7);
    EXPECT_NEAR(7, Watch.ElapsedMs(), TolMs);
    Watch.Stop();
    Watch.Reset();
    Clock.AdvanceMs(7);
    EXPECT_FALSE(Watch.Running());
    EXPECT_EQ(0, Watch.ElapsedMs());
}

TEST_F(StopwatchTest, DurationProgress) {
    Watch.SetDuration(100 * Ms);
    Watch.Restart();
    Clock.AdvanceMs(25);
    EXPECT_NEAR(25, Watch.DurationElapsedPercentage(), TolMs);
    EXPECT_NEAR(75, Watch.DurationTimeToGoMS(), TolMs);
    EXPECT_FALSE(Watch.DurationExpired());
    Clock.AdvanceMs(75);
    EXPECT_TRUE(Watch.DurationExpired());
    Clock.AdvanceMs(50);
    EXPECT_EQ(100, Watch.DurationElapsedPercentage());
    EXPECT_NEAR(-50, Watch.DurationTimeToGoMS(), TolMs);
}

TEST_F(StopwatchTest, ShowTellsTheUserTheElapsedTime) {
    QStringList shown;
    ShowMsgHook = [&](const QString& AText, int32_t, int32_t) { shown.append(AText); };
    Watch.Restart();
    Clock.AdvanceMs(50.012);
    Watch.Show();
    EXPECT_EQ(QStringList{QStringLiteral("Elapsed 50.012 ms")}, shown);
}

TEST_F(StopwatchTest, TheClockIsAnchoredToTheWallClockAndThenFollowsTheCounter) {
    TScriptedClock clock(40000.25, 1000);
    clock.Count = 5000000;
    EXPECT_EQ(40000.25, HighResNow());
    clock.Count += 86400000 / 2; // half a day of counts at 1000 per second
    EXPECT_NEAR(40000.75, HighResNow(), 1e-9);
    clock.Count -= 86400000; // below the anchor: a time before it
    EXPECT_NEAR(39999.75, HighResNow(), 1e-9);
}

TEST_F(StopwatchTest, TicksAndWaitsOnTheCounter) {
    TScriptedClock clock(1, 3);
    EXPECT_EQ(1, MsToPerformanceTicks(500)); // 1500 div 1000
    EXPECT_EQ(750, MsToPerformanceTicks(250000));
    EXPECT_EQ(-3, MsToPerformanceTicks(-1000));

    // Every reading moves the counter by one; the wait ends once 5 counts have passed, the callback
    // being called before every reading after the first.
    clock.Step = 1;
    int calls = 0;
    WaitPerformanceTicks([&] { ++calls; }, 5);
    EXPECT_EQ(6, clock.Readings);
    EXPECT_EQ(5, calls);

    // Nothing to wait for: DelayMs does not even read the counter.
    clock.Readings = 0;
    DelayMs(0);
    DelayMs(-20, [&] { ++calls; });
    EXPECT_EQ(0, clock.Readings);
    EXPECT_EQ(5, calls);
    DelayMs(1000); // 3 counts
    EXPECT_EQ(4, clock.Readings);
}

TEST(HighResTimerTest, ACounterWithoutFrequencyIsNoTimer) {
    TScriptedClock clock(1, 0);
    try {
        CheckHighResTimer();
        FAIL() << "no exception";
    } catch (const EKestLibrary& e) {
        EXPECT_EQ(QStringLiteral("No high resolution timer found"), e.Message());
    }
    TScriptedClock counting(1, 1000);
    EXPECT_NO_THROW(CheckHighResTimer());
}

TEST(StopwatchRealClockTest, WaitsAndMeasuresOnThePlatformCounter) {
    SetPerformanceCounterSource({});
    const double wallClock = DateTimeOf(QDateTime::currentDateTime());
    EXPECT_NEAR(wallClock, HighResNow(), 2000 * Ms);
    TKestStopwatch watch;
    const auto start = std::chrono::steady_clock::now();
    watch.Restart();
    DelayMs(30);
    watch.Stop();
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(30));
    EXPECT_GE(watch.ElapsedMs(), 29.9);
    EXPECT_LT(watch.ElapsedMs(), 5000);
}
