// Whole-process time of one zolcli command against a local zolsim, next to
// the floor program doing the same exchange over plain blocking sockets.
// Reports median and percentiles of wall time and the peak resident memory.
// Usage: bench_zolcli [runs]   (zolsim, zolcli and cli_floor from this build)
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct RunStats {
    std::vector<double> millis;
    long peakKib = 0;
};

// Runs a program to its end; returns the wall time and its peak RSS.
bool RunOnce(const std::vector<std::string>& argv, RunStats& stats) {
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    auto start = std::chrono::steady_clock::now();
    pid_t pid = ::fork();
    if (pid == 0) {
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid)
        return false;
    auto end = std::chrono::steady_clock::now();
    stats.millis.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    stats.peakKib = std::max(stats.peakKib, usage.ru_maxrss);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

// Starts zolsim on a free port; returns its pid and the port it printed.
pid_t StartSimulator(int& port) {
    int out[2];
    if (::pipe(out) != 0)
        return -1;
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::close(out[0]);
        ::close(out[1]);
        ::execl(ZOLSIM_PATH, ZOLSIM_PATH, "--port", "0", "--design", DEMO_DESIGN_PATH, nullptr);
        ::_exit(127);
    }
    ::close(out[1]);
    std::string line;
    char c;
    while (::read(out[0], &c, 1) == 1 && c != '\n')
        line += c;
    // Keep the pipe open so the simulator can go on writing without SIGPIPE.
    std::size_t digits = line.find_first_of("0123456789");
    port = digits == std::string::npos ? 0 : std::atoi(line.c_str() + digits);
    return pid;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(5, std::atoi(argv[1])) : 200;
    int port = 0;
    pid_t sim = StartSimulator(port);
    if (sim <= 0 || port == 0) {
        std::fprintf(stderr, "could not start zolsim\n");
        return 1;
    }
    const std::string registry = "/tmp/bench_zolcli_" + std::to_string(::getpid()) + ".reg";
    ::setenv("ZOL_REGISTRY_FILE", registry.c_str(), 1);
    const std::vector<std::string> cli = {ZOLCLI_PATH, "/ZOLServer:127.0.0.1",
                                          "/Port:" + std::to_string(port), "ZOLApp", "TimeStamp"};
    const std::vector<std::string> floor = {CLI_FLOOR_PATH, std::to_string(port), "ZOLApp",
                                            "TimeStamp"};
    RunStats cliStats;
    RunStats floorStats;
    int failures = 0;
    for (int i = 0; i < runs; ++i) {
        // Interleaved so that both see the same machine load.
        failures += RunOnce(cli, cliStats) ? 0 : 1;
        failures += RunOnce(floor, floorStats) ? 0 : 1;
    }
    ::kill(sim, SIGTERM);
    ::waitpid(sim, nullptr, 0);
    std::filesystem::remove(registry);

    auto report = [](const char* name, const RunStats& s) {
        std::printf("%-10s median %.3f ms  p10 %.3f ms  p90 %.3f ms  peak RSS %ld KiB\n", name,
                    Percentile(s.millis, 0.5), Percentile(s.millis, 0.1), Percentile(s.millis, 0.9),
                    s.peakKib);
    };
    std::printf("%d runs each against zolsim on 127.0.0.1:%d\n", runs, port);
    report("zolcli", cliStats);
    report("floor", floorStats);
    std::printf("ratio (median zolcli / median floor): %.2f\n",
                Percentile(cliStats.millis, 0.5) / Percentile(floorStats.millis, 0.5));
    if (failures != 0)
        std::printf("failed runs: %d\n", failures);
    return failures == 0 ? 0 : 1;
}
