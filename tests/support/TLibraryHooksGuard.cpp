#include "support/TLibraryHooksGuard.h"

#include "Tessel/UKestLibrary/Debug.h"
#include "Tessel/UKestLibrary/Status.h"
#include "Tessel/UKestLibrary/UserLevels.h"
#include "Tessel/UKestStartup.h"

TLibraryHooksGuard::~TLibraryHooksGuard() {
    Tessel::ShowMsgHook = nullptr;
    Tessel::ConfirmHook = nullptr;
    Tessel::LogEventHook = nullptr;
    Tessel::MessageDialogProc = nullptr;
    Tessel::QuestionBoxProc = nullptr;
    Tessel::DebugOutputProc = nullptr;
    Tessel::BusyCursorProc = nullptr;
    Tessel::UserNameHook = nullptr;
    Tessel::F8KeyHeldProc = nullptr;
}
