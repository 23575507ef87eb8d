// The main frame's own requests. Each waits for its reply and tells the
// person about a failure: "Server Timeout: %s %d" when no reply came, the
// text for the server's result code otherwise, and for "TimeStamp" a reply
// that does not decode as "Server Decode Error: %s %d. Contact technical
// support". Each returns 0, or the error or code it reported.
#pragma once

#include <cstdint>
#include <string_view>

namespace zol {

class RequestChannel;
class UserReporter;
struct Design;

// "TimeStamp": the design's name and time stamp as the server has them now.
int RefreshTimeStamp(RequestChannel& channel, UserReporter& reporter, Design& design);
// "RefreshState" since `stamp`: the server pushes what changed after it.
int RefreshState(RequestChannel& channel, UserReporter& reporter, std::string_view stamp);
// "SetHomeMode" and "SetCurrentSchedule" by index, with the wait cursor.
int SetHomeMode(RequestChannel& channel, UserReporter& reporter, std::int32_t mode);
int SetCurrentSchedule(RequestChannel& channel, UserReporter& reporter, std::int32_t schedule);

}  // namespace zol
