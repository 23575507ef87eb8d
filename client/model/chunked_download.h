// Downloads that arrive as numbered chunks of hexadecimal text ("GetThemeIcon",
// "GetDisplayHTMLFolder"): chunk 0, 1, 2, ... until the server answers with a
// non-zero result code. The content goes to a temporary file that replaces
// the target only when complete.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "client/model/load_limits.h"

namespace zol {

class RequestChannel;
class UserReporter;

struct ChunkedDownload {
    std::string operation;                          // "ZOLApp.GetThemeIcon", named by the texts
    std::function<std::string(int chunk)> request;  // the request message for a chunk
    int dataField = 0;                              // the reply field holding the chunk
    // A non-zero result for chunk 0 is an error shown with ReportServerError
    // (else it means an empty file).
    bool firstResultIsError = false;
    // The chunks are hexadecimal text; else the field's bytes go as they are.
    bool hexText = true;
    // A file that would grow past this many bytes is not written.
    std::int64_t maxBytes = kMaxFileBytes;
};

enum class DownloadOutcome {
    Complete,
    NotSent,        // SendRequest failed; "Server Timeout" shown
    ServerRefused,  // chunk 0 refused; the server's error shown
    NotDecoded,     // "Server Decode Error" shown
    NotWritten,     // the disk refused, or a size limit was reached; shown
};

struct DownloadResult {
    DownloadOutcome outcome = DownloadOutcome::Complete;
    int code = 0;      // 0 when complete; else the error, result or decoder code
    std::string text;  // what was shown to the person; empty when complete
};

DownloadResult DownloadChunks(RequestChannel& channel, UserReporter& reporter,
                              const ChunkedDownload& download, const std::filesystem::path& target);

}  // namespace zol
