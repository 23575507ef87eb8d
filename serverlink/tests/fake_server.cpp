#include "serverlink/tests/fake_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

#include "serverlink/field_list.h"

namespace zol::test {
namespace {

constexpr auto kPollSlice = 20ms;

int MakeListener(std::uint16_t& port) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        throw std::runtime_error("socket failed");
    }
    int reuse = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof(reuse));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        listen(fd, 8) != 0) {
        close(fd);
        throw std::runtime_error("bind/listen failed");
    }
    socklen_t length = sizeof(address);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

bool WaitReadable(int fd, std::chrono::milliseconds slice) {
    pollfd handle{fd, POLLIN, 0};
    return poll(&handle, 1, static_cast<int>(slice.count())) > 0;
}

}  // namespace

bool FakeConnection::ReadSome(std::string& bytes, std::size_t max,
                              std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (auto now = std::chrono::steady_clock::now(); !stop_.load() && now < deadline;
         now = std::chrono::steady_clock::now()) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
        if (!WaitReadable(socket_, std::clamp(left, 1ms, std::chrono::milliseconds(kPollSlice)))) {
            continue;
        }
        char buffer[65536];
        ssize_t received = recv(socket_, buffer, std::min(max, sizeof(buffer)), 0);
        if (received <= 0) {
            peerClosed_ = true;
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(received));
        return true;
    }
    return false;
}

bool FakeConnection::ReadExactly(std::size_t count, std::string& bytes,
                                 std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (buffered_.size() < count) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !ReadSome(buffered_, 65536, left)) {
            return false;
        }
    }
    bytes = buffered_.substr(0, count);
    buffered_.erase(0, count);
    return true;
}

bool FakeConnection::ReadMessage(std::string& message, std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (buffered_.size() >= 16 && buffered_.starts_with("ZOL")) {
            message = buffered_.substr(0, 16);
            buffered_.erase(0, 16);
            return true;
        }
        std::size_t end = buffered_.find("    ");
        if (end != std::string::npos && end >= 4) {
            auto length = static_cast<std::size_t>(ReadDecimal(buffered_.substr(end - 4, 4)));
            if (buffered_.size() >= length) {
                message = buffered_.substr(0, length);
                buffered_.erase(0, length);
                return true;
            }
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !ReadSome(buffered_, 65536, left)) {
            return false;
        }
    }
}

bool FakeConnection::Write(std::string_view bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = send(socket_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

bool FakeConnection::WriteSlowly(std::string_view bytes, std::chrono::milliseconds pause) {
    for (char byte : bytes) {
        if (stop_.load() || !Write(std::string_view(&byte, 1))) {
            return false;
        }
        std::this_thread::sleep_for(pause);
    }
    return true;
}

bool FakeConnection::WaitForClose(std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!stop_.load() && std::chrono::steady_clock::now() < deadline) {
        if (!WaitReadable(socket_, kPollSlice)) {
            continue;
        }
        char buffer[4096];
        ssize_t received = recv(socket_, buffer, sizeof(buffer), 0);
        if (received <= 0) {
            return true;
        }
    }
    return false;
}

void FakeConnection::Close() {
    if (socket_ >= 0) {
        close(socket_);
        socket_ = -1;
    }
}

FakeServer::FakeServer(Script script) : script_(std::move(script)) {
    listener_ = MakeListener(port_);
    thread_ = std::thread(&FakeServer::Run, this);
}

FakeServer::~FakeServer() {
    stop_.store(true);
    thread_.join();
    close(listener_);
}

ServerTarget FakeServer::Target() const {
    ServerTarget target;
    target.address = htonl(INADDR_LOOPBACK);
    target.port = port_;
    return target;
}

std::uint16_t FakeServer::UnusedPort() {
    std::uint16_t port = 0;
    int fd = MakeListener(port);
    close(fd);
    return port;
}

void FakeServer::Run() {
    while (!stop_.load()) {
        if (!WaitReadable(listener_, kPollSlice)) {
            continue;
        }
        int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            continue;
        }
        accepted_.fetch_add(1);
        FakeConnection connection(client, stop_);
        script_(connection);
        connection.Close();
    }
}

std::string AnswerGreeting(FakeConnection& connection, std::string_view reply) {
    std::string frame;
    if (!connection.ReadExactly(16, frame)) {
        return {};
    }
    connection.Write(reply);
    return frame;
}

}  // namespace zol::test
