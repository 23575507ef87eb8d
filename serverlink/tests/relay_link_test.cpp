#include "serverlink/relay_link.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <thread>

#include "serverlink/link_observer.h"
#include "serverlink/tests/fake_relay.h"

namespace zol {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::FakeRelay;
using testing::FakeResolver;

class EndObserver : public LinkObserver {
  public:
    void OnRelayReceiveEnded(int lastResult) override {
        lastResult_.store(lastResult);
        ended_.Set();
    }
    Event ended_{Event::Reset::Manual};
    std::atomic<int> lastResult_{-100};
};

class RelayLinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zol-relaylink-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        settings_.agentAddress = "127.0.0.1";
        settings_.agentPort = relay_.Port();
        settings_.logFolder = dir_.string();
        settings_.agentPostConnectWaitSeconds = 3;
        timeouts_.serverConnectTimeout = 5;
        timeouts_.decodeTimeout = 1;
        timeouts_.taskTerminateWaitTime = 5;
        link_.SetObserver(&observer_);
    }
    void TearDown() override {
        link_.CloseRelay();
        EXPECT_EQ(link_.OverdueTasks(), 0);
        fs::remove_all(dir_);
    }

    std::string LogText() const {
        std::string all;
        if (!fs::exists(dir_))
            return all;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            std::ifstream in(entry.path(), std::ios::binary);
            all.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        return all;
    }
    bool WaitForLog(const std::string& text) const {
        for (int i = 0; i < 100; ++i) {
            if (LogText().find(text) != std::string::npos)
                return true;
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }

    fs::path dir_;
    FakeRelay relay_;
    RelaySettings settings_;
    LinkTimeouts timeouts_;
    EndObserver observer_;
    FakeResolver resolver_;
    RelayLink link_{settings_, timeouts_, resolver_.Function()};
};

TEST_F(RelayLinkTest, EmptyCredentialGivesFourWithoutDialling) {
    ServerTarget target;
    target.useRelay = true;
    EXPECT_EQ(link_.ResolveServerViaRelay(target), kRelayNoCredential);
    EXPECT_FALSE(relay_.Pending(200ms));
    EXPECT_FALSE(link_.IsOpen());
}

TEST_F(RelayLinkTest, UnresolvableHostAndRefusedConnectionFail) {
    settings_.agentAddress = "";
    EXPECT_EQ(link_.OpenRelay("tok"), kRelayUnresolvable);
    EXPECT_NE(LogText().find("Agent Connection: Can't resolve address"), std::string::npos);

    settings_.agentAddress = "127.0.0.1";
    {
        FakeRelay closed;  // a port that is free again once this goes
        settings_.agentPort = closed.Port();
    }
    EXPECT_EQ(link_.OpenRelay("tok"), kRelayConnectFailed);
    EXPECT_FALSE(link_.IsOpen());
    EXPECT_NE(LogText().find("Agent Connection: Connect timeout"), std::string::npos);
    EXPECT_FALSE(observer_.ended_.IsSet());  // the result 6 reports it, once
}

TEST_F(RelayLinkTest, OpenSendsTheAnnouncementAndLogsEachStep) {
    ASSERT_EQ(link_.OpenRelay("tok\"en"), kRelayOpen);
    ASSERT_TRUE(relay_.Accept());
    EXPECT_EQ(relay_.Receive(), R"({"type":"client","name":"tok\"en"})");
    link_.CloseRelay();
    link_.CloseRelay();  // twice is harmless

    const std::string log = LogText();
    const char* expected[] = {
        "\r\n\r\n######## ", " AgentConnection: Begin\r\n",
        R"( Agent Connection: Send to cloud {"type":"client","name":"tok\"en"})",
        " Agent Connection: Open\r\n", " Agent Connection: End\r\n"};
    std::size_t at = 0;
    for (const char* text : expected) {
        const std::size_t found = log.find(text, at);
        ASSERT_NE(found, std::string::npos) << text << "\n" << log;
        at = found;
    }
    // Closing on purpose does not report the receive task's end.
    EXPECT_EQ(log.find("Receive task ending"), std::string::npos);
    EXPECT_FALSE(observer_.ended_.IsSet());
}

TEST_F(RelayLinkTest, NoLogWhenLoggingIsOff) {
    settings_.agentLog = 0;
    ASSERT_EQ(link_.OpenRelay("t"), kRelayOpen);
    link_.CloseRelay();
    EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(RelayLinkTest, HostMessageGivesTheDataConnectionAddress) {
    auto relaySide = std::async(std::launch::async, [this] {
        if (!relay_.Accept())
            return;
        relay_.Receive();
        relay_.SendLine(R"({"host":"127.0.0.9","port":"4321","uuid":"abc"})");
    });
    ServerTarget target;
    target.useRelay = true;
    target.relayCredential = "tok";
    ASSERT_EQ(link_.ResolveServerViaRelay(target), 0);
    relaySide.get();
    EXPECT_EQ(target.address, htonl(0x7F000009));
    EXPECT_EQ(target.port, 4321);
    EXPECT_EQ(link_.Announced()->uuid, "abc");
    EXPECT_TRUE(WaitForLog("Agent decode: Host message 127.0.0.9 4321 abc"));
}

TEST_F(RelayLinkTest, NoHostMessageGivesNineAfterTheWait) {
    settings_.agentPostConnectWaitSeconds = 3;
    ServerTarget target;
    target.relayCredential = "tok";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(link_.ResolveServerViaRelay(target), kRelayServerNotOnline);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, 1400ms);  // 3 polls of 500 ms, not 3 s
    EXPECT_LT(waited, 2900ms);
    EXPECT_FALSE(link_.IsOpen());
    EXPECT_EQ(target.address, 0u);
}

TEST_F(RelayLinkTest, ZeroWaitChecksOnceWithoutWaiting) {
    settings_.agentPostConnectWaitSeconds = 0;
    ServerTarget target;
    target.relayCredential = "tok";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(link_.ResolveServerViaRelay(target), kRelayServerNotOnline);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1400ms);
}

TEST_F(RelayLinkTest, PingsTheRelayAndIgnoresPongs) {
    settings_.agentPingSeconds = 1;
    ASSERT_EQ(link_.OpenRelay("tok"), kRelayOpen);
    ASSERT_TRUE(relay_.Accept());
    EXPECT_EQ(relay_.Receive(), R"({"type":"client","name":"tok"})");
    std::optional<std::string> ping = relay_.Receive(5s);
    ASSERT_TRUE(ping);
    EXPECT_EQ(ping->rfind("{\"ping\":", 0), 0u) << *ping;
    relay_.SendLine(R"({"pong":1})");
    ASSERT_TRUE(WaitForLog("Store in receive agent buffer: "));
    std::this_thread::sleep_for(1200ms);
    EXPECT_EQ(LogText().find("Received unknown command"), std::string::npos);
}

TEST_F(RelayLinkTest, RelayClosingReportsTheEndWhateverIsLeftUnread) {
    const std::string pong = EncryptAndEncode(R"({"pong":1})");
    const struct {
        const char* name;
        std::string bytes;
        int lastResult;
    } cases[] = {
        {"error line", EncryptAndEncode(R"({"error":"bye","code":3})") + "\n", 3},
        {"error line and one more",
         EncryptAndEncode(R"({"error":"bye","code":3})") + "\n" + pong + "\n", 0},
        {"last line without its line feed", pong + "\n" + pong, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        observer_.ended_.ResetEvent();
        ASSERT_EQ(link_.OpenRelay("tok"), kRelayOpen);
        ASSERT_TRUE(relay_.Accept());
        relay_.Receive();
        relay_.SendRaw(c.bytes);
        relay_.CloseClient();
        ASSERT_TRUE(observer_.ended_.Wait(10s));
        EXPECT_EQ(observer_.lastResult_.load(), c.lastResult);
        EXPECT_TRUE(WaitForLog("Agent connection: Socket close event"));
        EXPECT_TRUE(WaitForLog("Agent connection : Receive task ending 10057 " +
                               std::to_string(c.lastResult)));
        link_.CloseRelay();
        for (const auto& entry : fs::directory_iterator(dir_))
            fs::remove(entry.path());
    }
}

TEST_F(RelayLinkTest, FloodOfErrorLinesStaysWithinTheReceiveLimit) {
    settings_.agentLog = 0;  // three log entries per line would only slow this down
    ASSERT_EQ(link_.OpenRelay("tok"), kRelayOpen);
    ASSERT_TRUE(relay_.Accept());
    relay_.Receive();
    const std::string line = EncryptAndEncode(R"({"error":"flood","code":7})") + "\n";
    std::string flood;
    while (flood.size() < (1u << 20))
        flood += line;
    relay_.SendRaw(flood);
    relay_.CloseClient();
    EXPECT_TRUE(observer_.ended_.Wait(30s));
    EXPECT_EQ(observer_.lastResult_.load(), 7);
    // One read chunk on top of an unended rest below the limit.
    EXPECT_LT(link_.PeakUnprocessedBytes(), 2 * kReceiveChunkSize);
}

TEST_F(RelayLinkTest, SlowHostLookupDoesNotStallClose) {
    timeouts_.taskTerminateWaitTime = 60;
    ASSERT_EQ(link_.OpenRelay("tok"), kRelayOpen);
    ASSERT_TRUE(relay_.Accept());
    relay_.Receive();
    relay_.SendLine(std::string(R"({"host":")") + FakeResolver::kSlowHost + R"(","port":"1"})");
    ASSERT_TRUE(resolver_.slowEntered.Wait(10s));
    // Lines keep being processed while the lookup runs.
    const std::string pong = R"({"pong":1})";
    relay_.SendLine(pong);
    EXPECT_TRUE(WaitForLog("Store in receive agent buffer: " +
                           std::to_string(EncryptAndEncode(pong).size())));

    auto closing = std::async(std::launch::async, [this] { link_.CloseRelay(); });
    const bool closedDuringLookup = closing.wait_for(20s) == std::future_status::ready;
    resolver_.release.Set();
    closing.get();
    EXPECT_TRUE(closedDuringLookup);
    EXPECT_FALSE(link_.Announced());
}

TEST(RelayJsonTest, EscapesQuotesBackslashesAndControls) {
    EXPECT_EQ(JsonEscape("plain-token_1"), "plain-token_1");
    EXPECT_EQ(JsonEscape("a\"b\\c\n"), "a\\\"b\\\\c\\u000a");
}

}  // namespace
}  // namespace zol
