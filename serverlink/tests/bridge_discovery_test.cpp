#include "serverlink/bridge_discovery.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

namespace zol {
namespace {

// A UDP socket on 127.0.0.1 standing in for the server's discovery port.
class FakeServer {
  public:
    FakeServer() {
        fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    ~FakeServer() { ::close(fd_); }

    std::uint16_t Port() const { return port_; }

    // Waits for one datagram and returns it with the sender's port.
    std::string Receive(std::uint16_t& senderPort) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 5000) != 1)
            return {};
        char buffer[256];
        sockaddr_in from{};
        socklen_t length = sizeof from;
        ssize_t n =
            ::recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
        senderPort = ntohs(from.sin_port);
        return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
    }

    void SendTo(std::uint16_t port, const std::string& bytes) {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        to.sin_port = htons(port);
        ::sendto(fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
        // Loopback delivery is immediate, but give the stack a moment so the
        // next poll surely sees the datagram.
        ::usleep(20'000);
    }

  private:
    int fd_ = -1;
    std::uint16_t port_ = 0;
};

std::uint16_t FreeUdpPort() {
    FakeServer probe;
    return probe.Port();
}

std::string Answer(unsigned char high, unsigned char low, std::size_t length = 16) {
    std::string answer("HELLO\0", 6);
    answer.resize(length, 'x');
    if (length >= 12) {
        answer[10] = static_cast<char>(high);
        answer[11] = static_cast<char>(low);
    }
    return answer;
}

BridgeDiscovery::Options ToServer(const FakeServer& server) {
    BridgeDiscovery::Options options;
    options.targetAddress = "127.0.0.1";
    options.targetPort = server.Port();
    options.localAddress = "127.0.0.1";
    options.localPort = FreeUdpPort();
    return options;
}

TEST(BridgeDiscoveryTest, SendsSearchAndTakesPortFromBytesTenAndEleven) {
    FakeServer server;
    BridgeDiscovery discovery(ToServer(server));
    ASSERT_TRUE(discovery.Start());
    std::uint16_t clientPort = 0;
    EXPECT_EQ(server.Receive(clientPort), "BRIDGE");

    server.SendTo(clientPort, Answer(0x07, 0xD0));
    EXPECT_EQ(discovery.Poll(), BridgeDiscovery::PollResult::Found);
    EXPECT_EQ(discovery.FoundPort(), 2000);
    EXPECT_EQ(discovery.FoundAddressText(), "127.0.0.1");
    EXPECT_EQ(discovery.FoundAddress(), 0x7F000001u);
    EXPECT_EQ(discovery.Poll(), BridgeDiscovery::PollResult::Found);
}

TEST(BridgeDiscoveryTest, ShortOrWrongDatagramsAreMisses) {
    FakeServer server;
    BridgeDiscovery discovery(ToServer(server));
    ASSERT_TRUE(discovery.Start());
    std::uint16_t clientPort = 0;
    server.Receive(clientPort);

    server.SendTo(clientPort, "HELLO");  // five bytes, no terminator
    EXPECT_EQ(discovery.Poll(), BridgeDiscovery::PollResult::Waiting);
    server.SendTo(clientPort, std::string("HELLOX\0\0\0\0\x07\xD0", 12));
    EXPECT_EQ(discovery.Poll(), BridgeDiscovery::PollResult::Waiting);
    server.SendTo(clientPort, Answer(0, 0, 8));  // too short to carry the port
    EXPECT_EQ(discovery.Poll(), BridgeDiscovery::PollResult::Waiting);
    EXPECT_FALSE(discovery.Found());
    EXPECT_EQ(discovery.FoundPort(), -1);

    server.SendTo(clientPort, Answer(0xFF, 0xFE, 12));
    EXPECT_EQ(discovery.Poll(), BridgeDiscovery::PollResult::Found);
    EXPECT_EQ(discovery.FoundPort(), 65534);
    EXPECT_EQ(discovery.PollCount(), 3);
}

TEST(BridgeDiscoveryTest, OwnSearchDatagramFirstCountsAsMiss) {
    // Sending to its own port makes the search come back, as a broadcast does.
    BridgeDiscovery::Options options;
    options.targetAddress = "127.0.0.1";
    options.localAddress = "127.0.0.1";
    options.localPort = FreeUdpPort();
    options.targetPort = options.localPort;
    BridgeDiscovery discovery(options);
    ASSERT_TRUE(discovery.Start());

    FakeServer server;
    server.SendTo(options.localPort, Answer(0x07, 0xD1));
    EXPECT_EQ(discovery.Poll(), BridgeDiscovery::PollResult::Waiting);
    EXPECT_EQ(discovery.Poll(), BridgeDiscovery::PollResult::Found);
    EXPECT_EQ(discovery.FoundPort(), 2001);
}

TEST(BridgeDiscoveryTest, GivesUpOnTheSixthPollWithoutAnswer) {
    FakeServer server;
    BridgeDiscovery discovery(ToServer(server));
    ASSERT_TRUE(discovery.Start());
    for (int poll = 1; poll < BridgeDiscovery::kMaxPolls; ++poll) {
        EXPECT_EQ(discovery.Poll(), BridgeDiscovery::PollResult::Waiting) << poll;
    }
    EXPECT_EQ(discovery.Poll(), BridgeDiscovery::PollResult::NotFound);
    EXPECT_EQ(discovery.PollCount(), 6);
    // The socket is closed: a late answer is never seen.
    EXPECT_EQ(discovery.Poll(), BridgeDiscovery::PollResult::NotFound);
    EXPECT_FALSE(discovery.Found());
}

TEST(BridgeDiscoveryTest, StartFailsWhenPortTakenOrAddressBad) {
    FakeServer occupant;
    BridgeDiscovery::Options options;
    options.targetAddress = "127.0.0.1";
    options.localAddress = "127.0.0.1";
    options.localPort = occupant.Port();
    BridgeDiscovery taken(options);
    EXPECT_FALSE(taken.Start());
    EXPECT_EQ(taken.Poll(), BridgeDiscovery::PollResult::NotFound);

    options.localPort = 0;
    options.targetAddress = "not an address";
    BridgeDiscovery bad(options);
    EXPECT_FALSE(bad.Start());
}

}  // namespace
}  // namespace zol
