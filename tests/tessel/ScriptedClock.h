// A high-resolution clock the test drives: a microsecond counter that moves when told (or by a fixed
// step on every reading), anchored at a fixed local date-time. The platform's clock is back afterwards.
#pragma once

#include "Tessel/UKestLibrary/Stopwatch.h"

#include <QDate>
#include <QDateTime>

#include <cmath>
#include <cstdint>

// The date-time value (days since 30 December 1899) of a local date and time.
inline double DateTimeOf(const QDateTime& AValue) {
    return double(AValue.date().toJulianDay() - QDate(1899, 12, 30).toJulianDay()) +
           AValue.time().msecsSinceStartOfDay() / 86400000.0;
}

class TScriptedClock {
public:
    explicit TScriptedClock(double ALocalStart = 45000.5, int64_t AFrequency = 1000000) {
        Tessel::SetPerformanceCounterSource({[AFrequency] { return AFrequency; },
                                             [this] {
                                                 ++Readings;
                                                 const int64_t count = Count;
                                                 Count += Step;
                                                 return count;
                                             },
                                             [ALocalStart] { return ALocalStart; }});
    }
    ~TScriptedClock() { Tessel::SetPerformanceCounterSource({}); }
    TScriptedClock(const TScriptedClock&) = delete;
    TScriptedClock& operator=(const TScriptedClock&) = delete;

    void AdvanceMs(double AMilliseconds) { Count += std::llround(AMilliseconds * 1000); }

    int64_t Count = 0;
    int64_t Step = 0;     // added after every reading
    int64_t Readings = 0; // how often the counter was read
};
