#include "Tessel/Rtl/Debugger.h"

#include <windows.h>

namespace Tessel {

bool DebuggerAttached() {
    return ::IsDebuggerPresent() != 0;
}

} // namespace Tessel
