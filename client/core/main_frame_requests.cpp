#include "client/core/main_frame_requests.h"

#include <string>

#include "client/model/design.h"
#include "client/model/reply_fields.h"
#include "client/model/request_channel.h"
#include "client/model/server_error.h"
#include "client/model/user_reporter.h"
#include "serverlink/field_list.h"

namespace zol {

namespace {

// Sends `request`; the reply in `reply`. 0, or what was reported.
int Exchange(RequestChannel& channel, UserReporter& reporter, std::string_view operation,
             const std::string& request, std::string& reply) {
    std::int32_t code = 0;
    if (int error = channel.SendRequest(request, code, reply)) {
        reporter.ShowMessage(ServerTimeoutText(operation, error));
        return error;
    }
    if (code != 0) {
        ReportServerError(reporter, code, operation);
        return code;
    }
    return 0;
}

int SendIndexed(RequestChannel& channel, UserReporter& reporter, std::string_view method,
                std::string_view operation, std::int32_t index) {
    WaitCursor wait(reporter);
    std::string reply;
    return Exchange(channel, reporter, operation,
                    FieldList{"ZOLApp", method, std::to_string(index)}.Message(), reply);
}

}  // namespace

int RefreshTimeStamp(RequestChannel& channel, UserReporter& reporter, Design& design) {
    constexpr std::string_view kOperation = "ZOLApp.TimeStamp";
    std::string reply;
    if (int code = Exchange(channel, reporter, kOperation,
                            FieldList{"ZOLApp", "TimeStamp"}.Message(), reply))
        return code;
    ReplyFields fields;
    if (int code = fields.Decode(reply)) {
        reporter.ShowMessage(ServerDecodeErrorText(kOperation, code));
        return code;
    }
    design.loadedDesignName = std::string(fields.Text(4));
    design.loadedDesignTime = std::string(fields.Text(5));
    return 0;
}

int RefreshState(RequestChannel& channel, UserReporter& reporter, std::string_view stamp) {
    std::string reply;
    return Exchange(channel, reporter, "ZOLApp.RefreshState",
                    FieldList{"ZOLApp", "RefreshState", stamp}.Message(), reply);
}

int SetHomeMode(RequestChannel& channel, UserReporter& reporter, std::int32_t mode) {
    return SendIndexed(channel, reporter, "SetHomeMode", "ZOLApp.SetHomeMode", mode);
}

int SetCurrentSchedule(RequestChannel& channel, UserReporter& reporter, std::int32_t schedule) {
    return SendIndexed(channel, reporter, "SetCurrentSchedule", "ZOLApp.SetCurrentSchedule",
                       schedule);
}

}  // namespace zol
