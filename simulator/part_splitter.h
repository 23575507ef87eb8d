// Cuts the entries of a repeated request ("GetDesign", "GetDisplays",
// "GetDisplayTilesEx") into parts whose replies fit one field list.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "simulator/session_state.h"

namespace zol {

// Room left in every part for entries that grow (a level of 100 instead of
// 0, a longer status text) between part 0 and the later parts.
inline constexpr std::size_t kPartGrowthRoom = 256;

// Each entry costs its length plus a four-byte header entry; `fixedCost` is
// the rest of the reply. An entry too large for any part gets a part of its
// own (its reply then fails, which ends the client's loop).
PartRanges SplitIntoParts(const std::vector<std::string>& entries, std::size_t fixedCost,
                          std::size_t limit);

// The cost of the reply fields in front of the entries: result code 0,
// object and method names, plus `extra` bytes.
std::size_t ReplyHeadCost(const std::string& object, const std::string& method, std::size_t extra);

}  // namespace zol
