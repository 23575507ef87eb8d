#include "bench/floor_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace zol::bench {

FloorClient::~FloorClient() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool FloorClient::Connect(int port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int one = 1;
    ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
}

bool FloorClient::Greet(std::string_view greeting) {
    return Write(greeting) && Read(16);
}

bool FloorClient::Exchange(std::string_view message) {
    return Write(message) && ReadFrame();
}

bool FloorClient::ExchangeTogether(const std::vector<std::string_view>& messages) {
    std::string all;
    for (std::string_view message : messages)
        all.append(message);
    if (!Write(all))
        return false;
    for (std::size_t i = 0; i < messages.size(); ++i) {
        if (!ReadFrame())
            return false;
    }
    return true;
}

bool FloorClient::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool FloorClient::Fill() {
    char chunk[65536];
    const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
    if (n <= 0)
        return false;
    buffer_.append(chunk, static_cast<std::size_t>(n));
    return true;
}

// Consumes `count` bytes.
bool FloorClient::Read(std::size_t count) {
    while (buffer_.size() < count) {
        if (!Fill())
            return false;
    }
    buffer_.erase(0, count);
    return true;
}

// A frame ends at the offset of the last header entry, the one before the
// four-blank terminator; a header holds no blanks, so the first four are it.
bool FloorClient::ReadFrame() {
    std::size_t terminator;
    while ((terminator = buffer_.find("    ")) == std::string::npos) {
        if (!Fill())
            return false;
    }
    const std::size_t length =
        terminator < 4
            ? terminator + 4
            : static_cast<std::size_t>(std::atoi(buffer_.substr(terminator - 4, 4).c_str()));
    return Read(std::max(length, terminator + 4));
}

}  // namespace zol::bench
