// wrenfold-bench-versions CLI BASELINE PEER FOLDER LOGFILE [REPETITIONS]: the versions figure. Runs
// "CLI make FOLDER/Library.wfmconfig" (every output of every target, full log to LOGFILE), the
// baseline writer BASELINE --tree on the tree it made, and for comparison the peer script PEER that
// copies one version's files into every version's folder; compares the best wall time of the CLI
// with the best wall time of the baseline process (start-up, reading the files and writing them).
#include "BenchWorkload.h"
#include "ChildRun.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>

using namespace Wrenfold::Bench;

namespace {

constexpr double TimeRatioTarget = 1.5;

int CountOutputs(const std::filesystem::path& AFolder) {
    int count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(AFolder)) {
        const auto extension = entry.path().extension();
        if (entry.is_regular_file() &&
            (extension == ".dproj" || extension == ".dpk" || extension == ".groupproj"))
            ++count;
    }
    return count;
}

const char* Verdict(bool APassed) {
    return APassed ? "PASS" : "FAIL";
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 6 || argc > 7) {
        std::fprintf(stderr, "Usage: %s CLI BASELINE PEER FOLDER LOGFILE [REPETITIONS]\n", argv[0]);
        return 2;
    }
    const std::string cli = argv[1];
    const std::string baseline = argv[2];
    const std::string peer = argv[3];
    const std::filesystem::path folder = std::filesystem::absolute(argv[4]);
    const std::string logFile = argv[5];
    const int repetitions = argc == 7 ? std::max(1, std::atoi(argv[6])) : 5;
    const std::string configuration = (folder / VersionsConfigName).string();
    const std::string errors = logFile + ".stderr";
    const std::filesystem::path peerFolder = folder.string() + "-peer";

    double bestCli = std::numeric_limits<double>::max();
    double bestBaseline = bestCli;
    double bestWriting = bestCli;
    double bestPeer = bestCli;
    long peakKB = 0;
    for (int i = 0; i < repetitions; ++i) {
        ::sync();
        const TChildRun run = RunChild({cli, "make", configuration}, logFile, errors);
        if (!run.Exited || run.ExitCode != 0) {
            std::fprintf(stderr, "error: wrenfold-cli make failed (exit %d):\n%s", run.ExitCode,
                         ReadWholeFile(errors).c_str());
            return 2;
        }
        bestCli = std::min(bestCli, run.Seconds);
        peakKB = std::max(peakKB, run.MaxRssKB);

        ::sync();
        const TChildRun plain =
            RunChild({baseline, "--tree", folder.string()}, logFile + ".baseline", errors);
        long long nanoseconds = 0;
        if (!plain.Exited || plain.ExitCode != 0 ||
            std::sscanf(ReadWholeFile(logFile + ".baseline").c_str(), "%lld", &nanoseconds) != 1) {
            std::fprintf(stderr, "error: the baseline writer failed:\n%s", ReadWholeFile(errors).c_str());
            return 2;
        }
        bestBaseline = std::min(bestBaseline, plain.Seconds);
        bestWriting = std::min(bestWriting, double(nanoseconds) / 1e9);

        ::sync();
        const TChildRun copied =
            RunChild({peer, folder.string(), peerFolder.string()}, logFile + ".peer", errors);
        if (!copied.Exited || copied.ExitCode != 0) {
            std::fprintf(stderr, "error: the peer script failed:\n%s", ReadWholeFile(errors).c_str());
            return 2;
        }
        bestPeer = std::min(bestPeer, copied.Seconds);
    }
    const int outputs = CountOutputs(folder);
    if (outputs != VersionTargets * VersionOutputs) {
        std::fprintf(stderr, "error: the tree holds %d outputs, not %d\n", outputs,
                     VersionTargets * VersionOutputs);
        return 2;
    }
    const double ratio = bestCli / bestBaseline;
    const bool passed = ratio <= TimeRatioTarget;
    std::printf(
        "Figure 5: wrenfold-cli make, %d targets by %d outputs, versus one process writing the same %d "
        "files (best of %d each)\n",
        VersionTargets, VersionOutputs, outputs, repetitions);
    std::printf("  wrenfold-cli make, full log to a file     %9.1f ms  (peak memory %.1f MB)\n",
                bestCli * 1e3, double(peakKB) / 1024.0);
    std::printf("  baseline process: reading and writing them %8.1f ms  (the writing alone %.1f ms)\n",
                bestBaseline * 1e3, bestWriting * 1e3);
    std::printf("  time ratio   %8.2f     target <= %.1f     %s\n", ratio, TimeRatioTarget, Verdict(passed));
    std::printf("  for comparison: the peer script copying one version into every folder with sed  %.1f ms\n",
                bestPeer * 1e3);
    return passed ? 0 : 1;
}
