#include "Tessel/Rtl/KeyboardState.h"

#include <windows.h>

namespace Tessel {

bool F8KeyHeldNow() {
    // The high bit tells that the key is down now.
    return (::GetAsyncKeyState(VK_F8) & 0x8000) != 0;
}

} // namespace Tessel
