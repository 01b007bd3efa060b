#include "Tessel/UKestLibrary/RuntimeCommandLine.h"

#include "Tessel/UKestLibrary/CommandLine.h"
#include "Tessel/UKestLibrary/Status.h"
#include "Tessel/UKestLibrary/UserLevels.h"

namespace Tessel {

namespace {

bool SwitchPresent(const QStringList& AArguments, const TKestParamDef& AParam) {
    return ParamSwitchPresent(AArguments, AParam.Name, AParam.Description, AParam.Announced);
}

} // namespace

void InitRuntimeCommandLine() {
    InitRuntimeCommandLine(ParamArguments());
}

void InitRuntimeCommandLine(const QStringList& AArguments) {
    if (SwitchPresent(AArguments, KestParamDemo) || SwitchPresent(AArguments, KestParamOffline))
        SetOffline(true);
    int32_t slowStatusUpdate = 0;
    ParamIntValue(AArguments, KestParamSlowStatusUpdate.Name, KestParamSlowStatusUpdate.Description,
                  KestParamSlowStatusUpdate.Announced, slowStatusUpdate);
    SlowStatusUpdateMs = slowStatusUpdate;
    InitCommandLineUserLevel(AArguments);
}

} // namespace Tessel
