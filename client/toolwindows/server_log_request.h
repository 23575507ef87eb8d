// Reading the server's log: "GetLogFilters" names the filters the server
// offers; "GetLog" hands out entries from a number on, in parts, until it
// answers a non-zero code (1: nothing left). Each returns 0, or the
// channel's error, the server's code or the decoder's, with a text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "serverlink/field_list.h"

namespace zol {

class RequestChannel;

// A log larger than this shows its newest entries only.
inline constexpr std::size_t kMaxServerLogEntries = 20000;
// A server that keeps answering parts is stopped after this many.
inline constexpr int kMaxServerLogParts = 2000;

struct ServerLogFilter {
    std::int32_t number = 0;
    std::string name;
};

struct ServerLogEntry {
    std::int32_t number = 0;
    FieldDateTimeValue time;
    std::int32_t kind = 0;
    std::string text;
};

int ReadLogFilters(RequestChannel& channel, std::vector<ServerLogFilter>& filters,
                   std::string& failureText);
// Every entry the filter passes, newest first. On a failure the entries read
// so far are kept.
int ReadServerLog(RequestChannel& channel, std::int32_t filter,
                  std::vector<ServerLogEntry>& entries, std::string& failureText);

}  // namespace zol
