// ServerTarget: where and how one connect attempt reaches the server.
#pragma once

#include <cstdint>
#include <string>

namespace zol {

struct ServerTarget {
    std::uint16_t port = 2000;
    std::uint32_t address = 0;  // IPv4, network byte order
    std::string password;       // remote-access password, sent only when demanded
    bool useRelay = false;      // reach the server through the cloud relay
    std::string relayCredential;
};

}  // namespace zol
