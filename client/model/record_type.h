// The first member of every design record: code that holds a record of
// either kind can tell them apart by it.
#pragma once

#include <cstdint>

namespace zol {

inline constexpr std::int32_t kRecordTypeThemeIcon = 1;
inline constexpr std::int32_t kRecordTypeIconSet = 2;
inline constexpr std::int32_t kRecordTypeDesignObject = 3;
inline constexpr std::int32_t kRecordTypeDisplay = 4;

}  // namespace zol
