#include "Tessel/Rtl/KeyboardState.h"

namespace Tessel {

bool F8KeyHeldNow() {
    return false;
}

} // namespace Tessel
