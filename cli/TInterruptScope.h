// Ctrl+C (SIGINT) during a batch: for the length of a scope the signal only records the request,
// which the host hands to the cancel handler between projects; outside it the signal ends the
// program as usual.
#pragma once

#include <csignal>

namespace Wrenfold {

class TInterruptScope {
public:
    TInterruptScope();
    ~TInterruptScope();
    TInterruptScope(const TInterruptScope&) = delete;
    TInterruptScope& operator=(const TInterruptScope&) = delete;

private:
    struct sigaction FPrevious {};
    bool FInstalled = false;
};

// Whether SIGINT arrived while a scope was open (since the last scope opened).
bool InterruptRequested();

} // namespace Wrenfold
