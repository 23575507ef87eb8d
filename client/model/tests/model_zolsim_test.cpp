// The whole load against zolsim as a child process on loopback, in each
// generation of tile requests: the same house must come out of every one.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "client/model/request_channel.h"
#include "client/model/server_file.h"
#include "client/tests/temp_dir.h"
#include "load_sequence.h"
#include "model_fakes.h"
#include "serverlink/connect_handshake.h"
#include "testsupport/child_process.h"
#include "testsupport/zolsim_control.h"

namespace zol {
namespace {

namespace fs = std::filesystem;
using testing::Slurp;
using namespace std::chrono_literals;

// Counts what goes through to the server.
class CountingChannel : public RequestChannel {
  public:
    explicit CountingChannel(RequestChannel& inner) : inner_(inner) {}
    int SendRequest(std::string_view message, std::int32_t& resultCode,
                    std::string& reply) override {
        ++count;
        return inner_.SendRequest(message, resultCode, reply);
    }
    int count = 0;

  private:
    RequestChannel& inner_;
};

// zolsim serving the demo house (or the design `designJson`) as server
// `version`, and the house loaded from it.
class ZolsimHouse {
  public:
    explicit ZolsimHouse(const std::string& version, const std::string& designJson = {})
        : tempDir_(fs::temp_directory_path() /
                   ("zol-model-sim-" + std::to_string(::getpid()) + "-" + version)) {
        fs::remove_all(tempDir_);
        fs::create_directories(tempDir_);
        std::string design = DEMO_DESIGN_PATH;
        if (!designJson.empty()) {
            design = (tempDir_ / "design.json").string();
            std::ofstream(design) << designJson;
        }
        started_ = sim_.Start(
            {ZOLSIM_PATH, "--port", "0", "--design", design, "--server-version", version}, 2, 60s);
        if (!started_)
            return;
        ServerTarget target;
        target.address = htonl(INADDR_LOOPBACK);
        target.port = static_cast<std::uint16_t>(testing::PortFromLine(sim_.FirstLines()[0]));
        ConnectHandshake handshake(link_, ClientProgram::Gui,
                                   OwnGreetingNumbers(ClientProgram::Gui));
        connected_ = handshake.Open(target) == 0 && handshake.Greet() == 0;
    }
    ~ZolsimHouse() {
        link_.CloseServerConnection();
        fs::remove_all(tempDir_);
    }

    int Load() {
        context_.server = link_.Greeting();
        context_.tempDir = tempDir_;
        context_.backgroundColor = 0x3A2A09;
        context_.textColor = 0xF7E7CB;
        return testing::LoadHouse(channel_, reporter_, context_, house_, failure_);
    }

    bool Ready() const { return started_ && connected_; }
    const Design& House() const { return house_.design; }
    RequestChannel& Channel() { return channel_; }
    const std::string& Failure() const { return failure_; }
    testing::FakeReporter& Reporter() { return reporter_; }
    const testing::LoadedHouse& Loaded() const { return house_; }

  private:
    fs::path tempDir_;
    testing::BackgroundProcess sim_;
    bool started_ = false;
    bool connected_ = false;
    LinkTimeouts timeouts_;
    ServerLink link_{timeouts_};
    ServerLinkChannel channel_{link_};
    testing::FakeReporter reporter_;
    DisplayLoadContext context_;
    testing::LoadedHouse house_;
    std::string failure_;
};

std::vector<TileRecord> MainTiles(const Design& design) {
    const DisplayRecord* main = design.FindDisplayByName("Main");
    return main ? std::vector<TileRecord>(main->tiles.begin(), main->tiles.end())
                : std::vector<TileRecord>{};
}

TEST(ModelZolsimTest, TheDemoHouseLoadsWhole) {
    ZolsimHouse sim("19.1.3");
    ASSERT_TRUE(sim.Ready());
    ASSERT_EQ(sim.Load(), 0) << sim.Failure();
    const Design& design = sim.House();
    EXPECT_EQ(sim.Loaded().referenceDpi, 96);
    EXPECT_GT(design.objects.size(), 50u);
    EXPECT_EQ(design.designTitle, "ZOL Demo House");
    EXPECT_EQ(sim.Loaded().cloudToken, "demo-cloud-token-0001");
    EXPECT_GE(design.homeModeCount, 2);
    EXPECT_GE(design.scheduleCount, 1);
    EXPECT_TRUE(sim.Reporter().messages.empty());

    // The server's displays, then the constructed home page listing those
    // not hidden from it, in order.
    ASSERT_GT(design.displays.size(), 10u);
    const DisplayRecord* home = design.displays.back().get();
    EXPECT_EQ(design.HomeDisplay(), home);
    EXPECT_EQ(home->name, "Home");
    std::vector<std::int32_t> listed;
    for (const auto& display : design.displays) {
        if (display->hiddenFromHome == 0)
            listed.push_back(display->displayId);
    }
    EXPECT_EQ(home->objectIds, listed);
    EXPECT_GT(MainTiles(design).size(), 8u);
    EXPECT_EQ(design.FindDisplayByName("Message Board")->tiles.front().tileType, TileText);

    // The background picture arrived byte for byte, and a current copy is
    // one request.
    const DisplayRecord* kitchen = design.FindDisplayByName("Kitchen");
    ASSERT_EQ(kitchen->backgroundMode, 1);
    const fs::path picture(kitchen->backgroundImage);
    EXPECT_TRUE(picture.is_absolute());
    EXPECT_EQ(Slurp(picture),
              Slurp(fs::path(DEMO_DESIGN_PATH).parent_path() / "demo_files/kitchen.png"));
    CountingChannel counting(sim.Channel());
    int present = 0;
    EXPECT_EQ(FetchServerFile(counting, sim.Reporter(), "pictures\\kitchen.png", picture, present),
              0);
    EXPECT_EQ(present, 1);
    EXPECT_EQ(counting.count, 1);
}

TEST(ModelZolsimTest, EveryTileGenerationGivesTheSameTiles) {
    ZolsimHouse extended("18.0.11");
    ASSERT_TRUE(extended.Ready());
    ASSERT_EQ(extended.Load(), 0) << extended.Failure();
    const std::vector<TileRecord> inOrder = MainTiles(extended.House());
    ASSERT_GT(inOrder.size(), 8u);
    std::vector<TileRecord> reversed(inOrder.rbegin(), inOrder.rend());

    auto withStatus = [](const Design& design) {
        return std::count_if(design.objects.begin(), design.objects.end(),
                             [](const auto& object) { return !object->statusText.empty(); });
    };
    EXPECT_GT(withStatus(extended.House()), 0);

    // The older generations insert each tile at the head; 18.11.0 is older
    // than 18.0.11, since the build decides, and 13.1 also drops the
    // design's extended fields.
    for (const std::string version : {"18.0.10", "18.11.0", "13.1.0"}) {
        ZolsimHouse older(version);
        ASSERT_TRUE(older.Ready()) << version;
        ASSERT_EQ(older.Load(), 0) << version << ": " << older.Failure();
        EXPECT_EQ(MainTiles(older.House()), reversed) << version;
        if (version == "13.1.0") {
            EXPECT_EQ(withStatus(older.House()), 0);
        }
    }
}

TEST(ModelZolsimTest, ABackgroundTheServerLacksIsNotShown) {
    ZolsimHouse sim("19.1.3", R"({"displays": [{"name": "Yard", "displayId": 501,
        "backgroundMode": 1, "backgroundImage": "pictures\\yard.png"}]})");
    ASSERT_TRUE(sim.Ready());
    ASSERT_EQ(sim.Load(), 0) << sim.Failure();
    EXPECT_EQ(sim.House().FindDisplayByName("Yard")->backgroundMode, 0);
    EXPECT_TRUE(sim.Reporter().messages.empty());
}

}  // namespace
}  // namespace zol
