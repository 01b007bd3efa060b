// Waypoints: named debugging stops that show a message when switched on, each with its own flag and
// one master switch, kept per user in the registry.
#pragma once

#include "Tessel/Rtl/THashedStringList.h"
#include "Tessel/UKestDefs/Exceptions.h"
#include "Tessel/UKestDefs/InterfacedObject.h"

#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <vector>

namespace Tessel {

class TWaypoints;

// Where the set is kept: one subkey per waypoint below this key, named after the waypoint with every
// "\" written as "|" and holding the Boolean value "Enabled", and the master switch beside them.
inline const QString WaypointsKeyPath =
    QStringLiteral("HKCU\\Software\\KEST Products\\%AppDataName%\\General\\Waypoints\\");
inline const QString WaypointsEnabledPath = WaypointsKeyPath + QStringLiteral("WaypointsEnabled");

inline const QString SNoWaypointOfName = QStringLiteral("No waypoint of name \"%s\"");
inline const QString SInvalidWaypointName =
    QStringLiteral("Invalid waypoint name \"%s\" - waypoint names should have at least 2 levels, eg "
                   "\"Category1\\Waypoint2\" etc");
inline const QString SWaypointsEnabledQuestion = QStringLiteral("Waypoints are enabled. Disable them now?");

class TWaypoint {
public:
    TWaypoint(const QString& AName, TWaypoints* AWaypoints) : FName(AName), FWaypoints(AWaypoints) {}

    const QString& Name() const { return FName; }
    void SetName(const QString& AValue) { FName = AValue; }
    bool Enabled() const { return FEnabled; }
    // A change makes the set count its enabled waypoints again.
    void SetEnabled(bool AValue);
    TWaypoints* Waypoints() const { return FWaypoints; }

private:
    QString FName;
    bool FEnabled = false;
    TWaypoints* FWaypoints;
};

// Waypoint names have at least two levels ("Category1\Waypoint2") and compare without regard to the
// case of ASCII letters. Looking up a name without "\" raises EKestWaypoint.
class IKestWaypoints {
public:
    virtual ~IKestWaypoints() = default;
    // The waypoint's flag; with APause, an enabled waypoint also shows its message.
    virtual bool Waypoint(const QString& AName, bool APause) = 0;
    // When the master switch and the waypoint are on: logs and shows "Waypoint: <name>", followed by
    // two carriage returns and AMessage when it is not empty, and returns true; false otherwise.
    virtual bool Waypoint(const QString& AName, const QString& AMessage) = 0;
    // As above with AShowValue as the message (numbers as "0.000/*/" with the fixed settings) and
    // AsuffixStr after it.
    virtual bool Waypoint(const QString& AName, const QVariant& AShowValue, const QString& AsuffixStr) = 0;
    // The flag of the waypoint; a name not known yet is added, disabled.
    virtual bool GetWaypointEnabled(const QString& AName) = 0;
    // Raises EKestWaypoint "No waypoint of name "%s"" for a name not known.
    virtual void SetWaypointEnabled(const QString& AName, bool AState) = 0;
    // The names in sorted order, each with its TWaypoint.
    virtual void PopulateNameList(THashedStringList& AStrings) = 0;
    virtual int32_t NumberOfWayPointsEnabled() = 0;
    virtual void DisableAllWaypoints() = 0;
    virtual bool GetWaypointsEnabled() = 0;
    // Stored at shutdown only.
    virtual void SetWaypointsEnabled(bool AValue) = 0;

    // A text literal is a message, not a pause flag.
    bool Waypoint(const QString& AName, const char* AMessage) {
        return Waypoint(AName, QString::fromUtf8(AMessage));
    }
};

// The set of known waypoints, loaded from the registry when made and saved there when freed, so the
// registry then holds exactly the set in memory. Not reference counted: its owner frees it.
class TWaypoints : public TKestInterfacedObject, public IKestWaypoints {
public:
    // Loads the set; when the master switch is on, asks whether to switch it off (default No).
    TWaypoints();
    // Saves the set. Call before freeing to see a failure of the save; the destructor saves when
    // that was not done and swallows a failure.
    void BeforeDestruction();
    ~TWaypoints() override;

    using IKestWaypoints::Waypoint;
    bool Waypoint(const QString& AName, bool APause) override;
    bool Waypoint(const QString& AName, const QString& AMessage) override;
    bool Waypoint(const QString& AName, const QVariant& AShowValue, const QString& AsuffixStr) override;
    bool GetWaypointEnabled(const QString& AName) override;
    void SetWaypointEnabled(const QString& AName, bool AState) override;
    void PopulateNameList(THashedStringList& AStrings) override;
    int32_t NumberOfWayPointsEnabled() override { return FEnableCount; }
    void DisableAllWaypoints() override;
    bool GetWaypointsEnabled() override { return FWaypointsEnabled; }
    void SetWaypointsEnabled(bool AValue) override { FWaypointsEnabled = AValue; }

    int32_t Count() const { return int32_t(FList.size()); }
    // The waypoint at that position of the sorted list.
    TWaypoint* GetWaypoint(int32_t AIndex) const { return FList.at(std::size_t(AIndex)).get(); }
    // Adds a disabled waypoint of that name (not checked); a name already known raises EKestWaypoint.
    TWaypoint* AddWaypoint(const QString& AName);
    // Checks the name, then finds it; a missing name raises "No waypoint of name "%s"" with
    // ARaiseIfMissing, else gives nullptr.
    TWaypoint* FindWaypoint(const QString& AName, bool ARaiseIfMissing);
    // Raises EKestWaypoint for a name without "\".
    static void CheckWaypointName(const QString& AName);

    void LoadWaypoints();
    // Replaces the stored set with this one, as one change of the registry.
    void SaveWaypoints();

private:
    friend class TWaypoint;
    void CountEnabled();
    // The position of the name in the sorted list, or where it would go.
    std::size_t LowerBound(const QString& AName) const;

    std::vector<std::unique_ptr<TWaypoint>> FList;
    int32_t FEnableCount = 0;
    bool FWaypointsEnabled = false;
    bool FSaved = false;
};

// The program's waypoints, made by the library's start-up and freed at its shutdown; nullptr outside.
extern TWaypoints* Waypoints;
// Makes Waypoints (loading it and perhaps asking the start-up question) unless it exists.
void InitWaypoints();
// Saves and frees Waypoints; a failure of the save passes to the caller after it is freed.
void FreeWaypoints();

} // namespace Tessel
