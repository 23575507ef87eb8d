// How much a load takes from the server at most. Replies that repeat until
// the server says "no more" would otherwise run for ever against a broken
// or hostile server. The limits are far above any real house (a generated
// one of 5,000 objects takes about 50 design parts).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zol {

inline constexpr int kMaxDesignParts = 2000;
inline constexpr int kMaxDesignObjects = 100'000;
inline constexpr int kMaxDisplayParts = 2000;
inline constexpr int kMaxDisplays = 20'000;
inline constexpr int kMaxTileParts = 500;
inline constexpr int kMaxTilesPerDisplay = 5000;
inline constexpr int kMaxFileChunks = 100'000;
inline constexpr std::int64_t kMaxFileBytes = std::int64_t{256} << 20;

// Returned by a load that a limit stopped; its failure text names the limit.
inline constexpr int kLoadLimitReached = 1000;

// "ZOLApp.GetDesign stopped at the limit of 2000 parts".
inline std::string LimitText(std::string_view request, std::int64_t limit, std::string_view what) {
    std::string text(request);
    text.append(" stopped at the limit of ").append(std::to_string(limit)).append(" ").append(what);
    return text;
}

}  // namespace zol
