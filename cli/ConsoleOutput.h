// What the program's standard output is connected to.
#pragma once

namespace Wrenfold {

// Whether standard output goes to a terminal (a console window on Windows) rather than to a file
// or a pipe.
bool StandardOutputIsTerminal();

} // namespace Wrenfold
