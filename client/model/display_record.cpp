#include "client/model/display_record.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace zol {

void DisplayRecord::SetObjectIds(std::vector<std::int32_t> ids) {
    objectIds = std::move(ids);
    // A reply of at most 9,999 bytes cannot carry more ids than this holds.
    objectCount = static_cast<std::int32_t>(
        std::min<std::size_t>(objectIds.size(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace zol
