// The program-wide status (text, progress code, message-box flag) with its notification clients,
// and scoped statuses that put back what they found.
#pragma once

#include "Tessel/UKestDefs/InterfacedObject.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <QVariantList>

#include <cstdint>
#include <functional>

namespace Tessel {

// Progress codes: 0 idle, -1 busy without a known fraction, 1 to 100 per cent complete.

// Told of every change of the status.
class IKestStatusInfoNotificationClient : public virtual IInterface {
public:
    static constexpr QUuid IID = GuidFromText("{976B1AE7-28BD-4383-9E07-5246854C41A0}");
    virtual void NotifyChangedProgressCode(int32_t AValue) = 0;
    virtual void NotifyChangedStatusInfo(const QString& AStr) = 0;
    virtual void NotifyChangedMessageBoxVisible(bool AState) = 0;
};

// A scoped status: shows an operation's text and progress under the text it found, and puts back
// the text and progress code it found when its last reference goes.
class IKestStatus : public virtual IInterface {
public:
    virtual void SetStatus(const QString& AText, int32_t AProgressCode) = 0;
    virtual void SetStatusAndProgress(const QString& AText, int32_t ACurrent, int32_t ATotal) = 0;
    virtual void SetProgress(int32_t ACurrent, int32_t ATotal) = 0;
};

// The program-wide status.
class IKestStatusInfo : public virtual IInterface {
public:
    virtual QString GetStatusInfo() = 0;
    virtual void SetStatusInfo(const QString& AValue) = 0;
    virtual int32_t GetProgressCode() = 0;
    virtual void SetProgressCode(int32_t AValue) = 0;
    virtual bool GetMessageBoxVisible() = 0;
    virtual void SetMessageBoxVisible(bool AValue) = 0;
    virtual QString GetMessageBoxHelpTopic() = 0;
    virtual void SetMessageBoxHelpTopic(const QString& AValue) = 0;
    virtual void AddNotificationClient(const TInterfaceRef<IKestStatusInfoNotificationClient>& AClient) = 0;
    virtual void
    RemoveNotificationClient(const TInterfaceRef<IKestStatusInfoNotificationClient>& AClient) = 0;
    // PushStatus of the text formatted with the user's settings and the code -1.
    virtual TInterfaceRef<IKestStatus> PushStatusFmt(const QString& AFormat, const QVariantList& AArgs) = 0;
    virtual TInterfaceRef<IKestStatus> PushStatus(const QString& AText, int32_t AProgressCode) = 0;
    virtual TInterfaceRef<IKestStatus> PushCurrentStatus() = 0;
};

// The status's clients, each held by a counted reference, in the order they were added. Single list
// operations are serialised.
class TKestStatusInfoNotificationClients {
public:
    int32_t Count() const;
    // Ignores an empty reference and one already listed.
    void AddClient(const TInterfaceRef<IKestStatusInfoNotificationClient>& AClient);
    void RemoveClient(const TInterfaceRef<IKestStatusInfoNotificationClient>& AClient);
    TInterfaceRef<IKestStatusInfoNotificationClient> GetItem(int32_t AIndex) const;
    void SetItem(int32_t AIndex, const TInterfaceRef<IKestStatusInfoNotificationClient>& AValue);
    // Tell every client listed when the call begins, in list order.
    void CallClients_NotifyChangedStatusInfo(const QString& AStr);
    void CallClients_NotifyChangedProgressCode(int32_t AValue);
    void CallClients_NotifyChangedMessageBoxVisible(bool AState);

private:
    QList<TInterfaceRef<IKestStatusInfoNotificationClient>> Clients() const;

    mutable QMutex FLock;
    QList<TInterfaceRef<IInterface>> FItems;
};

// The one status holder. Not reference counted: its owner frees it.
class TKestStatusInfo : public TKestInterfacedObject, public IKestStatusInfo {
public:
    TKestStatusInfo() : TKestInterfacedObject(false) {}

    // Unchanged text does nothing. A change is told to the clients and then, when SlowStatusUpdateMs
    // is set, the thread waits that long.
    QString GetStatusInfo() override { return FStatusInfo; }
    void SetStatusInfo(const QString& AValue) override;
    int32_t GetProgressCode() override { return FProgressCode; }
    // A change also sets the screen-wide cursor: busy while the code is not 0.
    void SetProgressCode(int32_t AValue) override;
    bool GetMessageBoxVisible() override { return FMessageBoxVisible; }
    void SetMessageBoxVisible(bool AValue) override;
    QString GetMessageBoxHelpTopic() override { return FMessageBoxHelpTopic; }
    void SetMessageBoxHelpTopic(const QString& AValue) override { FMessageBoxHelpTopic = AValue; }
    void AddNotificationClient(const TInterfaceRef<IKestStatusInfoNotificationClient>& AClient) override;
    void RemoveNotificationClient(const TInterfaceRef<IKestStatusInfoNotificationClient>& AClient) override;
    TInterfaceRef<IKestStatus> PushStatusFmt(const QString& AFormat, const QVariantList& AArgs) override;
    TInterfaceRef<IKestStatus> PushStatus(const QString& AText, int32_t AProgressCode) override;
    TInterfaceRef<IKestStatus> PushCurrentStatus() override;

    TKestStatusInfoNotificationClients& NotificationClients() { return FNotificationClients; }
    // Puts back the text the last change replaced, when there is one.
    void LastStatusInfo();

private:
    TKestStatusInfoNotificationClients FNotificationClients;
    int32_t FProgressCode = 0;
    QString FStatusInfo;
    bool FMessageBoxVisible = false;
    QString FMessageBoxHelpTopic;
    QString FLastStatusInfo;
};

// A scoped status over StatusInfo; reference counted.
class TKestStatus : public TKestInterfacedObject, public IKestStatus {
public:
    // Records the status text and progress code of StatusInfo.
    TKestStatus();
    // Puts back the recorded text, then the recorded code.
    ~TKestStatus() override;

    // The text becomes AText when the status is empty, else the recorded text followed by ", " and
    // AText, unless the recorded text already ends with AText. The code: 0 for an empty AText, else
    // AProgressCode, but -1 only over the idle code 0.
    void SetStatus(const QString& AText, int32_t AProgressCode) override;
    // SetStatus with AText and -1, then SetProgress.
    void SetStatusAndProgress(const QString& AText, int32_t ACurrent, int32_t ATotal) override;
    // The code becomes |ACurrent * 100 div ATotal| limited to 100, with 2 for 0 and -1 when ATotal is 0.
    void SetProgress(int32_t ACurrent, int32_t ATotal) override;

private:
    QString FLastStatus;
    int32_t FLastProgressCode = 0;
};

// The program's status holder, made by CreateStatusInfo.
extern TKestStatusInfo* StatusInfo;
// Makes StatusInfo unless it exists.
void CreateStatusInfo();
// Frees StatusInfo.
void FreeStatusInfo();
// StatusInfo's interface, or an empty reference when there is none.
TInterfaceRef<IKestStatusInfo> GetStatusInfoIntf();

// Milliseconds every change of the status text waits; 0 (no wait) unless set at start-up.
extern int32_t SlowStatusUpdateMs;

// Shows the screen-wide busy cursor (true) or the normal one (false); installed by the window.
using TBusyCursorProc = std::function<void(bool ABusy)>;
extern TBusyCursorProc BusyCursorProc;

} // namespace Tessel
