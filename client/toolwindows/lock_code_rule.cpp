#include "client/toolwindows/lock_code_rule.h"

#include <algorithm>

namespace zol {

bool IsAcceptableLockCode(std::string_view code) {
    return code.size() >= kShortestLockCode &&
           std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace zol
