// Finding the server's IPv4 address from the "ServerIPAddress" text.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zol {

// Four dotted decimal parts are taken directly (each modulo 256); anything
// else is looked up as a host name (IPv4 only, first address). The result
// is in network byte order; nullopt when nothing usable was found.
std::optional<std::uint32_t> ResolveServerAddress(std::string_view text);

// The dotted-part rule alone; nullopt when the text is not four decimal parts.
std::optional<std::uint32_t> ParseDottedAddress(std::string_view text);

}  // namespace zol
