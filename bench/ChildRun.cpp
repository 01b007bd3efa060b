#include "ChildRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

extern char** environ;

namespace Wrenfold::Bench {

TChildRun RunChild(const std::vector<std::string>& AArguments, const std::string& AStdout,
                   const std::string& AStderr) {
    std::vector<char*> argv;
    for (const std::string& argument : AArguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, AStdout.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, AStderr.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);

    TChildRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::fprintf(stderr, "error: cannot start %s: %s\n", argv[0], std::strerror(spawned));
        return run;
    }
    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, 0, &usage) < 0)
        if (errno != EINTR) return run;
    run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.Exited = WIFEXITED(status);
    run.ExitCode = run.Exited ? WEXITSTATUS(status) : -1;
    run.MaxRssKB = usage.ru_maxrss;
    return run;
}

std::string ReadWholeFile(const std::string& AFile) {
    std::ifstream in(AFile, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace Wrenfold::Bench
