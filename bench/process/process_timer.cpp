// Times one run of a program as a whole: from just before it is spawned to
// just after it is reaped, with the CPU time the kernel charged it. Timing
// from a shell costs a process or two of its own inside the window, which
// for a program that runs a few milliseconds is most of what is measured.
//
//   dyvern-process-timer [-C DIR] [-o FILE] -- PROGRAM [ARGUMENT...]
//
// The program's standard output and error go to FILE (default /dev/null);
// one line goes to standard output: wall seconds, then CPU seconds (user
// and system). Exit status 1 when the program could not be run or failed.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Request {
    std::string directory;
    std::string output = "/dev/null";
    std::vector<char*> command;  // null-terminated
};

bool ParseRequest(int argc, char** argv, Request& request) {
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; i += 2) {
        if (i + 1 >= argc) return false;
        if (std::strcmp(argv[i], "-C") == 0)
            request.directory = argv[i + 1];
        else if (std::strcmp(argv[i], "-o") == 0)
            request.output = argv[i + 1];
        else
            return false;
    }
    if (i + 1 >= argc) return false;
    request.command.assign(argv + i + 1, argv + argc);
    request.command.push_back(nullptr);
    return true;
}

double Seconds(const timeval& t) { return t.tv_sec + t.tv_usec * 1e-6; }

// The file actions of posix_spawn own their list; this frees it on every path.
class Redirection {
public:
    explicit Redirection(const std::string& path) {
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    }
    ~Redirection() { posix_spawn_file_actions_destroy(&actions); }
    Redirection(const Redirection&) = delete;
    Redirection& operator=(const Redirection&) = delete;
    const posix_spawn_file_actions_t* get() const { return &actions; }

private:
    posix_spawn_file_actions_t actions;
};

}  // namespace

int main(int argc, char** argv) {
    Request request;
    if (!ParseRequest(argc, argv, request)) {
        std::fprintf(stderr,
                     "usage: dyvern-process-timer [-C DIR] [-o FILE] -- PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    if (!request.directory.empty() && chdir(request.directory.c_str()) != 0) {
        std::fprintf(stderr, "cannot enter %s: %s\n", request.directory.c_str(),
                     std::strerror(errno));
        return 1;
    }
    const Redirection redirection(request.output);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, request.command[0], redirection.get(), nullptr,
                                     request.command.data(), environ);
    if (spawned != 0) {
        std::fprintf(stderr, "cannot run %s: %s\n", request.command[0], std::strerror(spawned));
        return 1;
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) {
        std::fprintf(stderr, "lost %s: %s\n", request.command[0], std::strerror(errno));
        return 1;
    }
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    std::printf("%.6f %.6f\n", wall.count(), Seconds(usage.ru_utime) + Seconds(usage.ru_stime));
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return 0;
    std::fprintf(stderr, "%s failed (%s %d)\n", request.command[0],
                 WIFEXITED(status) ? "exit status" : "signal",
                 WIFEXITED(status) ? WEXITSTATUS(status) : WTERMSIG(status));
    return 1;
}
