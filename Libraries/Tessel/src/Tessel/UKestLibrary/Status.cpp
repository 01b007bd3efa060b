#include "Tessel/UKestLibrary/Status.h"

#include "Tessel/Rtl/Exception.h"
#include "Tessel/Rtl/FormatText.h"
#include "Tessel/UKestLibrary/Stopwatch.h"
#include "Tessel/UKestLibrary/Strings.h"

#include <QMutexLocker>

#include <cstdlib>

namespace Tessel {

TKestStatusInfo* StatusInfo = nullptr;
int32_t SlowStatusUpdateMs = 0;
TBusyCursorProc BusyCursorProc;

// --- TKestStatusInfoNotificationClients --------------------------------------------------------

namespace {

IInterface* Identity(const TInterfaceRef<IKestStatusInfoNotificationClient>& AClient) {
    return AClient.Get();
}

[[noreturn]] void ListIndexError(int32_t AIndex) {
    throw Exception(QStringLiteral("List index out of bounds (%1)").arg(AIndex));
}

// The stored reference as a client, converted by its identifier.
TInterfaceRef<IKestStatusInfoNotificationClient> AsClient(const TInterfaceRef<IInterface>& AItem) {
    if (!AItem) return {};
    TInterfaceRef<IKestStatusInfoNotificationClient> client =
        AItem.Query<IKestStatusInfoNotificationClient>();
    if (!client) throw Exception(QStringLiteral("Interface not supported"));
    return client;
}

} // namespace

int32_t TKestStatusInfoNotificationClients::Count() const {
    QMutexLocker lock(&FLock);
    return int32_t(FItems.size());
}

void TKestStatusInfoNotificationClients::AddClient(
    const TInterfaceRef<IKestStatusInfoNotificationClient>& AClient) {
    if (!AClient) return;
    QMutexLocker lock(&FLock);
    const TInterfaceRef<IInterface> item(Identity(AClient));
    if (!FItems.contains(item)) FItems.append(item);
}

void TKestStatusInfoNotificationClients::RemoveClient(
    const TInterfaceRef<IKestStatusInfoNotificationClient>& AClient) {
    QMutexLocker lock(&FLock);
    FItems.removeOne(TInterfaceRef<IInterface>(Identity(AClient)));
}

TInterfaceRef<IKestStatusInfoNotificationClient>
TKestStatusInfoNotificationClients::GetItem(int32_t AIndex) const {
    TInterfaceRef<IInterface> item;
    {
        QMutexLocker lock(&FLock);
        if (AIndex < 0 || AIndex >= FItems.size()) ListIndexError(AIndex);
        item = FItems.at(AIndex);
    }
    return AsClient(item);
}

void TKestStatusInfoNotificationClients::SetItem(
    int32_t AIndex, const TInterfaceRef<IKestStatusInfoNotificationClient>& AValue) {
    QMutexLocker lock(&FLock);
    if (AIndex < 0 || AIndex >= FItems.size()) ListIndexError(AIndex);
    FItems[AIndex] = TInterfaceRef<IInterface>(Identity(AValue));
}

// A copy of the list as it stands: clients added or removed during a round change the next one only,
// and each client told is held until it has been told.
QList<TInterfaceRef<IKestStatusInfoNotificationClient>> TKestStatusInfoNotificationClients::Clients() const {
    QList<TInterfaceRef<IInterface>> items;
    {
        QMutexLocker lock(&FLock);
        items = FItems;
    }
    QList<TInterfaceRef<IKestStatusInfoNotificationClient>> clients;
    clients.reserve(items.size());
    for (const TInterfaceRef<IInterface>& item : items) {
        if (item) clients.append(AsClient(item));
    }
    return clients;
}

void TKestStatusInfoNotificationClients::CallClients_NotifyChangedStatusInfo(const QString& AStr) {
    for (const TInterfaceRef<IKestStatusInfoNotificationClient>& client : Clients())
        client->NotifyChangedStatusInfo(AStr);
}

void TKestStatusInfoNotificationClients::CallClients_NotifyChangedProgressCode(int32_t AValue) {
    for (const TInterfaceRef<IKestStatusInfoNotificationClient>& client : Clients())
        client->NotifyChangedProgressCode(AValue);
}

void TKestStatusInfoNotificationClients::CallClients_NotifyChangedMessageBoxVisible(bool AState) {
    for (const TInterfaceRef<IKestStatusInfoNotificationClient>& client : Clients())
        client->NotifyChangedMessageBoxVisible(AState);
}

// --- TKestStatusInfo ---------------------------------------------------------------------------

void TKestStatusInfo::SetStatusInfo(const QString& AValue) {
    if (AValue == FStatusInfo) return;
    const QString value = AValue; // AValue may be FLastStatusInfo itself
    FLastStatusInfo = FStatusInfo;
    FStatusInfo = value;
    FNotificationClients.CallClients_NotifyChangedStatusInfo(value);
    if (SlowStatusUpdateMs != 0) DelayMs(SlowStatusUpdateMs);
}

void TKestStatusInfo::SetProgressCode(int32_t AValue) {
    if (AValue == FProgressCode) return;
    FProgressCode = AValue;
    if (BusyCursorProc) BusyCursorProc(AValue != 0);
    FNotificationClients.CallClients_NotifyChangedProgressCode(AValue);
}

void TKestStatusInfo::SetMessageBoxVisible(bool AValue) {
    if (AValue == FMessageBoxVisible) return;
    FMessageBoxVisible = AValue;
    FNotificationClients.CallClients_NotifyChangedMessageBoxVisible(AValue);
}

void TKestStatusInfo::AddNotificationClient(const TInterfaceRef<IKestStatusInfoNotificationClient>& AClient) {
    FNotificationClients.AddClient(AClient);
}

void TKestStatusInfo::RemoveNotificationClient(
    const TInterfaceRef<IKestStatusInfoNotificationClient>& AClient) {
    FNotificationClients.RemoveClient(AClient);
}

TInterfaceRef<IKestStatus> TKestStatusInfo::PushStatusFmt(const QString& AFormat, const QVariantList& AArgs) {
    return PushStatus(Format(AFormat, AArgs), -1);
}

TInterfaceRef<IKestStatus> TKestStatusInfo::PushStatus(const QString& AText, int32_t AProgressCode) {
    TInterfaceRef<IKestStatus> status = PushCurrentStatus();
    status->SetStatus(AText, AProgressCode);
    return status;
}

TInterfaceRef<IKestStatus> TKestStatusInfo::PushCurrentStatus() {
    return TInterfaceRef<IKestStatus>(new TKestStatus);
}

void TKestStatusInfo::LastStatusInfo() {
    if (!FLastStatusInfo.isEmpty()) SetStatusInfo(FLastStatusInfo);
}

// --- TKestStatus -------------------------------------------------------------------------------

// A scoped status acts on StatusInfo while it exists; without it there is nothing to show or restore.
TKestStatus::TKestStatus() : TKestInterfacedObject(true) {
    if (StatusInfo == nullptr) return;
    FLastStatus = StatusInfo->GetStatusInfo();
    FLastProgressCode = StatusInfo->GetProgressCode();
}

TKestStatus::~TKestStatus() {
    if (StatusInfo == nullptr) return;
    StatusInfo->SetStatusInfo(FLastStatus);
    StatusInfo->SetProgressCode(FLastProgressCode);
}

void TKestStatus::SetStatus(const QString& AText, int32_t AProgressCode) {
    if (StatusInfo == nullptr) return;
    if (StatusInfo->GetStatusInfo().isEmpty())
        StatusInfo->SetStatusInfo(AText);
    else if (!EndsWithText(AText, FLastStatus, false))
        StatusInfo->SetStatusInfo(AppendListItem(AText, FLastStatus, true));
    if (AText.isEmpty())
        StatusInfo->SetProgressCode(0);
    else if (AProgressCode != -1)
        StatusInfo->SetProgressCode(AProgressCode);
    else if (StatusInfo->GetProgressCode() == 0)
        StatusInfo->SetProgressCode(-1);
}

void TKestStatus::SetStatusAndProgress(const QString& AText, int32_t ACurrent, int32_t ATotal) {
    SetStatus(AText, -1);
    SetProgress(ACurrent, ATotal);
}

void TKestStatus::SetProgress(int32_t ACurrent, int32_t ATotal) {
    if (StatusInfo == nullptr) return;
    if (ATotal == 0) {
        StatusInfo->SetProgressCode(-1);
        return;
    }
    // In 64 bits, so a large ACurrent still gives its true percentage.
    int64_t percentage = std::llabs(int64_t(ACurrent) * 100 / ATotal);
    if (percentage > 100)
        percentage = 100;
    else if (percentage <= 0)
        percentage = 2;
    StatusInfo->SetProgressCode(int32_t(percentage));
}

// --- Globals -----------------------------------------------------------------------------------

void CreateStatusInfo() {
    if (StatusInfo == nullptr) StatusInfo = new TKestStatusInfo;
}

void FreeStatusInfo() {
    delete StatusInfo;
    StatusInfo = nullptr;
}

TInterfaceRef<IKestStatusInfo> GetStatusInfoIntf() {
    return StatusInfo != nullptr ? TInterfaceRef<IKestStatusInfo>(StatusInfo)
                                 : TInterfaceRef<IKestStatusInfo>();
}

} // namespace Tessel
