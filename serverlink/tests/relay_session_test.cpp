#include "serverlink/relay_session.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "serverlink/relay_crypto.h"

namespace zol {
namespace {

std::uint32_t Dotted(const char* text) {
    in_addr address{};
    inet_pton(AF_INET, text, &address);
    return address.s_addr;
}

std::string Line(std::string_view json) {
    return EncryptAndEncode(json) + "\n";
}

class RelaySessionTest : public ::testing::Test {
  protected:
    RelaySessionTest()
        : session_([this](std::string_view text) { log_.emplace_back(text); },
                   [](const std::string& host) {
                       return host == "relay.example.test" ? Dotted("10.1.2.3")
                                                           : Dotted(host.c_str());
                   }) {}

    bool Logged(const std::string& text) const {
        for (const auto& line : log_) {
            if (line == text)
                return true;
        }
        return false;
    }
    bool LoggedStart(const std::string& start) const {
        for (const auto& line : log_) {
            if (line.rfind(start, 0) == 0)
                return true;
        }
        return false;
    }

    std::vector<std::string> log_;
    RelaySession session_;
};

TEST_F(RelaySessionTest, TwoLinesInOneReadAreProcessedInOrder) {
    const std::string pong = R"({"pong":1})";
    const std::string host = R"({"host":"127.0.0.1","port":"4000","uuid":"s1"})";
    const std::string first = Line(pong);
    const std::string second = Line(host);
    int last = 99;
    EXPECT_EQ(session_.ScanReceived(first + second, last), first.size() + second.size());
    EXPECT_EQ(last, 0);
    ASSERT_EQ(log_.size(), 2u);
    EXPECT_EQ(log_[0], "Store in receive agent buffer: " + std::to_string(first.size() - 1));
    EXPECT_EQ(log_[1], "Store in receive agent buffer: " + std::to_string(second.size() - 1));
    EXPECT_EQ(session_.PlaintextSize(), pong.size() + host.size());
}

TEST_F(RelaySessionTest, LineSplitAcrossReadsWaitsForItsLineFeed) {
    const std::string line = Line(R"({"host":"127.0.0.1","port":"4000"})");
    const std::string received = line.substr(0, 10);
    int last = 0;
    EXPECT_EQ(session_.ScanReceived(received, last), 0u);
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(session_.ScanReceived(line, last), line.size());
    session_.RunDecodePass();
    ASSERT_TRUE(session_.Announced());
    EXPECT_EQ(session_.Announced()->port, 4000);
}

TEST_F(RelaySessionTest, ErrorAndUnparsableLinesDoNotHoldBackTheLinesAfterThem) {
    const std::string error = Line(R"({"error":"no such agent","code":12})");
    const std::string bad = Line("not json");
    const std::string later = Line(R"({"pong":2})");
    int last = 0;
    EXPECT_EQ(session_.ScanReceived(error + later, last), error.size() + later.size());
    EXPECT_EQ(last, 0);
    EXPECT_TRUE(Logged("Agent Received " + std::to_string(error.size() - 1) +
                       R"( bytes: JSON is: {"error":"no such agent","code":12})"));
    EXPECT_TRUE(Logged("Agent connection: Received error 12 - no such agent"));

    EXPECT_EQ(session_.ScanReceived(later + bad + error, last),
              later.size() + bad.size() + error.size());
    EXPECT_EQ(last, 12);
    EXPECT_EQ(session_.ScanReceived(bad, last), bad.size());
    EXPECT_EQ(last, -1);
}

TEST_F(RelaySessionTest, ErrorCodeZeroOrNonNumericIsNoError) {
    int last = 7;
    const std::string text = Line(R"({"error":"fine","code":0})") + Line(R"({"code":"x12"})") +
                             Line(R"({"code":"12abc","error":"e"})");
    session_.ScanReceived(text, last);
    EXPECT_EQ(last, 12);  // leading digits count
    EXPECT_FALSE(Logged("Agent connection: Received error 0 - fine"));
    EXPECT_TRUE(Logged("Agent connection: Received error 12 - e"));
}

TEST_F(RelaySessionTest, UnparsableJsonIsLoggedTwice) {
    const std::string bad = Line("not json");
    int last = 0;
    EXPECT_EQ(session_.ScanReceived(bad, last), bad.size());
    EXPECT_EQ(last, -1);
    EXPECT_TRUE(Logged("Agent Received " + std::to_string(bad.size() - 1) +
                       " bytes: unparsable JSON is: not json"));
    session_.RunDecodePass();
    EXPECT_TRUE(Logged("Agent decode: Can't parse received JSON:not json"));
}

TEST_F(RelaySessionTest, UndecodableLineIsDroppedAndTheScanGoesOn) {
    const std::string later = Line(R"({"host":"127.0.0.1","port":"81"})");
    int last = 0;
    const std::string received = "@@garbage@@\n" + Line("").substr(0, 5) + "\n" + later;
    EXPECT_EQ(session_.ScanReceived(received, last), received.size());
    EXPECT_EQ(last, 0);
    EXPECT_TRUE(Logged("Agent Received 11 bytes: undecodable"));
    EXPECT_TRUE(Logged("Agent Received 5 bytes: undecodable"));
    session_.RunDecodePass();
    ASSERT_TRUE(session_.Announced());
    EXPECT_EQ(session_.Announced()->port, 81);
}

TEST_F(RelaySessionTest, TwoStoredPlaintextsDecodeAsOneWhereTheFirstCounts) {
    int last = 0;
    session_.ScanReceived(Line(R"({"pong":5})") + Line(R"({"host":"127.0.0.1","port":"9"})"), last);
    session_.RunDecodePass();
    EXPECT_FALSE(session_.Announced());
    EXPECT_EQ(session_.PlaintextSize(), 0u);
    EXPECT_TRUE(log_.size() == 2u) << "a pong is silent";

    session_.ScanReceived(Line(R"({"host":"127.0.0.1","port":"9"})") + Line(R"({"pong":5})"), last);
    session_.RunDecodePass();
    ASSERT_TRUE(session_.Announced());
    EXPECT_EQ(session_.Announced()->port, 9);
}

TEST_F(RelaySessionTest, HostMessagePortRulesAndMissingUuid) {
    int last = 0;
    auto feed = [&](std::string_view json) {
        session_.ScanReceived(Line(json), last);
        session_.RunDecodePass();
        return session_.Announced().value_or(AnnouncedServer{});
    };
    AnnouncedServer first = feed(R"({"host":"relay.example.test","port":"2100","uuid":"u-1"})");
    EXPECT_EQ(first.address, Dotted("10.1.2.3"));
    EXPECT_EQ(first.port, 2100);
    EXPECT_EQ(first.uuid, "u-1");
    EXPECT_TRUE(
        Logged(R"(Agent decode JSON:{"host":"relay.example.test","port":"2100","uuid":"u-1"})"));
    EXPECT_TRUE(Logged("Agent decode: Host message relay.example.test 2100 u-1"));

    AnnouncedServer letter = feed(R"({"host":"127.0.0.2","port":"2200x"})");
    EXPECT_EQ(letter.address, Dotted("127.0.0.2"));
    EXPECT_EQ(letter.port, 2100);  // previous port kept
    EXPECT_EQ(letter.uuid, "");    // binds as "client-"

    EXPECT_EQ(feed(R"({"host":"127.0.0.2","port":""})").port, 2100);
    EXPECT_EQ(feed(R"({"host":"127.0.0.2","port":"70000"})").port, 2100);
    EXPECT_EQ(feed(R"({"host":"127.0.0.2","port":2300})").port, 2300);  // bare number
    EXPECT_EQ(feed(R"({"host":"127.0.0.2"})").port, 2300);
}

TEST_F(RelaySessionTest, UnresolvableHostKeepsTheWaiterWaiting) {
    int last = 0;
    session_.ScanReceived(Line(R"({"host":"nowhere.invalid","port":"1"})"), last);
    session_.RunDecodePass();
    EXPECT_FALSE(session_.Announced());
}

TEST_F(RelaySessionTest, UnknownObjectIsLoggedAndPingCheckRunsEachPass) {
    int last = 0;
    session_.ScanReceived(Line(R"({"something":"else"})"), last);
    int checks = 0;
    session_.RunDecodePass([&] { ++checks; });
    session_.RunDecodePass([&] { ++checks; });
    EXPECT_TRUE(Logged(R"(Agent decode: Received unknown command:{"something":"else"})"));
    EXPECT_EQ(checks, 2);
}

TEST_F(RelaySessionTest, PlaintextThatDoesNotFitIsDroppedSilently) {
    const std::string big = "{\"pad\":\"" + std::string(40000, 'p') + "\"}";
    int last = 0;
    session_.ScanReceived(Line(big), last);
    EXPECT_EQ(session_.PlaintextSize(), big.size());
    session_.ScanReceived(Line(big), last);
    EXPECT_EQ(session_.PlaintextSize(), big.size());
    session_.Clear();
    EXPECT_EQ(session_.PlaintextSize(), 0u);
}

TEST_F(RelaySessionTest, EndlessLineIsDroppedInsteadOfGrowingForever) {
    int last = 0;
    const std::string endless(RelaySession::kMaxLineLength + 1, 'A');
    EXPECT_EQ(session_.ScanReceived(endless, last), endless.size());
    EXPECT_TRUE(LoggedStart("Agent Received 65536 bytes: line too long"));

    // Also behind complete lines: what stays unused is always shorter.
    const std::string pong = Line(R"({"pong":1})");
    EXPECT_EQ(session_.ScanReceived(pong + endless, last), pong.size() + endless.size());
    const std::string unended(RelaySession::kMaxLineLength, 'A');
    EXPECT_EQ(session_.ScanReceived(pong + unended, last), pong.size());
}

}  // namespace
}  // namespace zol
