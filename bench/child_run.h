// Runs one program of a benchmark to its end: its wall time from fork to
// exit, its peak resident memory, CPU time and page faults, and each line of its standard output
// with the time it arrived.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace zol::bench {

struct OutputLine {
    double millis = 0;  // since the fork
    std::string text;
};

struct ChildRun {
    bool exited = false;  // false: killed by a signal or at the time-out
    int code = -1;
    double millis = 0;     // fork to exit
    long peakKib = 0;      // peak resident set size
    double cpuMillis = 0;  // user and system time of all its threads
    long pageFaults = 0;
    std::vector<OutputLine> lines;

    bool Succeeded() const { return exited && code == 0; }
    // The arrival time of the first line that begins with `prefix`; -1 if none.
    double LineMillis(const std::string& prefix) const;
};

// Runs `argv` with `env` ("NAME=value") added to this environment, standard
// error inherited. `onLine` sees every output line as it comes. A child still
// running after `timeout` is killed.
ChildRun RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                  std::chrono::seconds timeout,
                  const std::function<void(const std::string&)>& onLine = {});

}  // namespace zol::bench
