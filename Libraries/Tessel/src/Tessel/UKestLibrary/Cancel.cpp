#include "Tessel/UKestLibrary/Cancel.h"

#include "Tessel/Rtl/Exception.h"
#include "Tessel/UKestLibrary/Debug.h"

namespace Tessel {

TInterfaceRef<IKestCancelHandler> CancelHandler;

bool TKestCancelHandler::Cancelled() {
    return IsCaptureEnabled() && FCancelled;
}

void TKestCancelHandler::SetCancelled() {
    if (Cancelled()) return;
    if (!ConfirmCancel()) return;
    FCancelled = true;
    if (FRaiseAbort) throw EAbort();
}

void TKestCancelHandler::ClearCancelled() {
    FCancelled = false;
    FRaiseAbort = false;
}

bool TKestCancelHandler::IsCaptureEnabled() {
    return FCaptureCount > 0 && !IsCaptureSuspended();
}

void TKestCancelHandler::BeginCapture(bool AEnableCancelPrompt, bool ARaiseAbort) {
    if (FCaptureCount == 0) ClearCancelled();
    if (ARaiseAbort) FRaiseAbort = true;
    ++FCaptureCount;
    FEnableCancelPrompt = AEnableCancelPrompt;
}

void TKestCancelHandler::EndCapture() {
    if (FCaptureCount > 0) --FCaptureCount;
    if (FCaptureCount == 0) ClearCancelled();
    FCancelPrompt.clear();
}

void TKestCancelHandler::SuspendCapture() {
    ++FSuspendCount;
}

void TKestCancelHandler::ResumeCapture() {
    if (FSuspendCount > 0) --FSuspendCount;
}

bool TKestCancelHandler::IsCancelKey(QChar AChar) {
    if (AChar.unicode() != 27) return false;
    if (!IsCaptureEnabled()) return false;
    SetCancelled();
    return true;
}

void TKestCancelHandler::SetCancelPrompt(const QString& APrompt) {
    FCancelPrompt = APrompt;
}

bool TKestCancelHandler::ConfirmCancel() {
    if (!FEnableCancelPrompt) return true;
    const QString prompt = FCancelPrompt.isEmpty() ? QStringLiteral("Cancel the operation?") : FCancelPrompt;
    return ConfirmYesNo(prompt, 0, false);
}

} // namespace Tessel
