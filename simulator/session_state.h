// What the server keeps about one connected client.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zol {

// Entries of a repeated request cut into parts, fixed when part 0 is asked
// for so that state changes between parts neither repeat nor skip entries.
using PartRanges = std::vector<std::pair<std::size_t, std::size_t>>;

struct SessionState {
    int clientNumber = 0;
    bool greeted = false;
    bool authorised = false;
    int protocolLevel = 13;
    int clientOptions = 0;
    std::string clientName;
    int clientVersion[3] = {0, 0, 0};
    // Key: request name plus its selector (display name), value: the parts.
    std::map<std::string, PartRanges> partitions;
};

// "SetClientOptions" bit by which a status tile asks for "ExtServerStatus".
inline constexpr int kExtendedStatusOption = 0x2000;

}  // namespace zol
