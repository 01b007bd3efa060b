#include "Tessel/UKestTesselNotifications.h"

namespace Tessel {

void TKestTesselNotifications::AddNotificationClient(const TInterfaceRef<IKestTesselNotifications>& AClient) {
    if (!FNotificationClients) FNotificationClients = std::make_unique<TClientList>();
    FNotificationClients->append(AClient);
}

void TKestTesselNotifications::RemoveNotificationClient(
    const TInterfaceRef<IKestTesselNotifications>& AClient) {
    if (!FNotificationClients) return;
    const qsizetype index = FNotificationClients->indexOf(AClient);
    if (index >= 0) FNotificationClients->removeAt(index);
}

// Each round works on a copy of the list taken when it begins: a client that adds or removes clients
// while it is told changes the next round only, and every client stays alive until it has been told.
void TKestTesselNotifications::NotifyClients_AfterChangedUserLevel(TUserLevel AUserLevel) {
    if (!FNotificationClients) return;
    const TClientList clients = *FNotificationClients;
    for (const TInterfaceRef<IKestTesselNotifications>& client : clients)
        client->AfterChangedUserLevel(AUserLevel);
}

void TKestTesselNotifications::NotifyClients_AfterChangedOfflineState(bool AIsOffline) {
    if (!FNotificationClients) return;
    const TClientList clients = *FNotificationClients;
    for (const TInterfaceRef<IKestTesselNotifications>& client : clients)
        client->AfterChangedOfflineState(AIsOffline);
}

namespace {

std::unique_ptr<TKestTesselNotifications>& Hub() {
    static std::unique_ptr<TKestTesselNotifications> hub;
    return hub;
}

} // namespace

TKestTesselNotifications& TesselNotifications() {
    if (!Hub()) Hub() = std::make_unique<TKestTesselNotifications>();
    return *Hub();
}

void FreeTesselNotifications() {
    Hub().reset();
}

} // namespace Tessel
