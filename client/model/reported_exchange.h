// One request of a tile or pop-up: sent with the wait cursor shown, its
// result code checked and its reply decoded, the failure shown under the
// request's dotted name ("ZOLApp.FormatText") when asked.
//
// Thread-safety: the user-interface thread only (the request blocks it).
#pragma once

#include <string_view>

#include "client/model/reply_fields.h"

namespace zol {

class FieldList;
class RequestChannel;
class UserReporter;

enum class ExchangeFailure { None, NotSent, Refused, NotDecoded };

struct ReportedExchange {
    int code = 0;  // 0, the channel's error, the server's result code or the decoder's
    ExchangeFailure failure = ExchangeFailure::None;
    ReplyFields fields;
};

ReportedExchange RunReportedRequest(RequestChannel& channel, UserReporter& reporter,
                                    const FieldList& request, std::string_view name, bool report);

}  // namespace zol
