// wrenfold-bench-write [--atomic | --tree] FOLDER: the baseline of the batch benchmarks. Reads every
// .dproj file of FOLDER (with --tree: every .dproj, .dpk and .groupproj below it) into memory, then
// writes them all back (same names, sizes and contents) and prints on standard output the time the
// writing alone took in nanoseconds, the number of files and their total size. Plain writes
// overwrite each file in place; --atomic writes each one the way the CLI writes its output (a
// temporary file beside it, renamed over the old one once complete, not flushed).
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TOutputFile {
    std::filesystem::path Path;
    std::string Bytes;
};

bool WriteAll(const TOutputFile& AFile, bool AAtomic) {
    const std::filesystem::path target =
        AAtomic ? AFile.Path.parent_path() / ("." + AFile.Path.filename().string() + ".tmp") : AFile.Path;
    const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const char* data = AFile.Bytes.data();
    std::size_t left = AFile.Bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            ::close(fd);
            return false;
        }
        data += written;
        left -= std::size_t(written);
    }
    if (::close(fd) != 0) return false;
    return !AAtomic || ::rename(target.c_str(), AFile.Path.c_str()) == 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool atomic = argc == 3 && std::strcmp(argv[1], "--atomic") == 0;
    const bool tree = argc == 3 && std::strcmp(argv[1], "--tree") == 0;
    if (argc != 2 && !atomic && !tree) {
        std::fprintf(stderr, "Usage: %s [--atomic | --tree] FOLDER\n", argv[0]);
        return 2;
    }
    std::vector<TOutputFile> files;
    const auto take = [&](const std::filesystem::directory_entry& AEntry) {
        const std::filesystem::path extension = AEntry.path().extension();
        if (!AEntry.is_regular_file() ||
            (extension != ".dproj" && (!tree || (extension != ".dpk" && extension != ".groupproj"))))
            return;
        std::ifstream in(AEntry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files.push_back({AEntry.path(), std::move(bytes).str()});
    };
    if (tree)
        for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[argc - 1]))
            take(entry);
    else
        for (const auto& entry : std::filesystem::directory_iterator(argv[argc - 1]))
            take(entry);
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.Path < b.Path; });

    const auto start = std::chrono::steady_clock::now();
    for (const TOutputFile& file : files)
        if (!WriteAll(file, atomic)) {
            std::fprintf(stderr, "error: cannot write %s: %s\n", file.Path.c_str(), std::strerror(errno));
            return 1;
        }
    const auto elapsed = std::chrono::steady_clock::now() - start;

    std::size_t bytes = 0;
    for (const TOutputFile& file : files)
        bytes += file.Bytes.size();
    std::printf("%lld %zu %zu\n", static_cast<long long>(std::chrono::nanoseconds(elapsed).count()),
                files.size(), bytes);
    return 0;
}
