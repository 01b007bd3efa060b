#include "engine/TCancelCapture.h"

#include "Tessel/UKestLibrary/Cancel.h"

namespace Wrenfold {

namespace {

constexpr QChar EscKey(27);

} // namespace

TCancelCapture::TCancelCapture(const QString& AConfirmPrompt) {
    if (!Tessel::CancelHandler) return;
    // The silent abort stays off: a batch stops between its projects, never inside one.
    Tessel::CancelHandler->BeginCapture(!AConfirmPrompt.isEmpty(), false);
    Tessel::CancelHandler->SetCancelPrompt(AConfirmPrompt);
    FOpen = true;
}

TCancelCapture::~TCancelCapture() {
    if (FOpen && Tessel::CancelHandler) Tessel::CancelHandler->EndCapture();
}

bool RequestCancel() {
    if (!Tessel::CancelHandler || !Tessel::CancelHandler->IsCancelKey(EscKey)) return false;
    return Tessel::CancelHandler->Cancelled();
}

bool CancelRequested() {
    return Tessel::CancelHandler && Tessel::CancelHandler->Cancelled();
}

} // namespace Wrenfold
