// wrenfold-bench-workload FOLDER: makes the benchmark workloads in FOLDER (Batch/, Dproj/ and
// Versions/).
#include "BenchWorkload.h"

#include <cstdio>
#include <exception>

using namespace Wrenfold::Bench;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        MakeBatchWorkload(folder / BatchFolderName, 1000);
        MakeDprojWorkload(folder / DprojFolderName, SmallProjectName, 512 * 1024, 1000);
        MakeDprojWorkload(folder / DprojFolderName, LargeProjectName, 5 * 1024 * 1024, 10000);
        MakeVersionsWorkload(folder / VersionsFolderName);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
    return 0;
}
