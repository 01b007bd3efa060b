// Cancelling a long operation with the Esc key: captures that nest and can be suspended, an optional
// confirmation, and the silent abort.
#pragma once

#include "Tessel/UKestDefs/InterfacedObject.h"

#include <QChar>
#include <QString>

#include <cstdint>

namespace Tessel {

class IKestCancelHandler : public virtual IInterface {
public:
    // The recorded request, seen only while a capture is open and not suspended.
    virtual bool Cancelled() = 0;
    // Records a request after confirming it (once); raises EAbort when the capture asked for it.
    virtual void SetCancelled() = 0;
    virtual void ClearCancelled() = 0;
    // True while a capture is open and not suspended.
    virtual bool IsCaptureEnabled() = 0;
    // Opens a capture; the first one clears any old request. AEnableCancelPrompt: ask before
    // recording a request. ARaiseAbort: a confirmed request raises EAbort.
    virtual void BeginCapture(bool AEnableCancelPrompt, bool ARaiseAbort) = 0;
    // Closes a capture (the last one clears the request) and forgets the custom prompt.
    virtual void EndCapture() = 0;
    virtual void SuspendCapture() = 0;
    virtual void ResumeCapture() = 0;
    // For Esc (27): whether a capture is enabled, recording a request first when it is. Any other
    // character: false.
    virtual bool IsCancelKey(QChar AChar) = 0;
    // The question asked before recording a request; empty asks "Cancel the operation?".
    virtual void SetCancelPrompt(const QString& APrompt) = 0;
};

// The cancel handler; reference counted.
class TKestCancelHandler : public TKestInterfacedObject, public IKestCancelHandler {
public:
    TKestCancelHandler() : TKestInterfacedObject(true) {}

    bool Cancelled() override;
    void SetCancelled() override;
    void ClearCancelled() override;
    bool IsCaptureEnabled() override;
    void BeginCapture(bool AEnableCancelPrompt, bool ARaiseAbort) override;
    void EndCapture() override;
    void SuspendCapture() override;
    void ResumeCapture() override;
    bool IsCancelKey(QChar AChar) override;
    void SetCancelPrompt(const QString& APrompt) override;

private:
    bool IsCaptureSuspended() const { return FSuspendCount > 0; }
    bool ConfirmCancel();

    bool FCancelled = false;
    int32_t FCaptureCount = 0;
    bool FEnableCancelPrompt = false;
    QString FCancelPrompt;
    int32_t FSuspendCount = 0;
    bool FRaiseAbort = false;
};

// The program's cancel handler, made by the library's start-up; empty before it and after shutdown.
extern TInterfaceRef<IKestCancelHandler> CancelHandler;

} // namespace Tessel
