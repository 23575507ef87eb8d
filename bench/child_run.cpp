#include "bench/child_run.h"

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <algorithm>
#include <cstdlib>

namespace zol::bench {

namespace {

using Clock = std::chrono::steady_clock;

double MillisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

double ChildRun::LineMillis(const std::string& prefix) const {
    for (const OutputLine& line : lines) {
        if (line.text.rfind(prefix, 0) == 0)
            return line.millis;
    }
    return -1;
}

ChildRun RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                  std::chrono::seconds timeout,
                  const std::function<void(const std::string&)>& onLine) {
    ChildRun run;
    int out[2];
    if (argv.empty() || ::pipe2(out, O_CLOEXEC) != 0)
        return run;
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const Clock::time_point start = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        for (const std::string& e : env)
            ::putenv(const_cast<char*>(e.c_str()));
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(out[1]);
    if (pid < 0) {
        ::close(out[0]);
        return run;
    }
    const Clock::time_point deadline = start + timeout;
    std::string pending;
    bool killed = false;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd p{out[0], POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(std::max<long long>(left.count(), 0)));
        if (ready == 0) {
            ::kill(pid, SIGKILL);
            killed = true;
            break;
        }
        char chunk[4096];
        const ssize_t n = ::read(out[0], chunk, sizeof chunk);
        if (n <= 0)
            break;
        pending.append(chunk, static_cast<std::size_t>(n));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            run.lines.push_back({MillisSince(start), pending.substr(0, end)});
            pending.erase(0, end + 1);
            if (onLine)
                onLine(run.lines.back().text);
        }
    }
    ::close(out[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    run.millis = MillisSince(start);
    run.peakKib = usage.ru_maxrss;
    run.cpuMillis = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                    static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    run.pageFaults = usage.ru_minflt + usage.ru_majflt;
    run.exited = !killed && WIFEXITED(status);
    run.code = run.exited ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace zol::bench
