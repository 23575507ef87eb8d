#include "testsupport/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace zol::testing {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> ArgvPointers(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    return args;
}

int RemainingMs(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() < 0 ? 0 : static_cast<int>(left.count());
}

}  // namespace

ExitResult RunToEnd(const std::vector<std::string>& argv,
                    const std::map<std::string, std::string>& env,
                    std::chrono::milliseconds timeout) {
    ExitResult result;
    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        return result;
    auto args = ArgvPointers(argv);
    const auto start = Clock::now();
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        for (const auto& [name, value] : env)
            ::setenv(name.c_str(), value.c_str(), 1);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    const auto deadline = start + timeout;
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    int open = 2;
    bool timedOut = false;
    while (open > 0) {
        int n = ::poll(fds, 2, RemainingMs(deadline));
        if (n == 0) {
            timedOut = true;
            break;
        }
        if (n < 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            char buf[4096];
            ssize_t got = ::read(fds[i].fd, buf, sizeof buf);
            if (got <= 0) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            } else {
                (i == 0 ? result.output : result.errors).append(buf, static_cast<std::size_t>(got));
            }
        }
    }
    if (timedOut)
        ::kill(pid, SIGKILL);
    for (auto& f : fds) {
        if (f.fd >= 0)
            ::close(f.fd);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    result.exited = !timedOut && WIFEXITED(status);
    result.code = result.exited ? WEXITSTATUS(status) : -1;
    return result;
}

bool BackgroundProcess::Start(const std::vector<std::string>& argv, int lines,
                              std::chrono::milliseconds timeout) {
    Stop();
    lines_.clear();
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        return false;
    auto args = ArgvPointers(argv);
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(out[1], 1);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(out[1]);
    outFd_ = out[0];
    const auto deadline = Clock::now() + timeout;
    std::string pending;
    while (static_cast<int>(lines_.size()) < lines) {
        pollfd fd{outFd_, POLLIN, 0};
        if (::poll(&fd, 1, RemainingMs(deadline)) <= 0)
            return false;
        char buf[256];
        ssize_t got = ::read(outFd_, buf, sizeof buf);
        if (got <= 0)
            return false;
        pending.append(buf, static_cast<std::size_t>(got));
        for (std::size_t nl; (nl = pending.find('\n')) != std::string::npos;) {
            lines_.push_back(pending.substr(0, nl));
            pending.erase(0, nl + 1);
        }
    }
    drain_ = std::thread([fd = outFd_] {
        char buf[4096];
        while (::read(fd, buf, sizeof buf) > 0) {
        }
    });
    return true;
}

void BackgroundProcess::Stop() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        for (int i = 0; i < 50 && ::waitpid(pid_, &status, WNOHANG) == 0; ++i)
            ::usleep(100'000);
        if (::waitpid(pid_, &status, WNOHANG) == 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
        }
        pid_ = -1;
    }
    if (drain_.joinable())
        drain_.join();  // the child is gone: the pipe reports its end
    if (outFd_ >= 0) {
        ::close(outFd_);
        outFd_ = -1;
    }
}

}  // namespace zol::testing
