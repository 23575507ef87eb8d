#include "client/model/server_file.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "client/model/data_file.h"
#include "client/model/hex_chunk.h"
#include "client/model/load_limits.h"
#include "client/model/pending_file.h"
#include "client/model/reply_fields.h"
#include "client/model/request_channel.h"
#include "client/model/server_error.h"
#include "client/model/user_reporter.h"
#include "serverlink/field_list.h"

namespace zol {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTimeoutOperation = "ZOLApp.GetFile timeout";
constexpr std::string_view kFailedOperation = "ZOLApp.GetFile failed. Error";
constexpr std::string_view kDecodeOperation = "ZOLApp.GetFile decode failed";

class FileTransfer {
  public:
    FileTransfer(RequestChannel& channel, UserReporter& reporter, std::string_view serverName,
                 const fs::path& localPath)
        : channel_(channel),
          reporter_(reporter),
          serverName_(serverName),
          localPath_(localPath),
          pending_(localPath) {}

    int Run(int& present) {
        const FileByteSum local = ReadFileByteSum(localPath_);
        const std::string first =
            FieldList{"ZOLApp",
                      "GetFile",
                      "File",
                      serverName_,
                      "0",
                      std::to_string(local.size),
                      std::to_string(static_cast<std::int32_t>(local.byteSum))}
                .Message();
        if (int error = Exchange(first))
            return error;
        if (resultCode_ == kServerSuspended) {
            present = 1;  // the local copy is current
            return 0;
        }
        if (resultCode_ == kServerNotSupported)
            return 0;  // the server has no such file
        if (resultCode_ != 0) {
            ReportServerError(reporter_, resultCode_, kFailedOperation);
            return resultCode_;
        }
        if (int error = pending_.Create())
            return Report(
                "Can't create a file beside " + localPath_.string() + ": " + std::strerror(error),
                error);
        if (int code = WriteChunk())
            return code;
        for (int chunk = 1;; ++chunk) {
            if (chunk == kMaxFileChunks) {
                return Report(LimitText("ZOLApp.GetFile", kMaxFileChunks, "chunks"),
                              kLoadLimitReached);
            }
            if (int error = Exchange(
                    FieldList{"ZOLApp", "GetFile", "File", serverName_, std::to_string(chunk)}
                        .Message()))
                return error;
            if (resultCode_ != 0)
                break;  // the whole file has arrived
            if (int code = WriteChunk())
                return code;
        }
        if (int error = pending_.Commit())
            return Report("Can't replace " + localPath_.string() + ": " + std::strerror(error),
                          error);
        present = 1;
        return 0;
    }

  private:
    // One request and its reply; the decoded fields when the result is 0.
    int Exchange(const std::string& message) {
        std::string reply;
        resultCode_ = 0;
        if (int error = channel_.SendRequest(message, resultCode_, reply))
            return Report(ServerTimeoutText(kTimeoutOperation, error), error);
        if (resultCode_ != 0)
            return 0;
        if (int code = fields_.Decode(reply))
            return Report(ServerDecodeErrorText(kDecodeOperation, code), code);
        return 0;
    }

    int WriteChunk() {
        bytes_.clear();
        if (int code = AppendHexBytes(fields_.Text(8), bytes_))
            return Report(ServerDecodeErrorText(kDecodeOperation, code), code);
        if (pending_.Written() + static_cast<std::int64_t>(bytes_.size()) > kMaxFileBytes) {
            return Report(LimitText("ZOLApp.GetFile", kMaxFileBytes, "bytes"), kLoadLimitReached);
        }
        if (int error = pending_.Write(bytes_))
            return Report("Can't write " + localPath_.string() + ": " + std::strerror(error),
                          error);
        return 0;
    }

    int Report(const std::string& text, int code) {
        reporter_.ShowMessage(text);
        return code;
    }

    RequestChannel& channel_;
    UserReporter& reporter_;
    std::string serverName_;
    fs::path localPath_;
    PendingFile pending_;
    std::int32_t resultCode_ = 0;
    ReplyFields fields_;
    std::string bytes_;
};

}  // namespace

fs::path LocateServerFile(std::string_view serverName, const fs::path& tempDir) {
    return PrepareDataFile(serverName, tempDir);
}

int FetchServerFile(RequestChannel& channel, UserReporter& reporter, std::string_view serverName,
                    const fs::path& localPath, int& present) {
    present = 0;
    if (localPath.empty()) {
        reporter.ShowMessage("No local place for " + std::string(serverName));
        return EINVAL;
    }
    return FileTransfer(channel, reporter, serverName, localPath).Run(present);
}

}  // namespace zol
