#include "cli/TInterruptScope.h"

#include <csignal>

namespace Wrenfold {

namespace {

volatile std::sig_atomic_t Interrupted = 0;

// Only records the request: no allocation, no locks, nothing of Qt.
extern "C" void RecordInterrupt(int) {
    Interrupted = 1;
}

} // namespace

struct TInterruptScope::TPrevious {
    struct sigaction Action {};
    bool Installed = false;
};

TInterruptScope::TInterruptScope() : FPrevious(std::make_unique<TPrevious>()) {
    Interrupted = 0;
    struct sigaction action {};
    action.sa_handler = RecordInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // the writes of the project being made go on undisturbed
    FPrevious->Installed = ::sigaction(SIGINT, &action, &FPrevious->Action) == 0;
}

TInterruptScope::~TInterruptScope() {
    if (FPrevious->Installed) ::sigaction(SIGINT, &FPrevious->Action, nullptr);
}

bool InterruptRequested() {
    return Interrupted != 0;
}

} // namespace Wrenfold
