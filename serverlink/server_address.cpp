#include "serverlink/server_address.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <array>
#include <cstring>

#include "platform/ascii_text.h"

namespace zol {

std::optional<std::uint32_t> ParseDottedAddress(std::string_view text) {
    // The first three parts end at a '.', which is dropped; the fourth is the rest.
    std::array<std::string_view, 4> parts;
    std::string_view rest = text;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t dot = rest.find('.');
        parts[i] = rest.substr(0, dot);
        rest = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
    }
    parts[3] = rest;
    std::uint32_t address = 0;
    for (std::string_view part : parts) {
        if (!AllDecimalDigits(part))
            return std::nullopt;
        std::uint32_t value = 0;
        for (char c : part)
            value = (value * 10u + static_cast<std::uint32_t>(c - '0')) % 256u;
        address = (address << 8) | value;
    }
    return address;
}

namespace {

// A text that no resolver could answer for (empty, over-long labels, blanks
// or control bytes) is refused here rather than sent out as a query.
bool PlausibleHostName(std::string_view text) {
    if (text.empty() || text.size() > 253)
        return false;
    std::size_t label = 0;
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b <= 0x20 || b >= 0x7F)
            return false;
        if (c == '.') {
            if (label == 0)
                return false;
            label = 0;
        } else if (++label > 63) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<std::uint32_t> LookupHostIpv4(std::string_view name) {
    if (!PlausibleHostName(name))
        return std::nullopt;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string host(name);
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr)
        return std::nullopt;
    std::optional<std::uint32_t> address;
    for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
        if (entry->ai_family == AF_INET && entry->ai_addr != nullptr) {
            sockaddr_in ipv4{};
            std::memcpy(&ipv4, entry->ai_addr, sizeof ipv4);
            address = ntohl(ipv4.sin_addr.s_addr);
            break;
        }
    }
    ::freeaddrinfo(found);
    return address;
}

std::optional<std::uint32_t> ResolveServerAddress(std::string_view text) {
    if (auto dotted = ParseDottedAddress(text))
        return dotted;
    return LookupHostIpv4(text);
}

ServerTarget MakeServerTarget(std::int64_t port, std::uint32_t address, std::string password,
                              bool useRelay, std::string relayCredential) {
    ServerTarget target;
    target.port = static_cast<std::uint16_t>(static_cast<std::uint64_t>(port) & 0xFFFFu);
    target.address = htonl(address);
    target.password = std::move(password);
    target.useRelay = useRelay;
    target.relayCredential = std::move(relayCredential);
    return target;
}

}  // namespace zol
