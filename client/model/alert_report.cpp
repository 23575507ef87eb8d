#include "client/model/alert_report.h"

#include <algorithm>
#include <tuple>

#include "client/model/load_request.h"
#include "client/model/reply_fields.h"

namespace zol {

namespace {

constexpr std::int64_t kFirstEntryField = 6;

auto TimeKey(const FieldDateTimeValue& t) {
    return std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

}  // namespace

void InsertAlertEntry(std::vector<AlertEntry>& entries, AlertEntry entry) {
    auto at = entries.end();
    if (entry.hasTime()) {
        at = std::find_if(entries.begin(), entries.end(), [&entry](const AlertEntry& other) {
            return other.hasTime() && TimeKey(other.time) < TimeKey(entry.time);
        });
    }
    entries.insert(at, std::move(entry));
}

int ReadAlertReport(RequestChannel& channel, AlertReport& report, std::string& failureText) {
    AlertReport read;
    ReplyFields fields;
    LoadRequest alerts(channel, "ZOLApp.GetAlertReport", failureText);
    if (int code = alerts.Exchange(FieldList{"ZOLApp", "GetAlertReport"}.Message(), &fields))
        return code;
    read.alertCount = fields.Number(4);
    const std::int32_t severity = fields.Number(5);
    read.alertSeverity = severity == 1 ? AlertYellow : severity == 2 ? AlertRed : AlertGreen;
    for (std::int64_t i = kFirstEntryField; i <= fields.Count(); ++i) {
        ReplyFields entry;
        if (int code = fields.DecodeNested(i, entry))
            return alerts.DecodeFailed(code);
        InsertAlertEntry(read.entries, AlertEntry{std::string(entry.Text(1)), entry.DateTime(2)});
    }
    LoadRequest status(channel, "ZOLApp.GetServerStatus", failureText);
    if (int code = status.Exchange(FieldList{"ZOLApp", "GetServerStatus"}.Message(), &fields))
        return code;
    read.redCount = fields.Number(5);
    read.yellowCount = fields.Number(6);
    report = std::move(read);
    return 0;
}

std::string DesignInspectorText(std::int32_t red, std::int32_t yellow) {
    auto part = [](std::int32_t n, const char* colour) {
        return n == 1 ? std::string("1 ") + colour + " message"
                      : std::to_string(n) + " " + colour + " messages";
    };
    if (red == 0 && yellow == 0)
        return {};
    std::string text = "Design Inspector: ";
    if (red == 0)
        return text + part(yellow, "yellow");
    text += part(red, "red");
    if (yellow != 0)
        text += " and " + part(yellow, "yellow");
    return text;
}

}  // namespace zol
