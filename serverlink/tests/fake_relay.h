// FakeRelay: a cloud relay's control port on 127.0.0.1 for tests. It accepts
// one client, reads the client's encrypted messages (one per receive, which
// holds on loopback when the test sends nothing else at the same moment) and
// writes encrypted LF-ended lines or raw bytes. FakeResolver stands in for
// the relay's host-name lookups.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/event.h"
#include "serverlink/relay_crypto.h"

namespace zol::testing {

class FakeRelay {
  public:
    FakeRelay() {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int reuse = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 4);
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    ~FakeRelay() {
        CloseClient();
        ::close(listener_);
    }
    FakeRelay(const FakeRelay&) = delete;
    FakeRelay& operator=(const FakeRelay&) = delete;

    std::uint16_t Port() const { return port_; }
    int Accepted() const { return accepted_; }

    bool Accept(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(timeout.count())) != 1)
            return false;
        client_ = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client_ >= 0)
            ++accepted_;
        return client_ >= 0;
    }

    // True when a client is waiting to be accepted.
    bool Pending(std::chrono::milliseconds timeout) {
        pollfd p{listener_, POLLIN, 0};
        return ::poll(&p, 1, static_cast<int>(timeout.count())) == 1;
    }

    // The plaintext of the next message, or nothing on time-out or close.
    std::optional<std::string> Receive(
        std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        pollfd p{client_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(timeout.count())) != 1)
            return std::nullopt;
        char buffer[4096];
        const ssize_t n = ::recv(client_, buffer, sizeof buffer, 0);
        if (n <= 0)
            return std::nullopt;
        return DecodeAndDecrypt(std::string_view(buffer, static_cast<std::size_t>(n)));
    }

    // The next bytes as received, without decoding.
    std::optional<std::string> ReceiveRaw(
        std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        pollfd p{client_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(timeout.count())) != 1)
            return std::nullopt;
        char buffer[4096];
        const ssize_t n = ::recv(client_, buffer, sizeof buffer, 0);
        if (n <= 0)
            return std::nullopt;
        return std::string(buffer, static_cast<std::size_t>(n));
    }

    void SendLine(std::string_view json) { SendRaw(EncryptAndEncode(json) + "\n"); }
    void SendRaw(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t n = ::send(client_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n <= 0)
                return;
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
    }
    void CloseClient() {
        if (client_ >= 0)
            ::close(client_);
        client_ = -1;
    }

  private:
    int listener_ = -1;
    int client_ = -1;
    std::uint16_t port_ = 0;
    int accepted_ = 0;
};

// Dotted addresses resolve to themselves, kSlowHost only once Release is set,
// every other name not at all: no test asks real DNS.
class FakeResolver {
  public:
    static constexpr const char* kSlowHost = "slow.relay.test";

    std::function<std::uint32_t(const std::string&)> Function() {
        return [this](const std::string& host) { return Resolve(host); };
    }

    Event slowEntered{Event::Reset::Manual};
    Event release{Event::Reset::Manual};
    std::atomic<int> slowLookups{0};

  private:
    std::uint32_t Resolve(const std::string& host) {
        if (host == kSlowHost) {
            slowLookups.fetch_add(1);
            slowEntered.Set();
            release.Wait();
            return htonl(0x7F000005);
        }
        in_addr address{};
        return ::inet_pton(AF_INET, host.c_str(), &address) == 1 ? address.s_addr : 0;
    }
};

}  // namespace zol::testing
