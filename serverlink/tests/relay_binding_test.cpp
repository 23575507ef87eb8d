// The relay plugged into ServerLink: the data connection is opened where the
// relay says, bound with the encrypted binding message, and then carries the
// ordinary plain protocol.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>

#include "serverlink/field_list.h"
#include "serverlink/relay_link.h"
#include "serverlink/server_link.h"
#include "serverlink/tests/fake_relay.h"

namespace zol {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::FakeRelay;

class RelayBindingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zol-relaybind-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        settings_.agentAddress = "127.0.0.1";
        settings_.agentPort = relay_.Port();
        settings_.logFolder = dir_.string();
        timeouts_.serverConnectTimeout = 5;
        timeouts_.serverSendTimeout = 5;
        timeouts_.serverReplyTimeout = 2;
        timeouts_.decodeTimeout = 1;
        link_.SetRelayHook(&relay_link_);
        target_.useRelay = true;
        target_.relayCredential = "tok";
    }
    void TearDown() override {
        link_.CloseServerConnection();
        EXPECT_FALSE(relay_link_.IsOpen());
        fs::remove_all(dir_);
    }

    // The relay's side: take the announcement, announce the data server,
    // uuid optional.
    std::future<void> RelayAnnounces(const std::string& uuidMember) {
        return std::async(std::launch::async, [this, uuidMember] {
            if (!relay_.Accept())
                return;
            relay_.Receive();
            relay_.SendLine(R"({"host":"127.0.0.1","port":")" + std::to_string(data_.Port()) +
                            "\"" + uuidMember + "}");
        });
    }

    std::string LogText() const {
        std::string all;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            std::ifstream in(entry.path(), std::ios::binary);
            all.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        return all;
    }

    // A request over the bound connection, answered by the data server.
    void ExpectPlainRequestWorks() {
        const std::string ping = FieldList{"ZOLApp", "Ping", "5"}.Message();
        const std::string pong = FieldList{"0", "ZOLApp", "Ping"}.Message();
        auto server = std::async(std::launch::async, [this, &ping, &pong] {
            std::optional<std::string> request = data_.ReceiveRaw();
            if (request && *request == ping)
                data_.SendRaw(pong);
        });
        std::int32_t code = -1;
        std::string reply;
        EXPECT_EQ(link_.SendRequest(ping, code, reply), 0);
        EXPECT_EQ(code, 0);
        EXPECT_EQ(reply, pong);
        server.get();
    }

    fs::path dir_;
    FakeRelay relay_;
    FakeRelay data_;
    RelaySettings settings_;
    LinkTimeouts timeouts_;
    RelayLink relay_link_{settings_, timeouts_};
    ServerLink link_{timeouts_};
    ServerTarget target_;
};

TEST_F(RelayBindingTest, BindsTheDataConnectionThenCarriesThePlainProtocol) {
    auto relaySide = RelayAnnounces(R"(,"uuid":"s-42")");
    auto dataSide = std::async(std::launch::async, [this] {
        if (!data_.Accept())
            return std::string();
        std::optional<std::string> binding = data_.ReceiveRaw();
        data_.SendRaw(EncryptAndEncode(R"({"agentstate":"ready"})"));
        return binding.value_or("");
    });
    ASSERT_EQ(link_.OpenServerConnection(target_), 0);
    relaySide.get();
    const std::string binding = dataSide.get();
    EXPECT_EQ(binding, EncryptAndEncode(R"({"type":"client","uuid":"client-s-42"})"));
    EXPECT_FALSE(link_.IsBinding());
    ExpectPlainRequestWorks();

    link_.CloseServerConnection();
    const std::string log = LogText();
    EXPECT_NE(
        log.find(
            R"(Agent Connection: Begin client connect. Sending {"type":"client","uuid":"client-s-42"})"),
        std::string::npos);
    EXPECT_NE(
        log.find(R"(Agent Connection: Begin client connect. Received {"agentstate":"ready"})"),
        std::string::npos);
    EXPECT_NE(log.find("Agent Connection: End"), std::string::npos);
}

TEST_F(RelayBindingTest, MissingUuidAndMissingAnswerStillConnect) {
    auto relaySide = RelayAnnounces("");
    auto dataSide = std::async(std::launch::async, [this] {
        if (!data_.Accept())
            return std::string();
        return data_.ReceiveRaw().value_or("");  // no answer at all
    });
    ASSERT_EQ(link_.OpenServerConnection(target_), 0);
    relaySide.get();
    EXPECT_EQ(dataSide.get(), EncryptAndEncode(R"({"type":"client","uuid":"client-"})"));
    EXPECT_NE(LogText().find("Agent Connection: Begin client connect. No reply"),
              std::string::npos);
    ExpectPlainRequestWorks();
}

TEST_F(RelayBindingTest, OtherAnswerIsLoggedAndTheConnectionProceeds) {
    auto relaySide = RelayAnnounces(R"(,"uuid":"u")");
    auto dataSide = std::async(std::launch::async, [this] {
        if (!data_.Accept())
            return;
        data_.ReceiveRaw();
        data_.SendRaw("garbage that is no base64 of anything");
    });
    ASSERT_EQ(link_.OpenServerConnection(target_), 0);
    relaySide.get();
    dataSide.get();
    EXPECT_NE(LogText().find("Agent Connection: Begin client connect. Received (undecodable)"),
              std::string::npos);
    ExpectPlainRequestWorks();
}

TEST_F(RelayBindingTest, RelayCodesPassThroughOpenServerConnection) {
    target_.relayCredential.clear();
    EXPECT_EQ(link_.OpenServerConnection(target_), kRelayNoCredential);
    target_.relayCredential = "tok";
    settings_.agentPostConnectWaitSeconds = 1;
    auto relaySide = std::async(std::launch::async, [this] { relay_.Accept(); });
    EXPECT_EQ(link_.OpenServerConnection(target_), kRelayServerNotOnline);
    relaySide.get();
    EXPECT_FALSE(relay_link_.IsOpen());
}

}  // namespace
}  // namespace zol
