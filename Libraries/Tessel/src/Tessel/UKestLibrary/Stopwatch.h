// The high-resolution clock on the performance counter, busy-wait delays and the stopwatch.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace Tessel {

// What the clock reads: the counter's frequency (counts per second), its current count, and the
// local wall-clock date-time. A member left empty reads the platform's (a nanosecond steady clock
// and the system clock).
struct TPerformanceCounterSource {
    std::function<int64_t()> Frequency;
    std::function<int64_t()> Counter;
    std::function<double()> LocalNow;
};
// Makes the clock read ASource from now on and starts it afresh: frequency unread, not anchored.
void SetPerformanceCounterSource(const TPerformanceCounterSource& ASource);

// Stores the counter frequency; raises EKestLibrary "No high resolution timer found" when it is 0.
void CheckHighResTimer();
// The current date-time from the counter: anchored to the wall clock on the first call, after that
// following the counter alone.
double HighResNow();
// AMilliseconds in counts: AMilliseconds * frequency div 1000.
int64_t MsToPerformanceTicks(int32_t AMilliseconds);
// Busy-waits until ATicks counts have passed, calling ACallback (when given) on every turn.
void WaitPerformanceTicks(const std::function<void()>& ACallback, int64_t ATicks);
// WaitPerformanceTicks for AMilliseconds; returns at once for 0 or fewer.
void DelayMs(int32_t AMilliseconds, const std::function<void()>& ACallback = {});

// Measures intervals (date-time units, days) on the high-resolution clock. Stopped when made;
// Restart starts it. Suspensions nest; time spent suspended is not counted as elapsed.
class TKestStopwatch {
public:
    TKestStopwatch() = default;
    virtual ~TKestStopwatch() = default;

    void Stop();
    // Zeroes the measurement and the suspended time; running or stopped stays as it was.
    void Reset();
    void Restart();
    void Suspend();
    void Resume();

    double ElapsedTime() const;
    double ElapsedMs() const;
    double ElapsedUS() const;
    double ElapsedSec() const;
    double ElapsedMins() const;
    // "50.012 ms", with the user's settings.
    QString ElapsedMsStr() const;
    // The seconds with ADecPlaces decimals and the user's settings, followed by " s".
    QString ElapsedSecStr(int32_t ADecPlaces) const;
    // Duration less ElapsedTime; negative once the duration is exceeded.
    double DurationTimeToGo() const;
    double DurationTimeToGoMS() const;
    bool DurationExpired() const;
    // The share of Duration elapsed, 0 to 100; 100 when Duration is 0.
    double DurationElapsedPercentage() const;
    // Shows "Elapsed " and ElapsedMsStr to the user.
    void Show() const;

    double StartTime() const { return FStartTime; }
    double StopTime() const { return FStopTime; }
    bool Running() const { return FRunning; }
    double SuspendedTime() const { return GetSuspendedTime(); }
    double Duration() const { return FDuration; }
    void SetDuration(double AValue) { FDuration = AValue; }

private:
    double GetSuspendedTime() const;

    double FStartTime = 0;
    double FStopTime = 0;
    bool FRunning = false;
    double FDuration = 0;
    int32_t FSuspendCount = 0;
    double FSuspendedAt = 0;
    double FSuspendedTime = 0;
};

// The program's stopwatch, made by the library's start-up and freed at shutdown.
extern TKestStopwatch* GlobalStopwatch;

} // namespace Tessel
