#include "testsupport/zolsim_control.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace zol::testing {

int PortFromLine(const std::string& line) {
    std::size_t digits = line.find_last_not_of("0123456789");
    return std::atoi(line.c_str() + (digits == std::string::npos ? 0 : digits + 1));
}

std::string SendControlLine(int port, const std::string& line) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<std::uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string answer;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
        std::string out = line + "\n";
        ::send(fd, out.data(), out.size(), MSG_NOSIGNAL);
        char buf[4096];
        while (answer.find("OK\n") == std::string::npos &&
               answer.find("ERR") == std::string::npos) {
            ssize_t n = ::recv(fd, buf, sizeof buf, 0);
            if (n <= 0)
                break;
            answer.append(buf, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return answer;
}

}  // namespace zol::testing
