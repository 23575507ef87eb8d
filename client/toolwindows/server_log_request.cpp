#include "client/toolwindows/server_log_request.h"

#include <algorithm>

#include "client/model/load_request.h"
#include "client/model/reply_fields.h"

namespace zol {

namespace {

constexpr std::int32_t kNoEntriesLeft = 1;
constexpr std::int64_t kFirstEntryField = 6;

}  // namespace

int ReadLogFilters(RequestChannel& channel, std::vector<ServerLogFilter>& filters,
                   std::string& failureText) {
    filters.clear();
    LoadRequest request(channel, "ZOLApp.GetLogFilters", failureText);
    ReplyFields reply;
    if (int code = request.Exchange(FieldList{"ZOLApp", "GetLogFilters"}.Message(), &reply))
        return code;
    for (std::int64_t i = 4; i + 1 <= reply.Count(); i += 2)
        filters.push_back({reply.Number(i), std::string(reply.Text(i + 1))});
    return 0;
}

int ReadServerLog(RequestChannel& channel, std::int32_t filter,
                  std::vector<ServerLogEntry>& entries, std::string& failureText) {
    entries.clear();
    // The server hands out the oldest first; the window shows the newest first.
    const auto finish = [&entries](int code) {
        std::reverse(entries.begin(), entries.end());
        return code;
    };
    LoadRequest request(channel, "ZOLApp.GetLog", failureText);
    std::int32_t first = 0;
    for (int part = 0; part < kMaxServerLogParts; ++part) {
        if (int error = request.Send(
                FieldList(4).Add("ZOLApp").Add("GetLog").Add(filter).Add(first).Message()))
            return finish(error);
        if (request.ResultCode() == kNoEntriesLeft)
            break;
        if (request.ResultCode() != 0)
            return finish(request.Failed());
        ReplyFields reply;
        if (int code = request.Decode(reply))
            return finish(code);
        for (std::int64_t i = kFirstEntryField; i <= reply.Count(); ++i) {
            ReplyFields fields;
            if (int code = reply.DecodeNested(i, fields))
                return finish(request.DecodeFailed(code));
            entries.push_back({fields.Number(1), fields.DateTime(2), fields.Number(3),
                               std::string(fields.Text(4))});
        }
        if (entries.size() > kMaxServerLogEntries) {
            entries.erase(entries.begin(),
                          entries.begin() +
                              static_cast<std::ptrdiff_t>(entries.size() - kMaxServerLogEntries));
        }
        // The next number must move on, or a confused server would be asked
        // the same part for ever.
        const std::int32_t next = reply.Number(5);
        if (next <= first)
            break;
        first = next;
    }
    return finish(0);
}

}  // namespace zol
