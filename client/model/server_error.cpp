#include "client/model/server_error.h"

#include "client/model/user_reporter.h"

namespace zol {

namespace {

std::string Around(std::string_view before, std::string_view operation, std::string_view after) {
    std::string text(before);
    text.append(operation).append(after);
    return text;
}

}  // namespace

std::string ServerErrorText(std::int32_t code, std::string_view operation) {
    switch (code) {
        case kServerLookupError:
            return Around("Server reported a lookup or command error when processing ", operation,
                          ". Try disconnecting and reconnecting");
        case kServerNotSupported:
            return Around("Server reported that ", operation,
                          " is not supported. Check the properties of that device");
        case kServerNoPermission:
        case -31:
        case -32:
            return Around("Server reported insufficient permissions for operation ", operation, "");
        case kServerSuspended:
            return Around("Server reported the operation ", operation,
                          " failed on that device due to it being suspended or disabled");
        case kServerNoInterface:
            return Around("Server reported that no interface is available to complete ", operation,
                          "");
        case kServerFailed:
            return Around("Server reported that the operation ", operation,
                          " failed on that device");
        default:
            return Around("Server Command Error: ", operation, " " + std::to_string(code));
    }
}

std::string ServerTimeoutText(std::string_view operation, int error) {
    return Around("Server Timeout: ", operation, " " + std::to_string(error));
}

std::string ServerDecodeErrorText(std::string_view operation, int code) {
    return Around("Server Decode Error: ", operation,
                  " " + std::to_string(code) + ". Contact technical support");
}

void ReportServerError(UserReporter& reporter, std::int32_t code, std::string_view operation) {
    reporter.ShowMessage(ServerErrorText(code, operation));
}

}  // namespace zol
