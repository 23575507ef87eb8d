#include "simulator/part_splitter.h"

namespace zol {

PartRanges SplitIntoParts(const std::vector<std::string>& entries, std::size_t fixedCost,
                          std::size_t limit) {
    PartRanges parts;
    std::size_t begin = 0;
    std::size_t used = fixedCost;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t cost = 4 + entries[i].size();
        if (i > begin && used + cost > limit) {
            parts.emplace_back(begin, i);
            begin = i;
            used = fixedCost;
        }
        used += cost;
    }
    if (begin < entries.size()) {
        parts.emplace_back(begin, entries.size());
    }
    return parts;
}

std::size_t ReplyHeadCost(const std::string& object, const std::string& method, std::size_t extra) {
    // Three header entries, the four blanks, "0", the two names.
    return 3 * 4 + 4 + 1 + object.size() + method.size() + extra;
}

}  // namespace zol
