// The record an "ExtServerStatus" push becomes: posted as the payload of
// WM_APP+0x17 to the extended-status tile, which frees it with the event.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "client/core/app_messages.h"
#include "serverlink/field_list.h"

namespace zol {

inline constexpr std::size_t kMaxExtendedStatusLines = 128;

struct ExtendedStatusRecord : AppPayload {
    std::int32_t number = 0;
    // Fields 5, 6 and 7; the tile reads the first as the server's date-time.
    std::array<FieldDateTimeValue, 3> dateTimes{};
    // Fields 8 to 11: up-time, two dates, title.
    std::array<std::string, 4> texts;
    // Fields 12 onward, at most 128.
    std::vector<std::string> lines;
};

}  // namespace zol
