// The rule for a new unlock code typed on the user-interface page: at least
// three characters, all of them digits (the unlock entry is a number pad).
#pragma once

#include <cstddef>
#include <string_view>

namespace zol {

inline constexpr const char* kLockCodeTooShortText = "The lock code must be at least 3 digits. ";
inline constexpr std::size_t kShortestLockCode = 3;

bool IsAcceptableLockCode(std::string_view code);

}  // namespace zol
