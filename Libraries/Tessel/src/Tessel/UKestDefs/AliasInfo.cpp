#include "Tessel/UKestDefs/AliasInfo.h"

namespace Tessel {

void FillAliasInfo(const QString& AName, const QVariant& AValue, const QString& ADescription,
                   PAliasInfo AAliasInfo, TAliasStatus AStatus, const QString& ASource) {
    if (AAliasInfo == nullptr) return;
    AAliasInfo->sName = AName;
    AAliasInfo->vValue = AValue;
    AAliasInfo->sDescription = ADescription;
    AAliasInfo->sSource = ASource;
    AAliasInfo->Status = AStatus;
}

PAliasInfo AppendAliasInfo(TAliasInfoList& AList) {
    AList.append(TAliasInfo());
    return &AList.last();
}

} // namespace Tessel
