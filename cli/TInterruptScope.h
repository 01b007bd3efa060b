// Ctrl+C during a batch: for the length of a scope the interrupt only records the request, which
// the host hands to the cancel handler between projects; outside it the interrupt ends the program
// as usual. Linux catches SIGINT; Windows the console's Ctrl+C and Ctrl+Break.
#pragma once

#include <memory>

namespace Wrenfold {

class TInterruptScope {
public:
    TInterruptScope();
    ~TInterruptScope();
    TInterruptScope(const TInterruptScope&) = delete;
    TInterruptScope& operator=(const TInterruptScope&) = delete;

private:
    // What the scope put back when it ends; each platform has its own.
    struct TPrevious;
    std::unique_ptr<TPrevious> FPrevious;
};

// Whether an interrupt arrived while a scope was open (since the last scope opened).
bool InterruptRequested();

} // namespace Wrenfold
