#include "serverlink/bridge_discovery.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace zol {
namespace {

constexpr char kSearch[] = "BRIDGE";
constexpr std::size_t kSearchLength = 6;
constexpr char kAnswer[] = "HELLO";           // followed by a zero byte on the wire
constexpr std::size_t kAnswerTextLength = 6;  // "HELLO" and its zero byte
constexpr std::size_t kPortOffset = 10;
constexpr std::size_t kLargestDatagram = 1024;

bool FillAddress(const std::string& text, std::uint16_t port, sockaddr_in& address) {
    std::memset(&address, 0, sizeof address);
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    return ::inet_pton(AF_INET, text.c_str(), &address.sin_addr) == 1;
}

}  // namespace

BridgeDiscovery::BridgeDiscovery() : BridgeDiscovery(Options{}) {}

BridgeDiscovery::BridgeDiscovery(Options options) : options_(std::move(options)) {}

BridgeDiscovery::~BridgeDiscovery() {
    CloseSocket();
}

void BridgeDiscovery::CloseSocket() {
    if (socket_ >= 0) {
        ::close(socket_);
        socket_ = -1;
    }
}

bool BridgeDiscovery::Start() {
    CloseSocket();
    polls_ = 0;
    foundPort_ = -1;
    foundAddress_ = 0;

    sockaddr_in local{};
    sockaddr_in target{};
    if (!FillAddress(options_.localAddress, options_.localPort, local) ||
        !FillAddress(options_.targetAddress, options_.targetPort, target)) {
        return false;
    }
    socket_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0)
        return false;
    const int allow = 1;
    if (::setsockopt(socket_, SOL_SOCKET, SO_BROADCAST, &allow, sizeof allow) != 0 ||
        ::bind(socket_, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        CloseSocket();
        return false;
    }
    const ssize_t sent = ::sendto(socket_, kSearch, kSearchLength, 0,
                                  reinterpret_cast<const sockaddr*>(&target), sizeof target);
    if (sent < static_cast<ssize_t>(kSearchLength)) {
        CloseSocket();
        return false;
    }
    return true;
}

bool BridgeDiscovery::ReadAnswer() {
    pollfd waiting{socket_, POLLIN, 0};
    const timespec briefly{0, 100'000};  // 100 microseconds: never stalls the UI thread
    if (::ppoll(&waiting, 1, &briefly, nullptr) <= 0 || (waiting.revents & POLLIN) == 0) {
        return false;
    }

    unsigned char datagram[kLargestDatagram];
    sockaddr_in source{};
    socklen_t sourceLength = sizeof source;
    const ssize_t length = ::recvfrom(socket_, datagram, sizeof datagram, MSG_DONTWAIT,
                                      reinterpret_cast<sockaddr*>(&source), &sourceLength);
    if (length < static_cast<ssize_t>(kAnswerTextLength))
        return false;
    if (std::memcmp(datagram, kAnswer, kAnswerTextLength) != 0)
        return false;
    // An answer too short to hold the port bytes carries no port; it is not
    // taken, rather than reporting whatever the buffer held there.
    if (length < static_cast<ssize_t>(kPortOffset + 2))
        return false;

    foundAddress_ = ntohl(source.sin_addr.s_addr);
    foundPort_ = (datagram[kPortOffset] << 8) | datagram[kPortOffset + 1];
    return true;
}

BridgeDiscovery::PollResult BridgeDiscovery::Poll() {
    if (Found())
        return PollResult::Found;
    if (socket_ < 0)
        return PollResult::NotFound;
    if (ReadAnswer()) {
        CloseSocket();
        return PollResult::Found;
    }
    ++polls_;
    if (polls_ >= kMaxPolls) {
        CloseSocket();
        return PollResult::NotFound;
    }
    return PollResult::Waiting;
}

std::string BridgeDiscovery::FoundAddressText() const {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", (foundAddress_ >> 24) & 0xFFu,
                  (foundAddress_ >> 16) & 0xFFu, (foundAddress_ >> 8) & 0xFFu,
                  foundAddress_ & 0xFFu);
    return text;
}

}  // namespace zol
