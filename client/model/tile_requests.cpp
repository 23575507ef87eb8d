#include "client/model/tile_requests.h"

#include <algorithm>

#include "client/model/design_object.h"
#include "client/model/reply_fields.h"
#include "client/model/reported_exchange.h"
#include "client/model/request_channel.h"
#include "client/model/server_error.h"
#include "client/model/user_reporter.h"
#include "serverlink/field_list.h"

namespace zol {
namespace {

constexpr std::string_view kApp = "ZOLApp";
// A reply never lists more objects than this; the rest is ignored.
constexpr std::int64_t kMaxMruIds = 4096;
// Nor an infrared keypad more keys than this.
constexpr std::int64_t kMaxIrKeys = 1024;

using Exchange = ReportedExchange;

Exchange Run(RequestChannel& channel, UserReporter& reporter, const FieldList& request,
             std::string_view name, bool report) {
    return RunReportedRequest(channel, reporter, request, name, report);
}

std::vector<std::int32_t> IdsFromField4(const ReplyFields& fields) {
    std::vector<std::int32_t> ids;
    const std::int64_t last = std::min(fields.Count(), 3 + kMaxMruIds);
    for (std::int64_t position = 4; position <= last; ++position)
        ids.push_back(fields.Number(position));
    return ids;
}

}  // namespace

int RequestFormattedText(RequestChannel& channel, UserReporter& reporter, std::string_view text,
                         bool report, std::string& formatted) {
    Exchange exchange =
        Run(channel, reporter, FieldList({kApp, "FormatText", text}), "ZOLApp.FormatText", report);
    if (exchange.code == 0)
        formatted = std::string(exchange.fields.Text(4));
    return exchange.code;
}

int RequestDisplayMruByName(RequestChannel& channel, UserReporter& reporter,
                            std::string_view displayName, std::vector<std::int32_t>& ids) {
    Exchange exchange = Run(channel, reporter, FieldList({kApp, "GetDisplayMRU", displayName}),
                            "ZOLApp.GetDisplayMRU", true);
    if (exchange.code == 0)
        ids = IdsFromField4(exchange.fields);
    return exchange.code;
}

int RequestDisplayMru(RequestChannel& channel, UserReporter& reporter,
                      const std::array<std::int32_t, 4>& numbers, std::vector<std::int32_t>& ids) {
    FieldList request(6);
    request.Add(kApp).Add("GetDisplayMRU");
    for (std::int32_t number : numbers)
        request.Add(std::int64_t{number});
    Exchange exchange = Run(channel, reporter, request, "ZOLApp.GetDisplayMRU", true);
    if (exchange.code == 0)
        ids = IdsFromField4(exchange.fields);
    return exchange.code;
}

int LoadIrKeys(RequestChannel& channel, UserReporter& reporter, DesignObject& object) {
    if (object.irKeysRead)
        return 0;
    constexpr std::string_view kName = "ZOLApp.IRKeypad";
    object.irKeys.clear();
    Exchange exchange =
        Run(channel, reporter, FieldList({kApp, "IRKeypad", FullObjectName(object)}), kName, true);
    if (exchange.code != 0)
        return exchange.code;
    ReplyFields list;
    if (int code = exchange.fields.DecodeNested(4, list); code != 0) {
        reporter.ShowMessage(ServerDecodeErrorText(kName, code));
        return code;
    }
    const std::int64_t count = std::min<std::int64_t>(list.Count(), kMaxIrKeys);
    for (std::int64_t position = 1; position <= count; ++position) {
        ReplyFields entry;
        if (int code = list.DecodeNested(position, entry); code != 0) {
            reporter.ShowMessage(ServerDecodeErrorText(kName, code));
            return code;
        }
        IrKey key;
        key.keyName = std::string(entry.Text(1));
        key.caption = std::string(entry.Text(2));
        key.x = entry.Number(3);
        key.y = entry.Number(4);
        key.width = entry.Number(5);
        key.height = entry.Number(6);
        key.isLabel = entry.Number(7);
        // The newest entry goes first, so the list ends in reverse reply order.
        object.irKeys.insert(object.irKeys.begin(), std::move(key));
    }
    object.irKeysRead = true;
    return 0;
}

}  // namespace zol
