#include "common/process_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

extern char** environ;

namespace kw {

namespace {

// Enough for any message worth showing; a program that writes more keeps its last part.
constexpr std::size_t kKeptErrorOutput = 16 * 1024;  // [bytes]
constexpr int kMillisecondsPerSecond = 1000;
constexpr useconds_t kReapPollMicroseconds = 2000;

// The read end of a pipe, closed whatever happens.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    void reset() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }

private:
    int fd_;
};

void keepTail(std::string& text) {
    if (text.size() > kKeptErrorOutput) {
        text.erase(0, text.size() - kKeptErrorOutput);
    }
}

void reap(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

ProcessResult PosixProcesses::run(const std::string& program, const std::vector<std::string>& arguments,
                                  int timeoutSeconds) {
    ProcessResult result;
    int pipeFds[2];
    // Close-on-exec, so that programs started at the same time from other threads do not
    // hold this pipe open.
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        result.errorOutput = std::strerror(errno);
        return result;
    }
    Fd readEnd(pipeFds[0]);
    Fd writeEnd(pipeFds[1]);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, writeEnd.get(), STDERR_FILENO);

    std::vector<std::string> copies;
    copies.reserve(arguments.size() + 1);
    copies.push_back(program);
    copies.insert(copies.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& a : copies) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int spawnError = ::posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    writeEnd.reset();
    if (spawnError != 0) {
        result.errorOutput = std::strerror(spawnError);
        return result;
    }
    result.started = true;

    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(timeoutSeconds);
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            ::kill(pid, SIGKILL);
            result.timedOut = true;
            break;
        }
        pollfd waitFor{readEnd.get(), POLLIN, 0};
        const int ready =
            ::poll(&waitFor, 1, static_cast<int>(std::min<long long>(left.count(), kMillisecondsPerSecond)));
        if (ready < 0 && errno != EINTR) {
            break;
        }
        if (ready <= 0) {
            continue;
        }
        const ssize_t got = ::read(readEnd.get(), buffer, sizeof buffer);
        if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN)) {
            break;  // the program closed its standard error: it has ended, or soon will
        }
        if (got > 0) {
            result.errorOutput.append(buffer, static_cast<std::size_t>(got));
            keepTail(result.errorOutput);
        }
    }
    // A program may close its standard error and still run; it gets the rest of its time.
    while (!result.timedOut) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return result;
        }
        if (done < 0 && errno != EINTR) {
            return result;
        }
        if (Clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            result.timedOut = true;
            break;
        }
        ::usleep(kReapPollMicroseconds);
    }
    reap(pid);
    return result;
}

}  // namespace kw
