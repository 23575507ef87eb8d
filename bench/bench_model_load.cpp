// Loading a large house through the client model's request catalogue, next
// to the floor: the same requests replayed over a plain blocking socket by a
// client that only cuts the reply frames and decodes nothing. A third line
// replays them through the server link without decoding, which splits the
// difference into the link's share and the model's.
//
//   build/release/bench/bench_model_load [runs]
//
// zolsim serves the generated house of 5,000 objects and 200 tiled displays
// of 20 tiles each. Both clients keep one connection for all their runs;
// runs are interleaved so both see the same machine load.
#include <arpa/inet.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/floor_client.h"
#include "client/model/request_channel.h"
#include "client/model/tests/load_sequence.h"
#include "client/model/tests/model_fakes.h"
#include "serverlink/connect_handshake.h"
#include "serverlink/greeting_frame.h"
#include "testsupport/child_process.h"
#include "testsupport/zolsim_control.h"

namespace zol {
namespace {

using Clock = std::chrono::steady_clock;

// Keeps the messages of every request that goes through.
class RecordingChannel : public RequestChannel {
  public:
    explicit RecordingChannel(RequestChannel& inner) : inner_(inner) {}
    int SendRequest(std::string_view message, std::int32_t& resultCode,
                    std::string& reply) override {
        messages.emplace_back(message);
        return inner_.SendRequest(message, resultCode, reply);
    }
    std::vector<std::string> messages;

  private:
    RequestChannel& inner_;
};

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))];
}

void Report(const char* name, const std::vector<double>& millis) {
    std::printf("%-10s median %8.2f ms  p10 %8.2f ms  p90 %8.2f ms\n", name,
                Percentile(millis, 0.5), Percentile(millis, 0.1), Percentile(millis, 0.9));
}

int Run(int runs) {
    using namespace std::chrono_literals;
    testing::BackgroundProcess sim;
    if (!sim.Start({ZOLSIM_PATH, "--port", "0", "--generate", "objects=5000,displays=200,tiles=20"},
                   2, 60s)) {
        std::fprintf(stderr, "could not start zolsim\n");
        return 1;
    }
    const int port = testing::PortFromLine(sim.FirstLines()[0]);
    const std::filesystem::path tempDir =
        std::filesystem::temp_directory_path() / ("bench_model_load_" + std::to_string(::getpid()));

    LinkTimeouts timeouts;
    ServerLink link(timeouts);
    ServerTarget target;
    target.address = htonl(INADDR_LOOPBACK);
    target.port = static_cast<std::uint16_t>(port);
    ConnectHandshake handshake(link, ClientProgram::Gui, OwnGreetingNumbers(ClientProgram::Gui));
    if (handshake.Open(target) != 0 || handshake.Greet() != 0) {
        std::fprintf(stderr, "%s\n", handshake.FailureText().c_str());
        return 1;
    }
    // As the client's connect sequence loads: the waiting thread receives its
    // own replies, with no hand-off to and from the receive thread.
    link.SetReceiveOnCaller(true);
    ServerLinkChannel channel(link);
    testing::FakeReporter reporter;
    DisplayLoadContext context;
    context.server = link.Greeting();
    context.tempDir = tempDir;

    auto loadOnce = [&](RequestChannel& through) {
        testing::LoadedHouse house;
        std::string failure;
        if (testing::LoadHouse(through, reporter, context, house, failure) != 0) {
            std::fprintf(stderr, "load failed: %s\n", failure.c_str());
            return false;
        }
        return true;
    };
    // A first load brings any files, so every later load asks the same.
    RecordingChannel recording(channel);
    if (!loadOnce(channel) || !loadOnce(recording))
        return 1;
    bench::FloorClient floor;
    if (!floor.Connect(port) ||
        !floor.Greet(FormatGreeting('F', OwnGreetingNumbers(ClientProgram::Gui)))) {
        std::fprintf(stderr, "floor client could not connect\n");
        return 1;
    }

    std::vector<double> catalogueMillis;
    std::vector<double> linkMillis;
    std::vector<double> floorMillis;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        if (!loadOnce(channel))
            return 1;
        catalogueMillis.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        start = Clock::now();
        for (const std::string& message : recording.messages) {
            std::int32_t resultCode = 0;
            std::string reply;
            if (channel.SendRequest(message, resultCode, reply) != 0) {
                std::fprintf(stderr, "server link lost the connection\n");
                return 1;
            }
        }
        linkMillis.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        start = Clock::now();
        for (const std::string& message : recording.messages) {
            if (!floor.Exchange(message)) {
                std::fprintf(stderr, "floor client lost the connection\n");
                return 1;
            }
        }
        floorMillis.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    link.CloseServerConnection();
    std::filesystem::remove_all(tempDir);

    std::printf(
        "%d loads each of 5,000 objects, 200 displays x 20 tiles (%zu requests) from zolsim on "
        "127.0.0.1:%d\n",
        runs, recording.messages.size(), port);
    Report("catalogue", catalogueMillis);
    Report("link only", linkMillis);
    Report("floor", floorMillis);
    std::printf("ratio (median catalogue / median floor): %.2f\n",
                Percentile(catalogueMillis, 0.5) / Percentile(floorMillis, 0.5));
    return 0;
}

}  // namespace
}  // namespace zol

int main(int argc, char** argv) {
    return zol::Run(argc > 1 ? std::max(3, std::atoi(argv[1])) : 20);
}
