#include "cli/TInterruptScope.h"

namespace Wrenfold {

namespace {

volatile std::sig_atomic_t Interrupted = 0;

// Only records the request: no allocation, no locks, nothing of Qt.
extern "C" void RecordInterrupt(int) {
    Interrupted = 1;
}

} // namespace

TInterruptScope::TInterruptScope() {
    Interrupted = 0;
    struct sigaction action {};
    action.sa_handler = RecordInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // the writes of the project being made go on undisturbed
    FInstalled = ::sigaction(SIGINT, &action, &FPrevious) == 0;
}

TInterruptScope::~TInterruptScope() {
    if (FInstalled) ::sigaction(SIGINT, &FPrevious, nullptr);
}

bool InterruptRequested() {
    return Interrupted != 0;
}

} // namespace Wrenfold
