// The client from process start to its home display shown, on the generated
// house of 5,000 objects and 200 displays of 20 tiles, next to the floor:
// client_floor replaying the very requests the client sent (read from
// zolsim's request log) over a plain socket, also as a fresh process. Also
// reports the client's peak resident memory.
//
//   build/release/bench/bench_client_start [runs]
//
// The client runs on the offscreen platform unless QT_QPA_PLATFORM is set.
// A first run fetches the files into the scratch folder, so that every
// measured run asks the same; client and floor runs are interleaved so both
// see the same machine load. The floor replays one request at a time; a
// second floor sends the display-tile requests together, as the client
// does. A last reference adds what a bare Qt widgets program takes to show
// one window (qt_floor) to the floor. The client's CPU time and page faults
// show what it takes from the machine it shares with zolsim.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "bench/child_run.h"
#include "bench/client_scene.h"
#include "serverlink/field_list.h"
#include "simulator/control_escape.h"

namespace zol::bench {
namespace {

using namespace std::chrono_literals;

constexpr const char* kHouse = "objects=5000,displays=200,tiles=20";
constexpr const char* kShown = "home display shown";

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))];
}

void Report(const char* name, const std::vector<double>& values, const char* unit) {
    std::printf("%-28s median %8.1f %s  p10 %8.1f  p90 %8.1f\n", name, Percentile(values, 0.5),
                unit, Percentile(values, 0.1), Percentile(values, 0.9));
}

// The frames of the first connection in zolsim's request log lines
// ("<time> <connection> <fields>"), as they went over the wire.
std::vector<std::string> FramesOfFirstConnection(const std::vector<std::string>& log) {
    std::vector<std::string> frames;
    std::string connection;
    for (const std::string& line : log) {
        const std::size_t first = line.find(' ');
        const std::size_t second = line.find(' ', first + 1);
        if (first == std::string::npos || second == std::string::npos)
            continue;
        const std::string id = line.substr(first + 1, second - first - 1);
        if (connection.empty())
            connection = id;
        if (id != connection)
            continue;
        const std::vector<std::string> fields = SplitControlFields(line.substr(second + 1));
        if (fields.size() == 1 && fields[0].size() == 16 && fields[0].rfind("ZOL", 0) == 0) {
            frames.push_back(fields[0]);
            continue;
        }
        FieldList message(static_cast<int>(fields.size()));
        for (const std::string& field : fields)
            message.Add(field);
        frames.push_back(message.Message());
    }
    return frames;
}

int Run(int runs) {
    ClientScene scene;
    if (!scene.Start(kHouse, "")) {
        std::fprintf(stderr, "could not start zolsim\n");
        return 1;
    }
    const std::vector<std::string> client = scene.ClientArguments({"--exit-when-shown"});
    const std::vector<std::string> env = scene.ClientEnvironment();
    bool ok = false;
    // Warm-up: the files come now, and the recording run asks what every
    // later run asks.
    if (!RunChild(client, env, 300s).Succeeded()) {
        std::fprintf(stderr, "the client did not show its home display\n");
        return 1;
    }
    scene.Control("requests clear", ok);
    if (!ok || !RunChild(client, env, 300s).Succeeded()) {
        std::fprintf(stderr, "the client did not show its home display\n");
        return 1;
    }
    const std::vector<std::string> frames = FramesOfFirstConnection(scene.Control("requests", ok));
    if (!ok || frames.empty()) {
        std::fprintf(stderr, "no requests in zolsim's log\n");
        return 1;
    }
    const std::string framesFile = (scene.Folder() / "frames.bin").string();
    {
        std::ofstream out(framesFile, std::ios::binary);
        for (const std::string& frame : frames)
            out << frame.size() << '\n' << frame;
    }
    const std::vector<std::string> floor = {CLIENT_FLOOR_PATH, std::to_string(scene.Port()),
                                            framesFile};
    std::vector<std::string> floorTogether = floor;
    floorTogether.push_back("--together");

    std::vector<double> shownMillis;
    std::vector<double> ownMillis;
    std::vector<double> exitMillis;
    std::vector<double> floorMillis;
    std::vector<double> togetherMillis;
    std::vector<double> qtMillis;
    std::vector<double> peakMib;
    std::vector<double> cpuMillis;
    std::vector<double> pageFaults;
    const std::vector<std::string> qt = {QT_FLOOR_PATH};
    for (int i = 0; i < runs; ++i) {
        const ChildRun c = RunChild(client, env, 300s);
        const ChildRun f = RunChild(floor, {}, 300s);
        const ChildRun t = RunChild(floorTogether, {}, 300s);
        const ChildRun q = RunChild(qt, env, 300s);
        if (!c.Succeeded() || c.LineMillis(kShown) < 0 || !f.Succeeded() || !t.Succeeded() ||
            !q.Succeeded()) {
            std::fprintf(stderr, "run %d failed (client %d, floor %d)\n", i + 1, c.code, f.code);
            return 1;
        }
        shownMillis.push_back(c.LineMillis(kShown));
        // "home display shown <ms> ms after process start"
        ownMillis.push_back(std::atof(c.lines.front().text.c_str() + std::string(kShown).size()));
        exitMillis.push_back(c.millis);
        floorMillis.push_back(f.millis);
        togetherMillis.push_back(t.millis);
        qtMillis.push_back(q.millis);
        peakMib.push_back(static_cast<double>(c.peakKib) / 1024.0);
        cpuMillis.push_back(c.cpuMillis);
        pageFaults.push_back(static_cast<double>(c.pageFaults));
    }
    std::printf("%d runs each, house %s, %zu requests, zolsim on 127.0.0.1:%d, platform %s\n", runs,
                kHouse, frames.size(), scene.Port(),
                std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "offscreen");
    Report("client: fork to shown", shownMillis, "ms");
    Report("client: own figure", ownMillis, "ms");
    Report("client: fork to exit", exitMillis, "ms");
    Report("floor: fork to exit", floorMillis, "ms");
    Report("floor, tiles together", togetherMillis, "ms");
    Report("bare Qt window: fork to exit", qtMillis, "ms");
    const double floorMedian = Percentile(floorMillis, 0.5);
    const double shownMedian = Percentile(shownMillis, 0.5);
    std::printf("ratio (median shown / median floor): %.2f (goal <= 1.3)\n",
                shownMedian / floorMedian);
    std::printf(
        "ratio against the floor that sends the tile requests together as the "
        "client does: %.2f\n",
        shownMedian / Percentile(togetherMillis, 0.5));
    std::printf("ratio (median shown / (median floor + median bare Qt window)): %.2f\n",
                shownMedian / (floorMedian + Percentile(qtMillis, 0.5)));
    // Zolsim shares the machine: what the client spends is what the server
    // cannot use.
    Report("client CPU time to exit", cpuMillis, "ms");
    Report("client page faults", pageFaults, "");
    Report("client peak RSS", peakMib, "MiB");
    std::printf("client peak RSS max: %.1f MiB (goal < 150 MB)\n",
                *std::max_element(peakMib.begin(), peakMib.end()));
    return 0;
}

}  // namespace
}  // namespace zol::bench

int main(int argc, char** argv) {
    return zol::bench::Run(argc > 1 ? std::max(3, std::atoi(argv[1])) : 10);
}
