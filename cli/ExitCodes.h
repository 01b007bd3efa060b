// The exit statuses of wrenfold-cli, one table for all of its commands.
#pragma once

namespace Wrenfold {

enum TExitCode {
    ecSuccess = 0,
    ecFailed = 1, // the command failed
    ecUsage = 2,  // a usage error; adopt: a file that is no .dproj
    // --check found an output that would change or is missing, lint warned, or adopt --batch found
    // projects that no shared template makes
    ecWouldChange = 3,
    ecCancelled = 130, // batch: stopped by Ctrl+C (128 + SIGINT); the projects made before it stay
};

} // namespace Wrenfold
