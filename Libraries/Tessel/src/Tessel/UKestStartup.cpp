#include "Tessel/UKestStartup.h"

#include "Tessel/Rtl/KeyboardState.h"
#include "Tessel/UKestAliases/CommonAliases.h"
#include "Tessel/UKestDefs/Metrics.h"
#include "Tessel/UKestLibrary/Cancel.h"
#include "Tessel/UKestLibrary/CommandLine.h"
#include "Tessel/UKestLibrary/FormatSettings.h"
#include "Tessel/UKestLibrary/Status.h"
#include "Tessel/UKestLibrary/Stopwatch.h"
#include "Tessel/UKestLibrary/UserLevels.h"
#include "Tessel/UKestLibrary/Version.h"
#include "Tessel/UKestRegistry.h"
#include "Tessel/UKestTesselNotifications.h"
#include "Tessel/UKestWaypoints.h"

#include <exception>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define TESSEL_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(leak_sanitizer)
#define TESSEL_LEAK_CHECK 1
#endif
#endif
#ifdef TESSEL_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif

namespace Tessel {

std::function<bool()> F8KeyHeldProc;
bool ReportMemoryLeaksOnShutdown = false;

namespace {

// The finalization of each unit whose initialization ran, in the order they ran.
std::vector<std::function<void()>>& Finalizations() {
    static std::vector<std::function<void()>> finalizations;
    return finalizations;
}

bool SwitchPresent(const QStringList& AArguments, const TKestParamDef& AParam) {
    return ParamSwitchPresent(AArguments, AParam.Name, AParam.Description, AParam.Announced);
}

void InitRuntimeServices(const QStringList& AArguments) {
    ReportMemoryLeaksOnShutdown = DebuggerAttached();
    KestFormatSettings();
    CreateStatusInfo();
    ReadVersionInfo(VersionInfo());
    CheckHighResTimer();
    CancelHandler = new TKestCancelHandler();
    if (SwitchPresent(AArguments, KestParamDemo) || SwitchPresent(AArguments, KestParamOffline) ||
        (F8KeyHeldProc ? F8KeyHeldProc() : F8KeyHeldNow()))
        SetOffline(true);
    int32_t slowStatusUpdate = 0;
    ParamIntValue(AArguments, KestParamSlowStatusUpdate.Name, KestParamSlowStatusUpdate.Description,
                  KestParamSlowStatusUpdate.Announced, slowStatusUpdate);
    SlowStatusUpdateMs = slowStatusUpdate;
    InitCommandLineUserLevel(AArguments);
    GlobalStopwatch = new TKestStopwatch();
}

void FinalizeRuntimeServices() {
    delete std::exchange(GlobalStopwatch, nullptr);
    FreeKestUserLevel();
    FreeStatusInfo();
    VersionInfo() = TVersionInfoRec();
    CancelHandler.Clear();
    // The fixed format settings are a constant of the program and need no release.
}

void ReportLeaks() {
#ifdef TESSEL_LEAK_CHECK
    if (ReportMemoryLeaksOnShutdown) __lsan_do_recoverable_leak_check();
#endif
}

} // namespace

void KestLibraryStartup() {
    KestLibraryStartup(ParamArguments());
}

void KestLibraryStartup(const QStringList& AArguments) {
    if (!Finalizations().empty()) return;
    // Each unit in turn; a unit whose initialization ran is finalized at shutdown.
    const std::pair<std::function<void()>, std::function<void()>> units[] = {
        {[] { SetMetrics(nullptr); }, [] { ReleaseMetrics(); }},
        {[&] { InitRegLogging(AArguments); }, nullptr},
        {nullptr, [] { FreeSystemAliases(); }},
        {nullptr, [] { FreeTesselNotifications(); }},
        {[] { InitWaypoints(); }, [] { FreeWaypoints(); }},
        {[&] { InitRuntimeServices(AArguments); }, [] { FinalizeRuntimeServices(); }},
    };
    try {
        for (const auto& [initialization, finalization] : units) {
            // Each finalization frees only what its unit made, so one whose start-up stopped half way
            // is finalized too.
            if (finalization) Finalizations().push_back(finalization);
            if (initialization) initialization();
        }
    } catch (...) {
        try {
            KestLibraryShutdown();
        } catch (...) {
            // The failure of the start-up is the one to report.
        }
        throw;
    }
}

void KestLibraryShutdown() {
    std::exception_ptr failure;
    std::vector<std::function<void()>> finalizations = std::move(Finalizations());
    Finalizations().clear();
    for (auto step = finalizations.rbegin(); step != finalizations.rend(); ++step) {
        try {
            (*step)();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    if (!finalizations.empty()) ReportLeaks();
    if (failure) std::rethrow_exception(failure);
}

TKestLibraryLifetime::TKestLibraryLifetime(std::function<void(const QString&)> AOnShutdownFailure)
    : TKestLibraryLifetime(ParamArguments(), std::move(AOnShutdownFailure)) {}

TKestLibraryLifetime::TKestLibraryLifetime(const QStringList& AArguments,
                                           std::function<void(const QString&)> AOnShutdownFailure)
    : FOnShutdownFailure(std::move(AOnShutdownFailure)) {
    KestLibraryStartup(AArguments);
}

TKestLibraryLifetime::~TKestLibraryLifetime() {
    if (!FRunning) return;
    try {
        Shutdown();
    } catch (const std::exception& e) {
        if (FOnShutdownFailure) FOnShutdownFailure(QString::fromUtf8(e.what()));
    } catch (...) {
        if (FOnShutdownFailure) FOnShutdownFailure(QStringLiteral("Unknown failure at shutdown"));
    }
}

void TKestLibraryLifetime::Shutdown() {
    FRunning = false;
    KestLibraryShutdown();
}

} // namespace Tessel
