// The texts the person sees when a command meets a server error, and
// ReportServerError, which shows the one for a server's result code.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zol {

class UserReporter;

// Server result codes the client tells apart.
inline constexpr std::int32_t kServerLookupError = -1;
inline constexpr std::int32_t kServerNotSupported = -2;
inline constexpr std::int32_t kServerNoPermission = -3;
inline constexpr std::int32_t kServerSuspended = -4;  // "GetFile": the local copy is current
inline constexpr std::int32_t kServerNoInterface = -5;
inline constexpr std::int32_t kServerFailed = -6;
inline constexpr std::int32_t kServerUnknownRequest = -104;

// The message for a non-zero result code of `operation` (a request's dotted
// name or a command's name).
std::string ServerErrorText(std::int32_t code, std::string_view operation);
// "Server Timeout: %s %d" for a request that got no reply.
std::string ServerTimeoutText(std::string_view operation, int error);
// "Server Decode Error: %s %d. Contact technical support".
std::string ServerDecodeErrorText(std::string_view operation, int code);

// Shows ServerErrorText in a message box.
void ReportServerError(UserReporter& reporter, std::int32_t code, std::string_view operation);

}  // namespace zol
