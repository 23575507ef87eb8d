#include "simulator/tests/raw_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "serverlink/field_list.h"

namespace zol::test {

RawClient::~RawClient() {
    Close();
}

bool RawClient::Connect(int port) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return fd_ >= 0 && connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
}

bool RawClient::Send(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

bool RawClient::Fill(int timeoutMs) {
    pollfd poller{fd_, POLLIN, 0};
    if (poll(&poller, 1, timeoutMs) <= 0) {
        return false;
    }
    char chunk[16384];
    const ssize_t got = recv(fd_, chunk, sizeof chunk, 0);
    if (got <= 0) {
        closed_ = true;
        return false;
    }
    buffer_.append(chunk, static_cast<std::size_t>(got));
    return true;
}

bool RawClient::ReadFrame(std::string& frame, int timeoutMs) {
    while (true) {
        if (buffer_.size() >= 16 && buffer_.compare(0, 3, "ZOL") == 0) {
            frame = buffer_.substr(0, 16);
            buffer_.erase(0, 16);
            return true;
        }
        const std::size_t blanks = buffer_.find("    ");
        if (blanks != std::string::npos && blanks >= 4) {
            const std::size_t length =
                static_cast<std::size_t>(ReadDecimal(buffer_.substr(blanks - 4, 4)));
            if (length > 0 && buffer_.size() >= length) {
                frame = buffer_.substr(0, length);
                buffer_.erase(0, length);
                return true;
            }
        }
        if (closed_ || !Fill(timeoutMs)) {
            return false;
        }
    }
}

bool RawClient::ReadLine(std::string& line, int timeoutMs) {
    while (true) {
        const std::size_t end = buffer_.find('\n');
        if (end != std::string::npos) {
            line = buffer_.substr(0, end);
            buffer_.erase(0, end + 1);
            return true;
        }
        if (closed_ || !Fill(timeoutMs)) {
            return false;
        }
    }
}

bool RawClient::WaitForClose(int timeoutMs) {
    while (!closed_) {
        if (!Fill(timeoutMs) && !closed_) {
            return false;
        }
    }
    return true;
}

void RawClient::Close() {
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
}

std::string RawClient::Greet() {
    std::string reply;
    if (!Send("ZOL000F016000017") || !ReadFrame(reply)) {
        return {};
    }
    return reply;
}

std::string RawClient::Request(std::initializer_list<std::string_view> fields) {
    std::string reply;
    if (!Send(FieldList(fields).Message()) || !ReadFrame(reply)) {
        return {};
    }
    return reply;
}

}  // namespace zol::test
