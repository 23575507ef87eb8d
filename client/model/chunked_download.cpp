#include "client/model/chunked_download.h"

#include <cerrno>
#include <cstring>

#include "client/model/hex_chunk.h"
#include "client/model/load_limits.h"
#include "client/model/pending_file.h"
#include "client/model/reply_fields.h"
#include "client/model/request_channel.h"
#include "client/model/server_error.h"
#include "client/model/user_reporter.h"

namespace zol {

namespace {

class Download {
  public:
    Download(RequestChannel& channel, UserReporter& reporter, const ChunkedDownload& spec,
             const std::filesystem::path& target)
        : channel_(channel), reporter_(reporter), spec_(spec), target_(target), pending_(target) {}

    DownloadResult Run() {
        for (int chunk = 0;; ++chunk) {
            if (chunk == kMaxFileChunks) {
                return NotWritten(spec_.operation + " stopped at the limit of " +
                                      std::to_string(kMaxFileChunks) + " chunks",
                                  kLoadLimitReached);
            }
            WaitCursor wait(reporter_);
            std::int32_t resultCode = 0;
            std::string reply;
            if (int error = channel_.SendRequest(spec_.request(chunk), resultCode, reply)) {
                return Shown(DownloadOutcome::NotSent, ServerTimeoutText(spec_.operation, error),
                             error);
            }
            if (resultCode != 0 && chunk == 0 && spec_.firstResultIsError) {
                return Shown(DownloadOutcome::ServerRefused,
                             ServerErrorText(resultCode, spec_.operation), resultCode);
            }
            if (chunk == 0) {
                if (int error = pending_.Create())
                    return NotWritten(WriteErrorText(error), error);
            }
            if (resultCode != 0)
                break;  // the whole file has arrived
            if (DownloadResult written = WriteChunk(reply); written.code != 0)
                return written;
        }
        if (int error = pending_.Commit())
            return NotWritten(WriteErrorText(error), error);
        return {};
    }

  private:
    DownloadResult WriteChunk(const std::string& reply) {
        ReplyFields fields;
        int code = fields.Decode(reply);
        bytes_.clear();
        if (code == 0 && spec_.hexText)
            code = AppendHexBytes(fields.Text(spec_.dataField), bytes_);
        else if (code == 0)
            bytes_.assign(fields.Text(spec_.dataField));
        if (code != 0) {
            return Shown(DownloadOutcome::NotDecoded, ServerDecodeErrorText(spec_.operation, code),
                         code);
        }
        if (pending_.Written() + static_cast<std::int64_t>(bytes_.size()) > spec_.maxBytes) {
            return NotWritten(spec_.operation + " stopped at the limit of " +
                                  std::to_string(spec_.maxBytes) + " bytes",
                              kLoadLimitReached);
        }
        if (int error = pending_.Write(bytes_))
            return NotWritten(WriteErrorText(error), error);
        return {};
    }

    std::string WriteErrorText(int error) const {
        return "Can't write " + target_.string() + ": " + std::strerror(error);
    }

    DownloadResult NotWritten(const std::string& text, int code) {
        return Shown(DownloadOutcome::NotWritten, text, code);
    }

    DownloadResult Shown(DownloadOutcome outcome, const std::string& text, int code) {
        reporter_.ShowMessage(text);
        return {outcome, code, text};
    }

    RequestChannel& channel_;
    UserReporter& reporter_;
    const ChunkedDownload& spec_;
    std::filesystem::path target_;
    PendingFile pending_;
    std::string bytes_;
};

}  // namespace

DownloadResult DownloadChunks(RequestChannel& channel, UserReporter& reporter,
                              const ChunkedDownload& download,
                              const std::filesystem::path& target) {
    return Download(channel, reporter, download, target).Run();
}

}  // namespace zol
