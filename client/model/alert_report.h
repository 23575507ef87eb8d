// The server's alert list and the design checker's counts, as the alert tile
// shows them: "GetAlertReport" then "GetServerStatus".
//
// Thread-safety: the user-interface thread only (the requests block it).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "serverlink/field_list.h"

namespace zol {

class RequestChannel;

struct AlertEntry {
    std::string message;
    FieldDateTimeValue time;  // valid only for an entry with a time stamp
    bool hasTime() const { return time.valid; }
    bool operator==(const AlertEntry&) const = default;
};

enum AlertSeverity : std::int32_t { AlertGreen = 0, AlertYellow = 1, AlertRed = 2 };

struct AlertReport {
    std::int32_t alertCount = 0;
    std::int32_t alertSeverity = AlertGreen;
    std::int32_t redCount = 0;  // design checker's messages
    std::int32_t yellowCount = 0;
    // Newest time-stamped entries first, those without a time stamp last.
    std::vector<AlertEntry> entries;

    bool operator==(const AlertReport&) const = default;
};

// Puts `entry` where it belongs: before the first time-stamped entry older
// than it (passing over those without one); at the end without a time stamp.
void InsertAlertEntry(std::vector<AlertEntry>& entries, AlertEntry entry);

// Reads both requests into `report`, which is replaced only when both
// succeed. Returns 0 or the failure's code with its text in `failureText`
// (never shown: the tile keeps what it showed).
int ReadAlertReport(RequestChannel& channel, AlertReport& report, std::string& failureText);

// "Design Inspector: ..." for the counts; empty when both are 0.
std::string DesignInspectorText(std::int32_t redCount, std::int32_t yellowCount);

}  // namespace zol
