// The extended status of the server ("GetExtServerStatus" replies and
// "ExtServerStatus" pushes): the record the push dispatch posts to the status
// tiles with AppMessage::ExtendedStatus. The receiver's event owns it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "client/core/app_messages.h"
#include "serverlink/field_list.h"

namespace zol {

class ReplyFields;

// Lines a record keeps at most; a push with more keeps the first ones.
inline constexpr std::int64_t kMaxExtendedStatusLines = 128;

struct ExtendedStatusRecord : AppPayload {
    std::int32_t number = 0;                        // field 4
    std::array<FieldDateTimeValue, 3> dateTimes{};  // fields 5 to 7; [0] the server's time
    std::array<std::string, 4> texts;               // fields 8 to 11: up-time, two dates, title
    std::int32_t lineCount = 0;                     // lines.size()
    std::vector<std::string> lines;                 // fields 12 onward

    const FieldDateTimeValue& ServerTime() const { return dateTimes[0]; }
    const std::string& UpTime() const { return texts[0]; }
    const std::string& FirstDate() const { return texts[1]; }
    const std::string& SecondDate() const { return texts[2]; }
    const std::string& Title() const { return texts[3]; }
};

// The record of a push or reply whose fields sit as the push has them (the
// number in field 4, lines from field 12). A message of fewer than 11 fields
// gives no lines.
std::unique_ptr<ExtendedStatusRecord> MakeExtendedStatusRecord(const ReplyFields& fields);

}  // namespace zol
