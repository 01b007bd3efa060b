// The library's notification hub: clients are told when the user level or the off-line state changes.
#pragma once

#include "Tessel/UKestDefs/Enumerations.h"
#include "Tessel/UKestDefs/KestInterfaces.h"

#include <QList>

#include <memory>

namespace Tessel {

class TKestTesselNotifications {
public:
    TKestTesselNotifications() = default;
    // Releases every client still listed.
    ~TKestTesselNotifications() = default;
    TKestTesselNotifications(const TKestTesselNotifications&) = delete;
    TKestTesselNotifications& operator=(const TKestTesselNotifications&) = delete;

    // Appends AClient, also when it is listed already (it is then told twice).
    void AddNotificationClient(const TInterfaceRef<IKestTesselNotifications>& AClient);
    // Removes the first entry that is AClient; does nothing when it is not listed.
    void RemoveNotificationClient(const TInterfaceRef<IKestTesselNotifications>& AClient);
    // Tell every client listed when the call begins, in the order they were added. A client's failure
    // passes to the caller and the clients after it are not told.
    void NotifyClients_AfterChangedUserLevel(TUserLevel AUserLevel);
    void NotifyClients_AfterChangedOfflineState(bool AIsOffline);

private:
    using TClientList = QList<TInterfaceRef<IKestTesselNotifications>>;
    // Made on the first AddNotificationClient.
    std::unique_ptr<TClientList> FNotificationClients;
};

// The hub, made on first use.
TKestTesselNotifications& TesselNotifications();
// Frees the hub with the clients it still lists; the next TesselNotifications makes a new one.
void FreeTesselNotifications();

} // namespace Tessel
