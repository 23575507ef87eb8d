// The floor for zolcli's whole-process time: the least a program can do for
// the same exchange (greeting, SetClientOptions, one command) over blocking
// sockets, with no settings, threads or result file.
// Usage: cli_floor <port> <object> <method>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "serverlink/field_list.h"

namespace {

bool SendAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool ReadExactly(int fd, std::string& out, std::size_t count) {
    while (out.size() < count) {
        char buf[4096];
        ssize_t n = ::recv(fd, buf, std::min(sizeof buf, count - out.size()), 0);
        if (n <= 0)
            return false;
        out.append(buf, static_cast<std::size_t>(n));
    }
    return true;
}

// Reads one field list: the header up to its four blanks, then up to the
// length its last entry gives.
bool ReadFieldList(int fd, std::string& frame) {
    frame.clear();
    std::size_t blanks = std::string::npos;
    while ((blanks = frame.find("    ")) == std::string::npos) {
        if (!ReadExactly(fd, frame, frame.size() + 4))
            return false;
    }
    if (blanks < 4)
        return true;
    std::size_t total = static_cast<std::size_t>(std::atoi(frame.substr(blanks - 4, 4).c_str()));
    return ReadExactly(fd, frame, total);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: cli_floor <port> <object> <method>\n");
        return 2;
    }
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<std::uint16_t>(std::atoi(argv[1])));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
        return 1;
    std::string greeting;
    if (!SendAll(fd, "ZOL000F002000001") || !ReadExactly(fd, greeting, 16))
        return 1;
    std::string reply;
    if (!SendAll(fd, zol::FieldList{"ZOLApp", "SetClientOptions", "0", "CloudCLI"}.Message()) ||
        !ReadFieldList(fd, reply)) {
        return 1;
    }
    if (!SendAll(fd, zol::FieldList{argv[2], argv[3]}.Message()) || !ReadFieldList(fd, reply)) {
        return 1;
    }
    ::close(fd);
    return 0;
}
