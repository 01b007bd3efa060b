// The keyboard's state at this moment, where the platform can tell it.
#pragma once

namespace Tessel {

// Whether F8 is held down now. Linux cannot tell that without a window of its own (no display,
// Wayland, a console), so it is never held there.
bool F8KeyHeldNow();

} // namespace Tessel
