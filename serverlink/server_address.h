// Server addresses as the programs hold them, and the ServerTarget a connect
// attempt dials.
//
// Inside the programs an IPv4 address is a number with its first part in the
// high byte, as the settings keep it ("PrimaryIPAddress") and as dotted text
// reads; only a ServerTarget holds network byte order, made by MakeServerTarget.
// Pure functions, except LookupHostIpv4, which asks the system's resolver and
// may block for as long as it takes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "serverlink/server_target.h"

namespace zol {

// The dotted-address rule: the text is cut at its first three dots (the
// fourth part is all the rest); when all four parts are non-empty decimal
// numbers, each taken modulo 256 is one byte of the address, first part
// first. nullopt when the text is not four such parts.
std::optional<std::uint32_t> ParseDottedAddress(std::string_view text);

// The first IPv4 address the system's resolver gives for `name` (a dotted
// address resolves to itself); nullopt when there is none. A text no
// resolver could answer for (empty, over-long, blanks, control or non-ASCII
// bytes) is refused without a query.
std::optional<std::uint32_t> LookupHostIpv4(std::string_view name);

// ParseDottedAddress, else LookupHostIpv4.
std::optional<std::uint32_t> ResolveServerAddress(std::string_view text);

// The one conversion into a ServerTarget: the port keeps its low 16 bits
// (settings hold it as a 32-bit number), the address goes into network byte
// order.
ServerTarget MakeServerTarget(std::int64_t port, std::uint32_t address, std::string password,
                              bool useRelay = false, std::string relayCredential = {});

}  // namespace zol
