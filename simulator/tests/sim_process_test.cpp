// zolsim as a process, talked to with the server link (and, for bytes the
// link never sends, with a raw loopback client).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <thread>

#include "simulator/tests/link_fixture.h"
#include "simulator/tests/raw_client.h"

namespace zol::test {
namespace {

using Fields = std::vector<FieldValue>;

constexpr int kDemoObjects = 86;
constexpr int kDemoDisplays = 16;
constexpr int kDemoMainTiles = 11;
constexpr int kDemoEnergyTiles = 2;
constexpr int kTiledDisplayKind = 5;

// Entries of a reply whose field 4 is a nested list of nested lists.
std::vector<Fields> NestedEntries(const Fields& reply) {
    std::vector<Fields> entries;
    Fields list;
    if (reply.size() < 4 || DecodeFieldList(reply[3].text, list) != kFieldListOk) {
        return entries;
    }
    for (const FieldValue& item : list) {
        Fields entry;
        EXPECT_EQ(DecodeFieldList(item.text, entry), kFieldListOk);
        entries.push_back(entry);
    }
    return entries;
}

// Runs a request repeated by part index until a non-zero result code.
std::vector<Fields> LoadParts(LinkClient& client, std::vector<std::string> request) {
    std::vector<Fields> entries;
    request.push_back("");
    for (int part = 0; part < 100; ++part) {
        request.back() = std::to_string(part);
        std::int32_t code = 0;
        Fields reply;
        EXPECT_EQ(client.Request(request, code, reply), 0);
        if (code != 0) {
            break;
        }
        for (Fields& entry : NestedEntries(reply)) {
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

// Tiles of a display in the given generation; each tile as its tile fields.
std::vector<Fields> LoadTiles(LinkClient& client, const std::string& generation,
                              const std::string& display) {
    std::vector<Fields> tiles;
    auto collect = [&tiles](const Fields& reply) {
        for (std::size_t i = 3; i < reply.size(); ++i) {
            Fields tile;
            EXPECT_EQ(DecodeFieldList(reply[i].text, tile), kFieldListOk);
            tiles.push_back(tile);
        }
    };
    std::int32_t code = 0;
    Fields reply;
    if (generation == "GetDisplayTilesEx") {
        for (int part = 0; part < 100; ++part) {
            EXPECT_EQ(
                client.Request({"ZOLApp", generation, display, std::to_string(part)}, code, reply),
                0);
            if (code != 0) {
                break;
            }
            collect(reply);
        }
        return tiles;
    }
    EXPECT_EQ(client.Request({"ZOLApp", generation, display}, code, reply), 0);
    EXPECT_EQ(code, 0);
    collect(reply);
    if (generation == "GetDisplayTilesBase") {
        EXPECT_EQ(client.Request({"ZOLApp", "GetDisplayTilesInfo", display}, code, reply), 0);
        EXPECT_EQ(code, 0);
        EXPECT_EQ(reply.size() - 3, tiles.size());
    }
    return tiles;
}

struct GenerationCase {
    const char* version;
    const char* request;
    const char* otherRequest;
};

class LoadSequenceTest : public SimProcessTest,
                         public ::testing::WithParamInterface<GenerationCase> {};

TEST_P(LoadSequenceTest, LoadsTheWholeDemoHouse) {
    const GenerationCase& generation = GetParam();
    StartSim({"--design", DemoDesignPath(), "--server-version", generation.version});
    LinkClient client;
    ASSERT_EQ(client.Connect(sim_.Port()), 0) << client.failureText;

    const std::vector<Fields> objects = LoadParts(client, {"ZOLApp", "GetDesign"});
    EXPECT_EQ(objects.size(), static_cast<std::size_t>(kDemoObjects));
    std::set<int> ids;
    for (const Fields& entry : objects) {
        ids.insert(entry.at(0).number);
    }
    EXPECT_EQ(ids.size(), objects.size()) << "an object came twice";

    const std::vector<Fields> displays = LoadParts(client, {"ZOLApp", "GetDisplays"});
    ASSERT_EQ(displays.size(), static_cast<std::size_t>(kDemoDisplays));
    std::set<std::string> tiled;
    for (const Fields& display : displays) {
        ASSERT_EQ(display.size(), 31u);
        if (display[10].number != kTiledDisplayKind) {
            continue;
        }
        tiled.insert(display[0].text);
        const std::vector<Fields> tiles = LoadTiles(client, generation.request, display[0].text);
        std::set<int> types;
        for (const Fields& tile : tiles) {
            types.insert(tile.at(0).number);
        }
        if (display[0].text == "Main") {
            ASSERT_EQ(tiles.size(), static_cast<std::size_t>(kDemoMainTiles));
            EXPECT_EQ(types, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
        } else {
            EXPECT_EQ(tiles.size(), static_cast<std::size_t>(kDemoEnergyTiles));
        }
        std::int32_t code = 0;
        Fields reply;
        ASSERT_EQ(
            client.Request({"ZOLApp", generation.otherRequest, display[0].text, "0"}, code, reply),
            0);
        EXPECT_EQ(code, -104) << generation.otherRequest << " is not of this server's version";
    }
    EXPECT_EQ(tiled, (std::set<std::string>{"Main", "Energy"}));
    client.link->CloseServerConnection();
}

INSTANTIATE_TEST_SUITE_P(
    EachTileGeneration, LoadSequenceTest,
    ::testing::Values(GenerationCase{"19.1.3", "GetDisplayTilesEx", "GetDisplayTiles"},
                      GenerationCase{"18.0.11", "GetDisplayTilesEx", "GetDisplayTilesBase"},
                      GenerationCase{"18.0.10", "GetDisplayTilesBase", "GetDisplayTilesEx"},
                      GenerationCase{"18.0.6", "GetDisplayTiles", "GetDisplayTilesInfo"},
                      GenerationCase{"13.1.0", "GetDisplayTiles", "GetDisplayTilesEx"}));

TEST_F(SimProcessTest, DeviceCommandPushesUpdateToEveryClient) {
    StartSim();
    LinkClient commander;
    LinkClient watcher;
    ASSERT_EQ(commander.Connect(sim_.Port()), 0) << commander.failureText;
    ASSERT_EQ(watcher.Connect(sim_.Port()), 0) << watcher.failureText;

    std::int32_t code = 1;
    Fields reply;
    ASSERT_EQ(
        commander.Request({"ZOLObject", "Device.DimToPercent", "Kitchen - Ceiling Light", "40"},
                          code, reply),
        0);
    EXPECT_EQ(code, 0);
    for (LinkClient* client : {&watcher, &commander}) {
        Fields push;
        ASSERT_TRUE(client->observer.WaitForPush("Update", push));
        EXPECT_EQ(push.at(1).text, "ZOLApp");
        EXPECT_EQ(push.at(3).number, 1) << "object id of the kitchen ceiling light";
        EXPECT_EQ(push.at(4).number, 40);
    }

    // A command the object's kind does not have changes nothing.
    ASSERT_EQ(
        commander.Request({"ZOLObject", "Program.Start", "Kitchen - Ceiling Light"}, code, reply),
        0);
    EXPECT_EQ(code, -2);
}

TEST_F(SimProcessTest, GetFileSendsChunksAndTellsCurrentAndMissingFiles) {
    StartSim();
    LinkClient client;
    ASSERT_EQ(client.Connect(sim_.Port()), 0) << client.failureText;
    const std::filesystem::path picture =
        std::filesystem::path(DemoDesignPath()).parent_path() / "demo_files" / "kitchen.png";
    std::ifstream file(picture, std::ios::binary);
    const std::string expected((std::istreambuf_iterator<char>(file)), {});
    ASSERT_GT(expected.size(), 4000u) << "the picture must need more than one chunk";

    std::string received;
    auto appendHex = [&received](const std::string& hex) {
        for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
            received += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
        }
    };
    std::int32_t code = 1;
    Fields reply;
    ASSERT_EQ(client.Request({"ZOLApp", "GetFile", "File", "pictures\\kitchen.png", "0", "0", "0"},
                             code, reply),
              0);
    ASSERT_EQ(code, 0);
    appendHex(reply.at(7).text);
    int chunks = 1;
    for (int chunk = 1; chunk < 100; ++chunk) {
        ASSERT_EQ(client.Request(
                      {"ZOLApp", "GetFile", "File", "pictures\\kitchen.png", std::to_string(chunk)},
                      code, reply),
                  0);
        if (code != 0) {
            break;
        }
        appendHex(reply.at(7).text);
        ++chunks;
    }
    EXPECT_GE(chunks, 2);
    EXPECT_EQ(received, expected);

    std::uint32_t sum = 0;
    for (char c : expected) {
        sum += static_cast<unsigned char>(c);
    }
    ASSERT_EQ(client.Request({"ZOLApp", "GetFile", "File", "PICTURES/Kitchen.png", "0",
                              std::to_string(expected.size()), std::to_string(sum)},
                             code, reply),
              0);
    EXPECT_EQ(code, -4) << "a local copy of the same size and byte sum is current";
    ASSERT_EQ(client.Request({"ZOLApp", "GetFile", "File", "pictures\\nothere.png", "0", "0", "0"},
                             code, reply),
              0);
    EXPECT_EQ(code, -2);
}

TEST_F(SimProcessTest, PasswordIsDemandedAndChecked) {
    StartSim({"--design", DemoDesignPath(), "--password", "s3cret"});
    LinkClient wrong;
    EXPECT_NE(wrong.Connect(sim_.Port(), "guess"), 0);
    EXPECT_EQ(wrong.failureText, "Incorrect remote access password");
    LinkClient right;
    EXPECT_EQ(right.Connect(sim_.Port(), "s3cret"), 0) << right.failureText;
}

TEST_F(SimProcessTest, PushesReachOnlyClientsThatGaveThePassword) {
    StartSim({"--design", DemoDesignPath(), "--password", "s3cret"});
    RawClient stranger;
    ASSERT_TRUE(stranger.Connect(sim_.Port()));
    ASSERT_EQ(stranger.Greet().substr(0, 4), "ZOL0");
    LinkClient member;
    ASSERT_EQ(member.Connect(sim_.Port(), "s3cret"), 0) << member.failureText;

    const std::vector<std::string> sent = control_.Command("push all 0|ZOLApp|LogAdd|1|Hello");
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], "sent 1");
    ASSERT_TRUE(control_.Ok("set 1 level=30"));
    Fields push;
    EXPECT_TRUE(member.observer.WaitForPush("Update", push));
    // Anything pushed to the stranger would arrive before this answer.
    const std::string answer = stranger.Request({"ZOLApp", "TimeStamp"});
    Fields reply;
    ASSERT_EQ(DecodeFieldList(answer, reply), kFieldListOk);
    EXPECT_EQ(reply.at(0).number, -3);
    EXPECT_EQ(reply.at(2).text, "TimeStamp");
}

TEST_F(SimProcessTest, GreetingLettersStepDown) {
    StartSim({"--design", DemoDesignPath(), "--greeting-letters", "E"});
    LinkClient client;
    ASSERT_EQ(client.Connect(sim_.Port()), 0) << client.failureText;
    EXPECT_EQ(client.link->Greeting().protocolLevel, 14);
    EXPECT_EQ(client.link->Greeting().serverMajor, 19);

    ASSERT_TRUE(control_.Ok("config letters X"));
    LinkClient refused;
    EXPECT_EQ(refused.Connect(sim_.Port()), 2);
    EXPECT_EQ(refused.failureText.rfind("Server version 19.1.3 doesn't support client", 0), 0u)
        << refused.failureText;
}

TEST_F(SimProcessTest, ControlPortListsRequestsAndPushesToOneClient) {
    StartSim();
    LinkClient first;
    LinkClient second;
    ASSERT_EQ(first.Connect(sim_.Port()), 0) << first.failureText;
    ASSERT_EQ(second.Connect(sim_.Port()), 0) << second.failureText;
    std::int32_t code = 1;
    Fields reply;
    ASSERT_EQ(first.Request({"ZOLApp", "TimeStamp"}, code, reply), 0);
    EXPECT_EQ(reply.at(3).text, "Demo House");

    const std::vector<std::string> listing = control_.Command("requests");
    ASSERT_FALSE(listing.empty());
    bool seen = false;
    for (const std::string& line : listing) {
        // "<date>T<time>.<ms> <connection> ZOLApp|TimeStamp"
        if (line.find(" 1 ZOLApp|TimeStamp") != std::string::npos && line[10] == 'T') {
            seen = true;
        }
    }
    EXPECT_TRUE(seen);

    const std::vector<std::string> sent =
        control_.Command("push 2 0|ZOLApp|TileUpdate|Clock|1|Hello there|0||0||0|0|0|1");
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], "sent 1");
    Fields push;
    ASSERT_TRUE(second.observer.WaitForPush("TileUpdate", push));
    EXPECT_EQ(push.at(5).text, "Hello there");
    EXPECT_FALSE(first.observer.WaitForPush("TileUpdate", push, 300));

    ASSERT_TRUE(control_.Ok("set 12 level=55 statusText=Half%20open"));
    ASSERT_TRUE(first.observer.WaitForPush("Update", push));
    EXPECT_EQ(push.at(3).number, 12);
    EXPECT_EQ(push.at(4).number, 55);
}

// --- faults ---

TEST_F(SimProcessTest, DropFaultClosesTheConnection) {
    StartSim();
    LinkClient client(3);
    ASSERT_EQ(client.Connect(sim_.Port()), 0) << client.failureText;
    ASSERT_TRUE(control_.Ok("fault drop on"));
    std::int32_t code = 0;
    Fields reply;
    EXPECT_NE(client.Request({"ZOLApp", "Ping", "5"}, code, reply), 0);
    EXPECT_TRUE(client.observer.WaitForLoss());
}

TEST_F(SimProcessTest, SilentFaultLeavesRequestsUnanswered) {
    StartSim();
    LinkClient client(2);
    ASSERT_EQ(client.Connect(sim_.Port()), 0) << client.failureText;
    ASSERT_TRUE(control_.Ok("fault silent on"));
    std::int32_t code = 0;
    Fields reply;
    EXPECT_EQ(client.Request({"ZOLApp", "Ping", "5"}, code, reply), 1);
    ASSERT_TRUE(control_.Ok("fault silent off"));
    EXPECT_EQ(client.Request({"ZOLApp", "Ping", "5"}, code, reply), 0);
}

TEST_F(SimProcessTest, DelayFaultAnswersLate) {
    StartSim();
    LinkClient client;
    ASSERT_EQ(client.Connect(sim_.Port()), 0) << client.failureText;
    ASSERT_TRUE(control_.Ok("fault delay 1500"));
    std::int32_t code = 1;
    Fields reply;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(client.Request({"ZOLApp", "TimeStamp"}, code, reply), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1400));
    EXPECT_EQ(code, 0);
}

TEST_F(SimProcessTest, GarbageFaultSendsNoUsableReply) {
    StartSim();
    LinkClient client(2);
    ASSERT_EQ(client.Connect(sim_.Port()), 0) << client.failureText;
    ASSERT_TRUE(control_.Ok("fault garbage on"));
    std::int32_t code = 0;
    Fields reply;
    EXPECT_NE(client.Request({"ZOLApp", "Ping", "5"}, code, reply), 0);
}

TEST_F(SimProcessTest, SplitFaultStillDeliversWholeReplies) {
    StartSim();
    LinkClient client;
    ASSERT_EQ(client.Connect(sim_.Port()), 0) << client.failureText;
    ASSERT_TRUE(control_.Ok("fault split on"));
    const std::vector<Fields> tiles = LoadTiles(client, "GetDisplayTilesEx", "Main");
    EXPECT_EQ(tiles.size(), static_cast<std::size_t>(kDemoMainTiles));
    std::int32_t code = 1;
    Fields reply;
    ASSERT_EQ(client.Request({"ZOLObject", "Device.On", "Bedroom - Bedside Lamp"}, code, reply), 0);
    EXPECT_EQ(code, 0);
    Fields push;
    EXPECT_TRUE(client.observer.WaitForPush("Update", push));
}

TEST_F(SimProcessTest, CloseAfterGreetingFaultFailsTheHandshake) {
    StartSim();
    ASSERT_TRUE(control_.Ok("fault closeaftergreeting on"));
    LinkClient client(3);
    EXPECT_NE(client.Connect(sim_.Port()), 0);
    ASSERT_TRUE(control_.Ok("fault clear"));
    LinkClient later;
    EXPECT_EQ(later.Connect(sim_.Port()), 0) << later.failureText;
}

// --- bad input ---

TEST_F(SimProcessTest, BadInputIsAnsweredOrDroppedWhileOthersAreServed) {
    StartSim();
    RawClient good;
    ASSERT_TRUE(good.Connect(sim_.Port()));
    ASSERT_EQ(good.Greet().substr(0, 4), "ZOL0");

    // A request of the largest possible size with an unknown name.
    RawClient large;
    ASSERT_TRUE(large.Connect(sim_.Port()));
    large.Greet();
    const std::string filler(9999 - (3 * 4 + 4) - 6 - 7, 'x');
    FieldList big{"ZOLApp", "Unknown", filler};
    ASSERT_EQ(big.Message().size(), 9999u);
    ASSERT_TRUE(large.Send(big.Message()));
    std::string frame;
    ASSERT_TRUE(large.ReadFrame(frame));
    Fields reply;
    ASSERT_EQ(DecodeFieldList(frame, reply), kFieldListOk);
    EXPECT_EQ(reply.at(0).number, -104);
    EXPECT_EQ(reply.at(2).text, "Unknown");

    // A header that cannot be framed: one failure code, then the end.
    RawClient broken;
    ASSERT_TRUE(broken.Connect(sim_.Port()));
    broken.Greet();
    ASSERT_TRUE(broken.Send("00x9    ZOLAppPing"));
    ASSERT_TRUE(broken.ReadFrame(frame));
    EXPECT_EQ(frame, FieldList{"-1"}.Message());
    EXPECT_TRUE(broken.WaitForClose());

    // A client that vanishes halfway through a request.
    RawClient vanishing;
    ASSERT_TRUE(vanishing.Connect(sim_.Port()));
    vanishing.Greet();
    ASSERT_TRUE(vanishing.Send(FieldList{"ZOLApp", "TimeStamp"}.Message().substr(0, 15)));
    vanishing.Close();

    const std::string answer = good.Request({"ZOLApp", "TimeStamp"});
    ASSERT_EQ(DecodeFieldList(answer, reply), kFieldListOk);
    EXPECT_EQ(reply.at(0).number, 0);
    EXPECT_EQ(reply.at(3).text, "Demo House");
    EXPECT_TRUE(control_.Ok("status"));
}

}  // namespace
}  // namespace zol::test

namespace zol::test {
namespace {

TEST_F(SimProcessTest, ClientThatNeverReadsIsCutOffAndOthersAreServed) {
    StartSim({"--generate", "objects=5000,displays=10,tiles=5"});
    RawClient greedy;
    ASSERT_TRUE(greedy.Connect(sim_.Port()));
    ASSERT_EQ(greedy.Greet().substr(0, 4), "ZOL0");
    // Each request makes the server push 5,000 "Update" frames back.
    const std::string refresh = FieldList{"ZOLApp", "RefreshState", "20240101000000"}.Message();
    for (int i = 0; i < 40; ++i) {
        ASSERT_TRUE(greedy.Send(refresh));
    }
    RawClient polite;
    ASSERT_TRUE(polite.Connect(sim_.Port()));
    polite.Greet();
    std::vector<FieldValue> reply;
    ASSERT_EQ(DecodeFieldList(polite.Request({"ZOLApp", "Ping", "5"}), reply), kFieldListOk);
    EXPECT_EQ(reply.at(0).number, 0);
    EXPECT_TRUE(greedy.WaitForClose(30000));
    bool cutOff = false;
    for (const std::string& line : control_.Command("requests")) {
        cutOff = cutOff || line.find("not reading its replies") != std::string::npos;
    }
    EXPECT_TRUE(cutOff);
}

TEST_F(SimProcessTest, BurstCutsOffAClientThatDoesNotReadAndZolsimGoesOn) {
    StartSim({"--generate", "objects=20"});
    RawClient greedy;
    ASSERT_TRUE(greedy.Connect(sim_.Port()));
    ASSERT_EQ(greedy.Greet().substr(0, 4), "ZOL0");
    // About 50 MB of pushes to connection 1, which never reads them.
    ASSERT_TRUE(control_.Ok("burst 1 500000 1001 1"));
    // Reading now would make it a reader: first wait for the cut-off.
    bool cutOff = false;
    for (int i = 0; i < 600 && !cutOff; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        for (const std::string& line : control_.Command("requests"))
            cutOff = cutOff || line.find("not reading its replies") != std::string::npos;
    }
    EXPECT_TRUE(cutOff);
    RawClient polite;
    ASSERT_TRUE(polite.Connect(sim_.Port()));
    polite.Greet();
    std::vector<FieldValue> reply;
    ASSERT_EQ(DecodeFieldList(polite.Request({"ZOLApp", "Ping", "5"}), reply), kFieldListOk);
    EXPECT_EQ(reply.at(0).number, 0);
}

}  // namespace
}  // namespace zol::test

namespace zol::test {
namespace {

TEST_F(SimProcessTest, ExtendedStatusGoesOnlyToSubscribedClients) {
    StartSim();
    LinkClient subscriber;
    LinkClient other;
    ASSERT_EQ(subscriber.Connect(sim_.Port()), 0) << subscriber.failureText;
    ASSERT_EQ(other.Connect(sim_.Port()), 0) << other.failureText;
    std::int32_t code = 1;
    std::vector<FieldValue> reply;
    ASSERT_EQ(subscriber.Request({"ZOLApp", "SetClientOptions", "270397", "Panel"}, code, reply),
              0);
    EXPECT_EQ(code, 0);

    ASSERT_TRUE(control_.Ok("pushstatus"));
    std::vector<FieldValue> push;
    ASSERT_TRUE(subscriber.observer.WaitForPush("ExtServerStatus", push));
    EXPECT_EQ(push.at(4).kind, FieldDateTime) << "server time";
    EXPECT_EQ(push.at(10).text, "Demo House status");
    ASSERT_TRUE(other.observer.WaitForPush("ServerStatus", push));
    EXPECT_FALSE(other.observer.WaitForPush("ExtServerStatus", push, 300));
}

}  // namespace
}  // namespace zol::test
