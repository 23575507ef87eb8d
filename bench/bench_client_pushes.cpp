// The client under a burst of "Update" pushes with 500 icons on screen:
// zolsim's `burst` sends them as fast as the socket takes them, cycling over
// the 500 objects of the home display "Icons". The client counts the pushes
// it applied and the longest gap between turns of its event loop (a 10 ms
// timer's late ticks) and quits when all arrived (--exit-after-updates).
//
//   build/release/bench/bench_client_pushes [runs] [pushes]
//
// Goals: every push applied, no gap over 100 ms.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/child_run.h"
#include "bench/client_scene.h"

namespace zol::bench {
namespace {

using namespace std::chrono_literals;

constexpr const char* kHouse = "objects=5000,displays=200,tiles=20,icons=500";
constexpr int kFirstIconObject = 1001;
constexpr int kIcons = 500;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// "applied <n> updates, longest event-loop gap <ms> ms, <ms> ms from the first to the last"
bool ParseResult(const std::string& line, long long& applied, double& gapMs, double& spanMs) {
    return std::sscanf(line.c_str(),
                       "applied %lld updates, longest event-loop gap %lf ms, %lf ms from", &applied,
                       &gapMs, &spanMs) == 3;
}

int Run(int runs, int pushes) {
    ClientScene scene;
    if (!scene.Start(kHouse, "Icons")) {
        std::fprintf(stderr, "could not start zolsim\n");
        return 1;
    }
    const std::vector<std::string> client =
        scene.ClientArguments({"--exit-after-updates", std::to_string(pushes)});
    const std::string burst = "burst all " + std::to_string(pushes) + " " +
                              std::to_string(kFirstIconObject) + " " + std::to_string(kIcons);
    std::vector<double> gaps;
    std::vector<double> spans;
    std::vector<double> peakMib;
    int failures = 0;
    for (int i = 0; i < runs; ++i) {
        bool sent = false;
        const ChildRun c =
            RunChild(client, scene.ClientEnvironment(), 600s, [&](const std::string& line) {
                if (line == "connected")
                    scene.Control(burst, sent);
            });
        long long applied = 0;
        double gapMs = 0;
        double spanMs = 0;
        const bool parsed =
            !c.lines.empty() && ParseResult(c.lines.back().text, applied, gapMs, spanMs);
        std::printf("run %d: %s%s\n", i + 1, sent ? "" : "burst refused; ",
                    c.lines.empty() ? "no output" : c.lines.back().text.c_str());
        if (!c.Succeeded() || !parsed || applied != pushes) {
            ++failures;
            continue;
        }
        gaps.push_back(gapMs);
        spans.push_back(spanMs);
        peakMib.push_back(static_cast<double>(c.peakKib) / 1024.0);
    }
    std::printf(
        "%d runs of %d \"Update\" pushes over %d icons, zolsim on 127.0.0.1:%d, "
        "platform %s\n",
        runs, pushes, kIcons, scene.Port(),
        std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "offscreen");
    if (!gaps.empty()) {
        std::printf("all applied in %zu of %d runs\n", gaps.size(), runs);
        std::printf("longest event-loop gap: median %.0f ms, worst %.0f ms (goal <= 100 ms)\n",
                    Median(gaps), *std::max_element(gaps.begin(), gaps.end()));
        std::printf("first to last push applied: median %.0f ms (%.0f pushes/s)\n", Median(spans),
                    Median(spans) > 0 ? pushes * 1000.0 / Median(spans) : 0.0);
        std::printf("client peak RSS: median %.1f MiB, max %.1f MiB\n", Median(peakMib),
                    *std::max_element(peakMib.begin(), peakMib.end()));
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace
}  // namespace zol::bench

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const int pushes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 100'000;
    return zol::bench::Run(runs, pushes);
}
