#include "cli/ConsoleOutput.h"

#include <cstdio>
#include <io.h>

namespace Wrenfold {

bool StandardOutputIsTerminal() {
    return ::_isatty(::_fileno(stdout)) != 0;
}

} // namespace Wrenfold
