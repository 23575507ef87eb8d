#include "simulator/tests/sim_process.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

extern char** environ;

namespace zol::test {

namespace {

// Generous: zolsim starts in well under a second, but under the sanitizers
// on a loaded machine it may take several.
constexpr int kStartTimeoutMs = 30000;

}  // namespace

std::string ZolsimPath() {
    return ZOLSIM_PATH;
}

std::string DemoDesignPath() {
    return ZOLSIM_DEMO_DESIGN;
}

SimProcess::~SimProcess() {
    Stop();
}

bool SimProcess::Start(const std::vector<std::string>& arguments) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeFds[1]);

    std::vector<std::string> all = {ZolsimPath(), "--port", "0"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const int spawned = posix_spawn(&pid_, all[0].c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    stdoutFd_ = pipeFds[0];
    if (spawned != 0) {
        pid_ = -1;
        return false;
    }
    std::string first;
    std::string second;
    if (!ReadLine(first, kStartTimeoutMs) || !ReadLine(second, kStartTimeoutMs)) {
        return false;
    }
    port_ = std::atoi(first.c_str());
    controlPort_ = std::atoi(second.c_str());
    return port_ > 0 && controlPort_ > 0;
}

bool SimProcess::ReadLine(std::string& line, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (true) {
        const std::size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            return false;
        }
        pollfd poller{stdoutFd_, POLLIN, 0};
        if (poll(&poller, 1, static_cast<int>(left)) <= 0) {
            return false;
        }
        char buffer[4096];
        const ssize_t got = read(stdoutFd_, buffer, sizeof buffer);
        if (got <= 0) {
            return false;
        }
        pending_.append(buffer, static_cast<std::size_t>(got));
        output_.append(buffer, static_cast<std::size_t>(got));
    }
}

void SimProcess::Stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
    }
    if (stdoutFd_ >= 0) {
        close(stdoutFd_);
        stdoutFd_ = -1;
    }
}

}  // namespace zol::test
