#include "Tessel/UKestLibrary/Stopwatch.h"

#include "Tessel/Rtl/FormatText.h"
#include "Tessel/UKestDefs/Exceptions.h"
#include "Tessel/UKestLibrary/Debug.h"
#include "Tessel/UKestLibrary/NumericText.h"

#include <QDate>
#include <QDateTime>

#include <chrono>

namespace Tessel {

TKestStopwatch* GlobalStopwatch = nullptr;

namespace {

constexpr double MsPerDay = 86400000.0;

int64_t PlatformFrequency() {
    return 1000000000; // the steady clock counts nanoseconds
}

int64_t PlatformCounter() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double PlatformLocalNow() {
    const QDateTime now = QDateTime::currentDateTime();
    return double(now.date().toJulianDay() - QDate(1899, 12, 30).toJulianDay()) +
           now.time().msecsSinceStartOfDay() / MsPerDay;
}

struct THighResClock {
    TPerformanceCounterSource Source;
    int64_t Frequency = 0;
    int64_t AnchorCount = 0;
    double AnchorTime = 0;
    long double CountsPerDay = 0;
    bool Calibrated = false;

    int64_t ReadFrequency() const { return Source.Frequency ? Source.Frequency() : PlatformFrequency(); }
    int64_t ReadCounter() const { return Source.Counter ? Source.Counter() : PlatformCounter(); }
    double ReadLocalNow() const { return Source.LocalNow ? Source.LocalNow() : PlatformLocalNow(); }
    // The frequency CheckHighResTimer stored, or read now when it has not run.
    int64_t KnownFrequency() {
        if (Frequency == 0) Frequency = ReadFrequency();
        return Frequency;
    }
};

THighResClock& Clock() {
    static THighResClock clock;
    return clock;
}

} // namespace

void SetPerformanceCounterSource(const TPerformanceCounterSource& ASource) {
    Clock() = THighResClock();
    Clock().Source = ASource;
}

void CheckHighResTimer() {
    THighResClock& clock = Clock();
    clock.Frequency = clock.ReadFrequency();
    if (clock.Frequency == 0) throw EKestLibrary(QStringLiteral("No high resolution timer found"));
}

double HighResNow() {
    THighResClock& clock = Clock();
    if (!clock.Calibrated) {
        clock.AnchorTime = clock.ReadLocalNow();
        clock.AnchorCount = clock.ReadCounter();
        clock.CountsPerDay = (long double)(clock.KnownFrequency() * 86400);
        clock.Calibrated = true;
    }
    // A counter reading below the anchor gives a time before it.
    const long double counts = (long double)clock.ReadCounter() - (long double)clock.AnchorCount;
    return double(clock.AnchorTime + counts / clock.CountsPerDay);
}

int64_t MsToPerformanceTicks(int32_t AMilliseconds) {
    return int64_t(AMilliseconds) * Clock().KnownFrequency() / 1000;
}

void WaitPerformanceTicks(const std::function<void()>& ACallback, int64_t ATicks) {
    const THighResClock& clock = Clock();
    const uint64_t start = uint64_t(clock.ReadCounter());
    uint64_t elapsed = 0;
    do {
        if (ACallback) ACallback();
        const uint64_t reading = uint64_t(clock.ReadCounter());
        elapsed = reading >= start ? reading - start : (UINT64_MAX - start) + reading;
    } while (ATicks > 0 && elapsed < uint64_t(ATicks));
}

void DelayMs(int32_t AMilliseconds, const std::function<void()>& ACallback) {
    const int64_t ticks = MsToPerformanceTicks(AMilliseconds);
    if (ticks > 0) WaitPerformanceTicks(ACallback, ticks);
}

// --- TKestStopwatch ---------------------------------------------------------------------------

void TKestStopwatch::Stop() {
    if (!FRunning) return;
    FStopTime = HighResNow();
    FRunning = false;
}

void TKestStopwatch::Reset() {
    FSuspendedTime = 0;
    FStartTime = HighResNow();
    FStopTime = FStartTime;
}

void TKestStopwatch::Restart() {
    Reset();
    FRunning = true;
}

void TKestStopwatch::Suspend() {
    if (FSuspendCount == 0) FSuspendedAt = HighResNow();
    ++FSuspendCount;
}

void TKestStopwatch::Resume() {
    if (FSuspendCount <= 0) return;
    if (--FSuspendCount == 0) FSuspendedTime += HighResNow() - FSuspendedAt;
}

double TKestStopwatch::GetSuspendedTime() const {
    return FSuspendCount > 0 ? FSuspendedTime + (HighResNow() - FSuspendedAt) : FSuspendedTime;
}

double TKestStopwatch::ElapsedTime() const {
    const double end = FRunning ? HighResNow() : FStopTime;
    return end - FStartTime - GetSuspendedTime();
}

double TKestStopwatch::ElapsedMs() const {
    return ElapsedTime() * MsPerDay;
}

double TKestStopwatch::ElapsedUS() const {
    return ElapsedTime() * 86400000000.0;
}

double TKestStopwatch::ElapsedSec() const {
    return ElapsedTime() * 86400.0;
}

double TKestStopwatch::ElapsedMins() const {
    return ElapsedTime() * 1440.0;
}

QString TKestStopwatch::ElapsedMsStr() const {
    return Format(QStringLiteral("%0.3f ms"), {ElapsedMs()});
}

QString TKestStopwatch::ElapsedSecStr(int32_t ADecPlaces) const {
    return FloatToFixedText(ElapsedSec(), 0, ADecPlaces, false) + QStringLiteral(" s");
}

double TKestStopwatch::DurationTimeToGo() const {
    return FDuration - ElapsedTime();
}

double TKestStopwatch::DurationTimeToGoMS() const {
    return DurationTimeToGo() * MsPerDay;
}

bool TKestStopwatch::DurationExpired() const {
    return DurationTimeToGo() <= 0;
}

double TKestStopwatch::DurationElapsedPercentage() const {
    if (FDuration == 0) return 100;
    const double percentage = (1 - DurationTimeToGo() / FDuration) * 100;
    return percentage >= 0 && percentage <= 100 ? percentage : 100;
}

void TKestStopwatch::Show() const {
    ShowMsgFmt(QStringLiteral("Elapsed %s"), {ElapsedMsStr()}, 0, 0);
}

} // namespace Tessel
