// The library's start-up and shutdown: its global state made in a fixed order before the program's
// first window and freed in the reverse order after the last.
#pragma once

#include "Tessel/Rtl/Debugger.h"

#include <QStringList>

#include <functional>

namespace Tessel {

// Tells whether F8 is held down at this moment. Left empty, the platform's keyboard answers
// (F8KeyHeldNow).
extern std::function<bool()> F8KeyHeldProc;
// Whether the report of leaked memory at shutdown was asked for: a debugger was attached at start-up.
extern bool ReportMemoryLeaksOnShutdown;

// Runs the start-up with the process's arguments, or with the arguments after the program path it
// is given: the registry logging switch ("/RegLogging", announced), the waypoints (which may ask
// whether to switch them off), then the runtime services: format settings, status, version
// information, the timer check, the cancel handler, off-line mode ("/DEMO", "/OFFLINE" or F8 held),
// "/SlowStatusUpdate=ms" (announced) and the command-line user level, and the global stopwatch. When
// a step fails, what was done is shut down again and the failure passes to the caller.
void KestLibraryStartup();
void KestLibraryStartup(const QStringList& AArguments);
// Runs the shutdown of what start-up made, in the reverse order; nothing when start-up did not run.
// The first failure (saving the waypoints) passes to the caller after everything is freed.
void KestLibraryShutdown();

// Start-up when made, shutdown when freed (failures of the shutdown are then given to AOnFailure, or
// lost without one). Call Shutdown() to see them instead.
class TKestLibraryLifetime {
public:
    explicit TKestLibraryLifetime(std::function<void(const QString&)> AOnShutdownFailure = nullptr);
    TKestLibraryLifetime(const QStringList& AArguments,
                         std::function<void(const QString&)> AOnShutdownFailure = nullptr);
    ~TKestLibraryLifetime();
    TKestLibraryLifetime(const TKestLibraryLifetime&) = delete;
    TKestLibraryLifetime& operator=(const TKestLibraryLifetime&) = delete;
    void Shutdown();

private:
    std::function<void(const QString&)> FOnShutdownFailure;
    bool FRunning = true;
};

} // namespace Tessel
