// The server log for the clients' log window ("GetLogFilters", "GetLog")
// and the address clients are told to fetch updates from ("SetUpdateURL").
#include <string>

#include "simulator/request_router.h"

namespace zol {

namespace {

// Entries per "GetLog" reply stay within this many bytes; one entry is at
// most about a thousand.
constexpr std::size_t kLogReplyBytes = 8000;

// Reply: 4 onward, pairs of filter number and name.
HandlerResult GetLogFilters(RequestContext&) {
    HandlerResult result;
    result.results.Add(kLogAll)
        .Add("All")
        .Add(kLogCommands)
        .Add("Commands")
        .Add(kLogStatus)
        .Add("Status")
        .Add(kLogMessages)
        .Add("Messages");
    return result;
}

// Fields: filter number (0: every kind), the number of the first entry
// wanted (0 from the oldest). Reply: 4 filter, 5 the number to ask for next,
// 6 onward one nested list per entry, oldest first: number, date-time, kind,
// text. Result 1 when no entry from there on is left.
HandlerResult GetLog(RequestContext& context) {
    const int filter = context.Number(3);
    const int from = context.Number(4);
    FieldBuilder entries;
    std::size_t used = 0;
    int next = from;
    for (const ServerLogEntry& entry : context.state.log.Entries()) {
        if (entry.number < from || (filter != kLogAll && entry.kind != filter)) {
            continue;
        }
        FieldBuilder fields;
        fields.Add(entry.number).Add(entry.dateTime).Add(entry.kind).Add(entry.text);
        std::string encoded = fields.Message();
        if (used + 4 + encoded.size() > kLogReplyBytes) {
            break;
        }
        used += 4 + encoded.size();
        entries.Add(encoded);
        next = entry.number + 1;
    }
    if (entries.Count() == 0) {
        return HandlerResult::Code(kResultNoMoreData);
    }
    HandlerResult result;
    result.results.Add(filter).Add(next).Append(entries);
    return result;
}

// Fields: the address. Reply: 4 the address kept.
HandlerResult SetUpdateUrl(RequestContext& context) {
    context.state.updateUrl = context.Text(3);
    context.Log(kLogStatus, "Update URL set to " + context.state.updateUrl);
    HandlerResult result;
    result.results.Add(context.state.updateUrl);
    return result;
}

}  // namespace

void RegisterLogRequests(RequestRouter& router) {
    router.Register("GetLogFilters", GetLogFilters);
    router.Register("GetLog", GetLog);
    router.Register("SetUpdateURL", SetUpdateUrl);
}

}  // namespace zol
