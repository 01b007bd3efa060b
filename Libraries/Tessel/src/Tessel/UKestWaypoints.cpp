#include "Tessel/UKestWaypoints.h"

#include "Tessel/Rtl/Registry.h"
#include "Tessel/UKestLibrary/Debug.h"
#include "Tessel/UKestLibrary/FloatFormatting.h"
#include "Tessel/UKestLibrary/Strings.h"
#include "Tessel/UKestLibrary/Variants.h"
#include "Tessel/UKestRegistry.h"

#include <algorithm>

namespace Tessel {

TWaypoints* Waypoints = nullptr;

namespace {

int CompareNames(const QString& A, const QString& B) {
    return AsciiUpperCase(A).compare(AsciiUpperCase(B));
}

QString SubkeyName(const QString& AWaypointName) {
    return QString(AWaypointName).replace(u'\\', u'|');
}

QString EnabledPath(const QString& ASubkeyName) {
    return WaypointsKeyPath + ASubkeyName + QStringLiteral("\\Enabled");
}

} // namespace

void TWaypoint::SetEnabled(bool AValue) {
    if (AValue == FEnabled) return;
    FEnabled = AValue;
    if (FWaypoints) FWaypoints->CountEnabled();
}

TWaypoints::TWaypoints() : TKestInterfacedObject(false) {
    LoadWaypoints();
    if (FWaypointsEnabled && ConfirmYesNo(SWaypointsEnabledQuestion, 0, false)) FWaypointsEnabled = false;
}

void TWaypoints::BeforeDestruction() {
    FSaved = true;
    SaveWaypoints();
}

TWaypoints::~TWaypoints() {
    if (FSaved) return;
    try {
        BeforeDestruction();
    } catch (...) {
        // A destructor cannot pass the failure on; FreeWaypoints saves first so that it is seen.
    }
}

std::size_t TWaypoints::LowerBound(const QString& AName) const {
    const auto at = std::lower_bound(FList.begin(), FList.end(), AName,
                                     [](const std::unique_ptr<TWaypoint>& AWaypoint, const QString& AKey) {
                                         return CompareNames(AWaypoint->Name(), AKey) < 0;
                                     });
    return std::size_t(at - FList.begin());
}

TWaypoint* TWaypoints::AddWaypoint(const QString& AName) {
    const std::size_t at = LowerBound(AName);
    if (at < FList.size() && CompareNames(FList[at]->Name(), AName) == 0)
        throw EKestWaypoint(QStringLiteral("Duplicate waypoint name \"%s\""), {AName}, QString());
    return FList.insert(FList.begin() + std::ptrdiff_t(at), std::make_unique<TWaypoint>(AName, this))->get();
}

void TWaypoints::CheckWaypointName(const QString& AName) {
    if (!AName.contains(u'\\')) throw EKestWaypoint(SInvalidWaypointName, {AName}, QString());
}

TWaypoint* TWaypoints::FindWaypoint(const QString& AName, bool ARaiseIfMissing) {
    CheckWaypointName(AName);
    const std::size_t at = LowerBound(AName);
    if (at < FList.size() && CompareNames(FList[at]->Name(), AName) == 0) return FList[at].get();
    if (ARaiseIfMissing) throw EKestWaypoint(SNoWaypointOfName, {AName}, QString());
    return nullptr;
}

bool TWaypoints::GetWaypointEnabled(const QString& AName) {
    TWaypoint* waypoint = FindWaypoint(AName, false);
    if (!waypoint) waypoint = AddWaypoint(AName);
    return waypoint->Enabled();
}

void TWaypoints::SetWaypointEnabled(const QString& AName, bool AState) {
    FindWaypoint(AName, true)->SetEnabled(AState);
}

bool TWaypoints::Waypoint(const QString& AName, const QString& AMessage) {
    if (!FWaypointsEnabled || !GetWaypointEnabled(AName)) return false;
    QString text = QStringLiteral("Waypoint: ") + AName;
    if (!AMessage.isEmpty()) text += QStringLiteral("\r\r") + AMessage;
    LogEvent(QStringLiteral("Application"), KestEventWaypoint, {text});
    ShowMsg(text, 0, 0);
    return true;
}

bool TWaypoints::Waypoint(const QString& AName, bool APause) {
    if (!FWaypointsEnabled) return false;
    const bool enabled = GetWaypointEnabled(AName);
    if (enabled && APause) return Waypoint(AName, QString());
    return enabled;
}

bool TWaypoints::Waypoint(const QString& AName, const QVariant& AShowValue, const QString& AsuffixStr) {
    if (!FWaypointsEnabled || !GetWaypointEnabled(AName)) return false;
    QString text;
    if (VarIsNumeric(AShowValue))
        text = FloatToString(VarToDouble(AShowValue), QStringLiteral("0.000/*/"), true);
    else
        text = VarToStr(AShowValue); // empty for a null value
    return Waypoint(AName, text + AsuffixStr);
}

void TWaypoints::PopulateNameList(THashedStringList& AStrings) {
    AStrings.Clear();
    for (const std::unique_ptr<TWaypoint>& waypoint : FList)
        AStrings.Add(waypoint->Name(), waypoint.get());
}

void TWaypoints::CountEnabled() {
    FEnableCount =
        int32_t(std::count_if(FList.begin(), FList.end(), [](const std::unique_ptr<TWaypoint>& AWaypoint) {
            return AWaypoint->Enabled();
        }));
}

void TWaypoints::DisableAllWaypoints() {
    for (const std::unique_ptr<TWaypoint>& waypoint : FList)
        waypoint->SetEnabled(false);
    FEnableCount = 0;
}

void TWaypoints::LoadWaypoints() {
    FWaypointsEnabled = ReadRegKeyBool(WaypointsEnabledPath, false, true);
    QStringList names;
    ReadRegKeyNames(WaypointsKeyPath, names, true);
    for (const QString& name : names) {
        TWaypoint* waypoint = AddWaypoint(QString(name).replace(u'|', u'\\'));
        waypoint->SetEnabled(ReadRegKeyBool(EnabledPath(name), false, true));
    }
}

void TWaypoints::SaveWaypoints() {
    QString key, valueName;
    // Deleting and rewriting the key is one change of the registry: a crash or another program saving
    // at the same moment never leaves the set half written.
    RunAsOneRegistryChange(SplitRegPath(WaypointsKeyPath, key, valueName), [&] {
        DeleteRegKey(WaypointsKeyPath, true);
        WriteRegKeyBool(WaypointsEnabledPath, FWaypointsEnabled, true);
        for (const std::unique_ptr<TWaypoint>& waypoint : FList)
            WriteRegKeyBool(EnabledPath(SubkeyName(waypoint->Name())), waypoint->Enabled(), true);
    });
}

void InitWaypoints() {
    if (!Waypoints) Waypoints = new TWaypoints();
}

void FreeWaypoints() {
    std::unique_ptr<TWaypoints> waypoints(std::exchange(Waypoints, nullptr));
    if (waypoints) waypoints->BeforeDestruction();
}

} // namespace Tessel
