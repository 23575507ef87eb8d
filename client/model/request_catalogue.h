// The requests that load the design and the server's state at connect.
// Each returns 0, or the channel's error, the server's result code or the
// decoder's code, with the failure text in `failureText` for the connect
// sequence to show. A load that fails keeps what it decoded so far.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "client/model/design.h"
#include "serverlink/field_list.h"

namespace zol {

class RequestChannel;

// The option bits every client announces with "SetClientOptions" (0x4003D).
inline constexpr std::string_view kClientOptionsValue = "262205";
// What a server that does not know "GetReferenceDPI", or names no DPI, means.
inline constexpr std::int32_t kDefaultReferenceDpi = 96;

struct ServerStatusSnapshot {
    FieldDateTimeValue serverTime;
    FieldDateTimeValue upSince;
    FieldDateTimeValue sunrise;
    FieldDateTimeValue sunset;
};

// "GetServerStatus": the state as the main window keeps it (2 when the
// server said 1, 3 when it said 2, else 1), the five numbers after it, and
// the four date-times.
struct ServerStatus {
    std::int32_t state = 1;
    std::array<std::int32_t, 5> numbers{};
    ServerStatusSnapshot snapshot;
};

// "TimeStamp": the loaded design's name and time stamp.
int RequestTimeStamp(RequestChannel& channel, std::string& designName, std::string& designTime,
                     std::string& failureText);
// "GetReferenceDPI": the DPI the design was laid out for.
int RequestReferenceDpi(RequestChannel& channel, std::int32_t& dpi, std::string& failureText);
// "GetDesign" part by part, appending to design.objects; then the design
// title and the cloud token. The token is kept unless the server sends a
// new, non-empty one.
int LoadDesign(RequestChannel& channel, int serverMajor, Design& design, std::string& cloudToken,
               std::string& failureText);
// "GetHomeModeNames" and "GetScheduleNames".
int LoadModeAndScheduleNames(RequestChannel& channel, Design& design, std::string& failureText);
// "GetServerStatus" alone (the server status window).
int ReadServerStatus(RequestChannel& channel, ServerStatus& status, std::string& failureText);
// "GetServerStatus", then "SetClientOptions" announcing `clientName`.
int RequestServerStatus(RequestChannel& channel, std::string_view clientName, ServerStatus& status,
                        std::string& failureText);

}  // namespace zol
