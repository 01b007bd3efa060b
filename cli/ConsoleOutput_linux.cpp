#include "cli/ConsoleOutput.h"

#include <unistd.h>

namespace Wrenfold {

bool StandardOutputIsTerminal() {
    return ::isatty(STDOUT_FILENO) != 0;
}

} // namespace Wrenfold
