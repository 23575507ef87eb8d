// The extended server status as the status window shows it (the push
// dispatch's ExtendedStatusRecord carries the same fields): what the reply
// to "GetExtServerStatus" and the push "ExtServerStatus" carry from field 4
// on (number, server time, start time, sunrise, up-time text, two dates,
// title, then "Name,Value" lines and "---Section" lines).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "serverlink/field_list.h"

namespace zol {

class ReplyFields;
class RequestChannel;

// Lines the status window keeps of one status (a push carries at most 128).
inline constexpr std::size_t kStatusWindowLineLimit = 128;

struct ExtendedStatusReport {
    std::int32_t number = 0;
    FieldDateTimeValue serverTime;
    FieldDateTimeValue startTime;
    FieldDateTimeValue sunrise;
    std::string upTime;
    std::string firstDate;
    std::string secondDate;
    std::string title;
    std::vector<std::string> lines;
};

// Reads fields 4 onward of a reply or push.
void DecodeExtendedStatus(const ReplyFields& fields, ExtendedStatusReport& report);

// "GetExtServerStatus": 0, or the failure with its text in `failureText`.
int ReadExtendedStatus(RequestChannel& channel, ExtendedStatusReport& report,
                       std::string& failureText);

}  // namespace zol
