#include "client/model/reported_exchange.h"

#include <string>

#include "client/model/request_channel.h"
#include "client/model/server_error.h"
#include "client/model/user_reporter.h"
#include "serverlink/field_list.h"

namespace zol {

ReportedExchange RunReportedRequest(RequestChannel& channel, UserReporter& reporter,
                                    const FieldList& request, std::string_view name, bool report) {
    ReportedExchange exchange;
    std::int32_t resultCode = 0;
    std::string reply;
    int error = 0;
    {
        WaitCursor wait(reporter);
        error = channel.SendRequest(request.Message(), resultCode, reply);
    }
    if (error != 0) {
        if (report)
            reporter.ShowMessage(ServerTimeoutText(name, error));
        exchange.code = error;
        exchange.failure = ExchangeFailure::NotSent;
        return exchange;
    }
    if (resultCode != 0) {
        if (report)
            ReportServerError(reporter, resultCode, name);
        exchange.code = resultCode;
        exchange.failure = ExchangeFailure::Refused;
        return exchange;
    }
    if (int code = exchange.fields.Decode(reply); code != 0) {
        if (report)
            reporter.ShowMessage(ServerDecodeErrorText(name, code));
        exchange.code = code;
        exchange.failure = ExchangeFailure::NotDecoded;
    }
    return exchange;
}

}  // namespace zol
