// wrenfold-bench-dproj FOLDER [benchmark options]: the Make Dproj figure. Runs the engine's generation
// run in process on the 0.5 MB / 1,000-marker project and on the 5 MB / 10,000-marker project of FOLDER
// and compares the best times.
#include "BenchWorkload.h"

#include "engine/IWrenfoldHost.h"
#include "engine/TWrenfoldEngine.h"

#include <QCoreApplication>
#include <QDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <map>
#include <string>
#include <vector>

using namespace Wrenfold;

namespace {

constexpr double TimeRatioTarget = 12.0;

// A front end that shows nothing and answers No.
class TNullHost : public IWrenfoldHost {
public:
    bool AskYesNo(const QString&) override { return false; }
    void ShowErrorBox(const QString&) override {}
    void ShowInfoBox(const QString&) override {}
    void ShowPlainBox(const QString&) override {}
    void SaveProjectIfModified() override {}
    void ProcessPendingEvents() override {}
};

// One Make Dproj run per iteration, as the command does it: documents emptied, template reloaded,
// replace list expanded, output written, the log kept in memory.
void MakeDprojRun(benchmark::State& AState, const QString& AProjectFile) {
    TNullHost host;
    TWrenfoldEngine engine(host);
    try {
        engine.LoadProjectFile(AProjectFile);
        for (auto _ : AState) {
            engine.ClearOutput();
            engine.MakeDproj(false);
        }
    } catch (const Tessel::Exception& e) {
        AState.SkipWithError(qPrintable(e.Message()));
        return;
    }
    AState.counters["input_lines"] = double(engine.synInput.Count());
    AState.counters["log_lines"] = double(engine.synLog.Count());
}

double Minimum(const std::vector<double>& AValues) {
    return AValues.empty() ? 0 : *std::min_element(AValues.begin(), AValues.end());
}

// Shows the aggregates of the repetitions and keeps the best time of every benchmark.
class TBestTimeReporter : public benchmark::ConsoleReporter {
public:
    TBestTimeReporter() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& ARuns) override {
        for (const Run& run : ARuns) {
            if (run.error_occurred)
                FFailed = true;
            else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "min")
                FBest[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
        ConsoleReporter::ReportRuns(ARuns);
    }
    // The best wall and processor times in milliseconds, zero when the benchmark did not run.
    std::pair<double, double> Best(const std::string& AName) const {
        const auto found = FBest.find(AName);
        return found == FBest.end() ? std::pair{0.0, 0.0} : found->second;
    }
    bool Failed() const { return FFailed; }

private:
    std::map<std::string, std::pair<double, double>> FBest;
    bool FFailed = false;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The repetitions of the two sizes take turns, so a change in the machine's load hits both alike.
    std::vector<char*> arguments{argv[0], const_cast<char*>("--benchmark_enable_random_interleaving=true")};
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    int count = int(arguments.size());
    arguments.push_back(nullptr);
    benchmark::Initialize(&count, arguments.data());
    argv = arguments.data();
    if (count != 2) {
        std::fprintf(stderr, "Usage: %s FOLDER [benchmark options]\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const std::string smallName = "MakeDproj_0.5MB_1000_markers";
    const std::string largeName = "MakeDproj_5MB_10000_markers";
    for (const auto& [name, project] :
         {std::pair{smallName, Bench::SmallProjectName}, std::pair{largeName, Bench::LargeProjectName}}) {
        const QString file =
            folder.absoluteFilePath(QString::fromLatin1(project) + QStringLiteral(".wfmconfig"));
        benchmark::RegisterBenchmark(name.c_str(), MakeDprojRun, file)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.5)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true)
            ->ComputeStatistics("min", Minimum)
            ->UseRealTime();
    }
    TBestTimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto [small, smallCpu] = reporter.Best(smallName);
    const auto [large, largeCpu] = reporter.Best(largeName);
    if (reporter.Failed() || small <= 0 || large <= 0) {
        std::fprintf(stderr, "error: a Make Dproj benchmark failed or did not run\n");
        return 2;
    }
    const double ratio = large / small;
    const bool passed = ratio <= TimeRatioTarget;
    std::printf("\nFigure 2: Make Dproj, 5 MB template with 10,000 markers versus 0.5 MB with 1,000 (best of "
                "5 each)\n");
    std::printf("  0.5 MB, 1,000 markers    %9.2f ms  (processor %.2f ms)\n", small, smallCpu);
    std::printf("  5 MB, 10,000 markers     %9.2f ms  (processor %.2f ms)\n", large, largeCpu);
    std::printf("  time ratio   %8.2f     target <= %.0f      %s\n", ratio, TimeRatioTarget,
                passed ? "PASS" : "FAIL");
    std::printf("  for comparison: ratio of the processor times %.2f\n", largeCpu / smallCpu);
    return passed ? 0 : 1;
}
