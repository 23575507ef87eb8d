// Runs programs as child processes for end-to-end tests: captures the first
// line of output of long-running ones (zolsim prints its port there) and
// the exit status of short ones, with a time-out that kills a hung child.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace zol::testing {

struct ExitResult {
    bool exited = false;  // false: killed by a signal or by the time-out
    int code = -1;        // exit code when exited
    std::string output;   // standard output
    std::string errors;   // standard error
    std::chrono::milliseconds elapsed{0};
};

// Runs `argv` to its end with extra environment variables; a child still
// running after `timeout` is killed and reported as not exited.
ExitResult RunToEnd(const std::vector<std::string>& argv,
                    const std::map<std::string, std::string>& env,
                    std::chrono::milliseconds timeout);

// A program left running for the length of a test (the simulator).
class BackgroundProcess {
  public:
    BackgroundProcess() = default;
    ~BackgroundProcess() { Stop(); }
    BackgroundProcess(const BackgroundProcess&) = delete;
    BackgroundProcess& operator=(const BackgroundProcess&) = delete;

    // Starts the program and waits up to `timeout` for `lines` lines of its
    // standard output; false when it ended or stayed silent.
    bool Start(const std::vector<std::string>& argv, int lines, std::chrono::milliseconds timeout);
    const std::vector<std::string>& FirstLines() const { return lines_; }
    void Stop();

  private:
    pid_t pid_ = -1;
    int outFd_ = -1;
    std::thread drain_;  // keeps reading so a chatty child never blocks on a full pipe
    std::vector<std::string> lines_;
};

}  // namespace zol::testing
