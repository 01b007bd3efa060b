#include "cli/TInterruptScope.h"

#include <atomic>
#include <windows.h>

namespace Wrenfold {

namespace {

std::atomic<bool> Interrupted{false};

// The system calls it on a thread of its own. Ctrl+C and Ctrl+Break are recorded and handled;
// closing the console or logging off go on to the next handler, which ends the program.
BOOL WINAPI RecordInterrupt(DWORD AEvent) {
    if (AEvent != CTRL_C_EVENT && AEvent != CTRL_BREAK_EVENT) return FALSE;
    Interrupted = true;
    return TRUE;
}

} // namespace

struct TInterruptScope::TPrevious {
    bool Installed = false;
};

TInterruptScope::TInterruptScope() : FPrevious(std::make_unique<TPrevious>()) {
    Interrupted = false;
    FPrevious->Installed = ::SetConsoleCtrlHandler(RecordInterrupt, TRUE) != 0;
}

TInterruptScope::~TInterruptScope() {
    if (FPrevious->Installed) ::SetConsoleCtrlHandler(RecordInterrupt, FALSE);
}

bool InterruptRequested() {
    return Interrupted;
}

} // namespace Wrenfold
