#include "Tessel/UKestAliases/PropertyAliases.h"

#include "Tessel/UKestDefs/Exceptions.h"
#include "Tessel/UKestLibrary/FormatSettings.h"
#include "Tessel/UKestLibrary/PropertyAccess.h"
#include "Tessel/UKestLibrary/Strings.h"

#include <algorithm>

namespace Tessel {

namespace {

bool NameLess(const QString& A, const QString& B) {
    return QString::compare(A, B, Qt::CaseInsensitive) < 0;
}

} // namespace

TKestPropertyAliases::TKestPropertyAliases(const QString& AName, QObject* AInstance)
    : TKestImplements(false), FInstance(AInstance != nullptr ? AInstance : this) {
    SetName(AName);
}

TKestPropertyAliases::~TKestPropertyAliases() = default;

const std::vector<std::unique_ptr<TPropertyInfo>>& TKestPropertyAliases::PropertyList() {
    if (FListBuilt) return FPropertyList;
    FListBuilt = true;
    for (const QMetaProperty& property : GetPropList(FInstance)) {
        auto info = std::make_unique<TPropertyInfo>();
        info->Name = QString::fromLatin1(property.name());
        info->PropInfo = property;
        info->Description = QStringLiteral("Property '%1'").arg(info->Name);
        const auto at = std::lower_bound(
            FPropertyList.begin(), FPropertyList.end(), info->Name,
            [](const auto& AEntry, const QString& AName) { return NameLess(AEntry->Name, AName); });
        if (at != FPropertyList.end() && !NameLess(info->Name, (*at)->Name)) {
            FPropertyList.clear();
            FListBuilt = false;
            throw EKestAlias(QStringLiteral("Duplicate property name \"%1\"").arg(info->Name));
        }
        FPropertyList.insert(at, std::move(info));
    }
    return FPropertyList;
}

TPropertyInfo* TKestPropertyAliases::FindPropertyInfo(const QString& AName) {
    const auto& list = PropertyList();
    const auto at =
        std::lower_bound(list.begin(), list.end(), AName, [](const auto& AEntry, const QString& AKey) {
            return NameLess(AEntry->Name, AKey);
        });
    return at != list.end() && !NameLess(AName, (*at)->Name) ? at->get() : nullptr;
}

void TKestPropertyAliases::SetPropertyDescription(const QString& AName, const QString& ADescription) {
    TPropertyInfo* info = FindPropertyInfo(AName);
    if (info == nullptr) throw EKestAlias(QStringLiteral("Unable to locate property name \"%1\"").arg(AName));
    info->Description = ADescription;
}

QVariant TKestPropertyAliases::Aliases_NameToValue(const QString& AName, bool APreferStrings,
                                                   PAliasInfo AAliasInfo) {
    QString name = AName;
    const QString ownPrefix = Name() + u'_';
    if (name.size() >= ownPrefix.size() && SameAsciiText(name.left(ownPrefix.size()), ownPrefix))
        name.remove(0, ownPrefix.size());
    QVariant result;
    if (TPropertyInfo* info = FindPropertyInfo(name)) {
        GetPropertyValue(FInstance, &info->PropInfo, APreferStrings, result, true, false, QString());
        if (VarHasValue(result))
            FillAliasInfo(info->Name, result, info->Description, AAliasInfo, {scHasValue}, Name());
    }
    return result;
}

void TKestPropertyAliases::Aliases_EnumerateAllAliases(TAliasInfoList& AliasInfoList) {
    for (const auto& entry : PropertyList())
        Aliases_NameToValue(entry->Name, false, AppendAliasInfo(AliasInfoList));
}

bool TKestPropertyAliases::Aliases_GetCanChange(const QString& AName) {
    const TPropertyInfo* info = FindPropertyInfo(AName);
    return info != nullptr && !IsPropertyReadOnly(&info->PropInfo);
}

bool TKestPropertyAliases::Aliases_ChangeValue(const QString& AName, const QVariant& AValue) {
    TPropertyInfo* info = FindPropertyInfo(AName);
    if (info == nullptr) return false;
    SetPropertyValue(FInstance, &info->PropInfo, AValue, true);
    return true;
}

} // namespace Tessel
