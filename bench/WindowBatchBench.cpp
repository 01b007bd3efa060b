// wrenfold-bench-window-batch CLI WINDOW SCRATCH [REPETITIONS]: the window's batch against the CLI's.
// Each repetition makes two fresh 1,000-project batch folders under SCRATCH and runs, in turn,
// "CLI batch" on one (wall time of the whole process) and WINDOW (wrenfold-bench-window, the batch run
// from the window's Make Batch key to the end of the command) on the other; the folders are
// removed afterwards. Prints the median, fastest and slowest of each, the ratio of the medians, the
// window process's peak memory, and whether the Log tab showed the whole log when the batch's last box
// appeared.
#include "BenchWorkload.h"
#include "ChildRun.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

using namespace Wrenfold::Bench;

namespace {

constexpr int Projects = 1000;
constexpr double TimeRatioTarget = 1.5;
constexpr double PeakMemoryTargetMB = 60.0;

double Median(std::vector<double> AValues) {
    std::sort(AValues.begin(), AValues.end());
    const std::size_t middle = AValues.size() / 2;
    return AValues.size() % 2 ? AValues[middle] : (AValues[middle - 1] + AValues[middle]) / 2;
}

const char* Verdict(bool APassed) {
    return APassed ? "PASS" : "FAIL";
}

void PrintTimes(const char* ALabel, const std::vector<double>& ASeconds) {
    const auto [fastest, slowest] = std::minmax_element(ASeconds.begin(), ASeconds.end());
    std::printf("  %-40s median %7.1f ms  (%.1f to %.1f)\n", ALabel, Median(ASeconds) * 1e3, *fastest * 1e3,
                *slowest * 1e3);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc > 5) {
        std::fprintf(stderr, "Usage: %s CLI WINDOW SCRATCH [REPETITIONS]\n", argv[0]);
        return 2;
    }
    const std::string cli = argv[1];
    const std::string window = argv[2];
    const std::filesystem::path scratch = std::filesystem::absolute(argv[3]);
    const int repetitions = argc == 5 ? std::max(1, std::atoi(argv[4])) : 5;
    const std::string output = (scratch / "window-batch.out").string();

    std::vector<double> cliSeconds, windowSeconds, ratios;
    long peakKB = 0;
    bool logComplete = true;
    for (int i = 0; i < repetitions; ++i) {
        const std::filesystem::path cliFolder = scratch / "cli-batch";
        const std::filesystem::path windowFolder = scratch / "window-batch";
        try {
            MakeBatchWorkload(cliFolder, Projects);
            MakeBatchWorkload(windowFolder, Projects);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "error: %s\n", e.what());
            return 2;
        }

        ::sync();
        const TChildRun cliRun = RunChild({cli, "batch", (cliFolder / "AllProjects.wfmconfig").string()},
                                          output, output + ".stderr");
        if (!cliRun.Exited || cliRun.ExitCode != 0) {
            std::fprintf(stderr, "error: wrenfold-cli batch failed (exit %d):\n%s", cliRun.ExitCode,
                         ReadWholeFile(output + ".stderr").c_str());
            return 2;
        }

        ::sync();
        const TChildRun windowRun =
            RunChild({window, (windowFolder / "AllProjects.wfmconfig").string()}, output, output + ".stderr");
        long long nanoseconds = 0;
        int shown = -1, held = -2;
        if (!windowRun.Exited || windowRun.ExitCode != 0 ||
            std::sscanf(ReadWholeFile(output).c_str(), "%lld %d %d", &nanoseconds, &shown, &held) != 3) {
            std::fprintf(stderr, "error: the window's batch failed (exit %d):\n%s", windowRun.ExitCode,
                         ReadWholeFile(output + ".stderr").c_str());
            return 2;
        }
        cliSeconds.push_back(cliRun.Seconds);
        windowSeconds.push_back(double(nanoseconds) / 1e9);
        ratios.push_back(windowSeconds.back() / cliSeconds.back());
        peakKB = std::max(peakKB, windowRun.MaxRssKB);
        logComplete = logComplete && shown == held;

        std::filesystem::remove_all(cliFolder);
        std::filesystem::remove_all(windowFolder);
    }

    const double ratio = Median(windowSeconds) / Median(cliSeconds);
    const auto [lowRatio, highRatio] = std::minmax_element(ratios.begin(), ratios.end());
    const double peakMB = double(peakKB) / 1024.0;
    const bool ratioPassed = ratio <= TimeRatioTarget;
    const bool memoryPassed = peakMB < PeakMemoryTargetMB;
    std::printf("Window batch against the CLI's, %d projects on fresh folders (%d runs each)\n", Projects,
                repetitions);
    PrintTimes("wrenfold-cli batch (whole process)", cliSeconds);
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const std::string windowLabel =
        std::string("the window's Make Batch (") + (platform && *platform ? platform : "offscreen") + ")";
    PrintTimes(windowLabel.c_str(), windowSeconds);
    std::printf("  time ratio   %8.2f     target <= %.1f     %s  (runs %.2f to %.2f)\n", ratio,
                TimeRatioTarget, Verdict(ratioPassed), *lowRatio, *highRatio);
    std::printf("  window peak memory  %6.1f MB  target < %.0f MB    %s\n", peakMB, PeakMemoryTargetMB,
                Verdict(memoryPassed));
    std::printf("  Log tab complete when the last box appears              %s\n", Verdict(logComplete));
    return ratioPassed && memoryPassed && logComplete ? 0 : 1;
}
