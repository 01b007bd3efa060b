// Running a benchmark's child process: its wall time and peak memory, and reading its output files.
#pragma once

#include <string>
#include <vector>

namespace Wrenfold::Bench {

struct TChildRun {
    bool Exited = false;
    int ExitCode = -1;
    double Seconds = 0;
    long MaxRssKB = 0; // the child's peak resident set size
};

// Starts AArguments with standard output and error sent to the named files, waits for it and returns
// its wall time and peak memory.
TChildRun RunChild(const std::vector<std::string>& AArguments, const std::string& AStdout,
                   const std::string& AStderr);

std::string ReadWholeFile(const std::string& AFile);

} // namespace Wrenfold::Bench
