// Whether a debugger watches the process.
#pragma once

namespace Tessel {

// Whether a debugger (any tracer) is attached to the process now.
bool DebuggerAttached();

} // namespace Tessel
