// wrenfold-bench-batch CLI BASELINE FOLDER LOGFILE [REPETITIONS]: the batch figure. Runs
// "CLI batch FOLDER/AllProjects.wfmconfig" with its full log written to LOGFILE, and the baseline writer
// BASELINE on the same folder, in turn; compares the best wall time of the CLI with the best time the
// baseline needs to write the same output files, and reports the CLI's peak memory. For comparison
// only, it also shows the time of writing the files atomically (a temporary file renamed into place).
#include "ChildRun.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

using namespace Wrenfold::Bench;

namespace {

constexpr double TimeRatioTarget = 1.5;
constexpr double PeakMemoryTargetMB = 100.0;

int CountFiles(const std::filesystem::path& AFolder, const std::string& AExtension) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(AFolder))
        if (entry.is_regular_file() && entry.path().extension() == AExtension) ++count;
    return count;
}

// The last non-empty line of a text.
std::string LastLine(const std::string& AText) {
    std::size_t end = AText.find_last_not_of("\r\n");
    if (end == std::string::npos) return std::string();
    const std::size_t start = AText.find_last_of('\n', end);
    return AText.substr(start == std::string::npos ? 0 : start + 1,
                        end - (start == std::string::npos ? 0 : start + 1) + 1);
}

const char* Verdict(bool APassed) {
    return APassed ? "PASS" : "FAIL";
}

struct TBaselineRun {
    bool Ok = false;
    double Seconds = 0; // the writing alone
    int Files = 0;
    std::size_t Bytes = 0;
};

TBaselineRun RunBaseline(const std::string& ABaseline, bool AAtomic, const std::string& AFolder,
                         const std::string& AOutput) {
    std::vector<std::string> arguments{ABaseline};
    if (AAtomic) arguments.push_back("--atomic");
    arguments.push_back(AFolder);
    const TChildRun run = RunChild(arguments, AOutput, AOutput + ".stderr");
    TBaselineRun result;
    long long nanoseconds = 0;
    result.Ok = run.Exited && run.ExitCode == 0 &&
                std::sscanf(ReadWholeFile(AOutput).c_str(), "%lld %d %zu", &nanoseconds, &result.Files,
                            &result.Bytes) == 3;
    if (!result.Ok)
        std::fprintf(stderr, "error: the baseline writer failed:\n%s",
                     ReadWholeFile(AOutput + ".stderr").c_str());
    result.Seconds = double(nanoseconds) / 1e9;
    return result;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5 || argc > 6) {
        std::fprintf(stderr, "Usage: %s CLI BASELINE FOLDER LOGFILE [REPETITIONS]\n", argv[0]);
        return 2;
    }
    const std::string cli = argv[1];
    const std::string baseline = argv[2];
    const std::filesystem::path folder = std::filesystem::absolute(argv[3]);
    const std::string logFile = argv[4];
    const int repetitions = argc == 6 ? std::max(1, std::atoi(argv[5])) : 5;
    const std::string configuration = (folder / "AllProjects.wfmconfig").string();
    const std::string cliErrors = logFile + ".stderr";
    const std::string baselineOutput = logFile + ".baseline";
    const int projects = CountFiles(folder, ".dpr");

    double bestCli = std::numeric_limits<double>::max();
    double bestBaseline = std::numeric_limits<double>::max();
    double bestAtomic = std::numeric_limits<double>::max();
    long peakKB = 0;
    std::size_t outputBytes = 0;
    int outputFiles = 0;
    for (int i = 0; i < repetitions; ++i) {
        // Each side starts with no dirty pages left behind by the other.
        ::sync();
        const TChildRun run = RunChild({cli, "batch", configuration}, logFile, cliErrors);
        if (!run.Exited || run.ExitCode != 0) {
            std::fprintf(stderr, "error: wrenfold-cli batch failed (exit %d):\n%s", run.ExitCode,
                         ReadWholeFile(cliErrors).c_str());
            return 2;
        }
        bestCli = std::min(bestCli, run.Seconds);
        peakKB = std::max(peakKB, run.MaxRssKB);

        ::sync();
        const TBaselineRun plain = RunBaseline(baseline, false, folder.string(), baselineOutput);
        ::sync();
        const TBaselineRun atomic = RunBaseline(baseline, true, folder.string(), baselineOutput);
        if (!plain.Ok || !atomic.Ok) return 2;
        bestBaseline = std::min(bestBaseline, plain.Seconds);
        bestAtomic = std::min(bestAtomic, atomic.Seconds);
        outputFiles = plain.Files;
        outputBytes = plain.Bytes;
    }

    // The CLI's last run must have made every project and logged the whole batch.
    const std::string log = ReadWholeFile(logFile);
    const long logLines = long(std::count(log.begin(), log.end(), '\n'));
    if (outputFiles != projects || LastLine(log) != "-- Batch complete ---") {
        std::fprintf(stderr, "error: the batch made %d of %d projects; last log line \"%s\"\n", outputFiles,
                     projects, LastLine(log).c_str());
        return 2;
    }

    const double ratio = bestCli / bestBaseline;
    const double peakMB = double(peakKB) / 1024.0;
    const bool ratioPassed = ratio <= TimeRatioTarget;
    const bool memoryPassed = peakMB < PeakMemoryTargetMB;
    std::printf(
        "Figure 1: wrenfold-cli batch, %d projects, versus writing the same %d files (best of %d each)\n",
        projects, outputFiles, repetitions);
    std::printf("  wrenfold-cli batch, full log to a file   %9.1f ms  (log %ld lines, %.1f MB)\n",
                bestCli * 1e3, logLines, double(log.size()) / (1024.0 * 1024.0));
    std::printf("  baseline: writing the %d output files  %9.1f ms  (%.1f MB)\n", outputFiles,
                bestBaseline * 1e3, double(outputBytes) / (1024.0 * 1024.0));
    std::printf("  time ratio   %8.2f     target <= %.1f     %s\n", ratio, TimeRatioTarget,
                Verdict(ratioPassed));
    std::printf("  for comparison: writing them atomically  %9.1f ms  (ratio of the CLI to it %.2f)\n",
                bestAtomic * 1e3, bestCli / bestAtomic);
    std::printf("  peak memory  %8.1f MB  target < %.0f MB    %s\n", peakMB, PeakMemoryTargetMB,
                Verdict(memoryPassed));
    return ratioPassed && memoryPassed ? 0 : 1;
}
