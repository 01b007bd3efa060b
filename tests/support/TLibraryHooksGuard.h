// Puts the library's global hooks back to none when a test ends, however it ends.
#pragma once

// Empties, when it goes, every hook and procedure the library calls out through: messages,
// questions, events, the dialogs behind them, trace output, the busy cursor, the user's name and
// the F8 key. A fixture holds one as a member; a test without a fixture declares one first.
class TLibraryHooksGuard {
public:
    TLibraryHooksGuard() = default;
    TLibraryHooksGuard(const TLibraryHooksGuard&) = delete;
    TLibraryHooksGuard& operator=(const TLibraryHooksGuard&) = delete;
    ~TLibraryHooksGuard();
};
