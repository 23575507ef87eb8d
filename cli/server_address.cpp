#include "cli/server_address.h"

#include "platform/ascii_text.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <array>
#include <string>

namespace zol {

std::optional<std::uint32_t> ParseDottedAddress(std::string_view text) {
    // The first three parts end at a '.', which is dropped; the fourth is the rest.
    std::array<std::string_view, 4> parts;
    std::string_view rest = text;
    for (std::size_t i = 0; i < 3; ++i) {
        std::size_t dot = rest.find('.');
        parts[i] = rest.substr(0, dot);
        rest = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
    }
    parts[3] = rest;
    std::uint32_t hostOrder = 0;
    for (std::string_view part : parts) {
        if (!AllDecimalDigits(part)) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (char c : part)
            value = (value * 10u + static_cast<std::uint32_t>(c - '0')) % 256u;
        hostOrder = (hostOrder << 8) | value;
    }
    return htonl(hostOrder);
}

namespace {

// A text that no resolver could answer for (empty, over-long labels, blanks
// or control bytes) is refused here rather than sent out as a query.
bool PlausibleHostName(std::string_view text) {
    if (text.empty() || text.size() > 253)
        return false;
    std::size_t label = 0;
    for (char c : text) {
        auto b = static_cast<unsigned char>(c);
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

std::optional<std::uint32_t> ResolveServerAddress(std::string_view text) {
    if (auto dotted = ParseDottedAddress(text))
        return dotted;
    if (!PlausibleHostName(text))
        return std::nullopt;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string name(text);
    if (::getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) {
        return std::nullopt;
    }
    std::optional<std::uint32_t> address;
    for (addrinfo* a = found; a != nullptr; a = a->ai_next) {
        if (a->ai_family == AF_INET && a->ai_addr != nullptr) {
            address = reinterpret_cast<const sockaddr_in*>(a->ai_addr)->sin_addr.s_addr;
            break;
        }
    }
    ::freeaddrinfo(found);
    return address;
}

}  // namespace zol
