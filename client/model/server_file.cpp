#include "client/model/server_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>

#include "client/model/data_file.h"
#include "client/model/hex_chunk.h"
#include "client/model/load_limits.h"
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

struct LocalCopy {
    std::int64_t size = 0;
    std::uint32_t byteSum = 0;  // wraps, as the server computes it
};

LocalCopy ReadLocalCopy(const fs::path& path) {
    LocalCopy copy;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return copy;
    char buffer[65536];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0) {
        copy.size += got;
        for (ssize_t i = 0; i < got; ++i)
            copy.byteSum += static_cast<unsigned char>(buffer[i]);
    }
    ::close(fd);
    return copy;
}

int ErrnoCode() {
    return errno != 0 ? errno : EIO;
}

// The new content, in a temporary file beside the target until complete.
class PendingFile {
  public:
    explicit PendingFile(const fs::path& target) : target_(target) {}
    ~PendingFile() { Discard(); }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    int Create() {
        std::string pattern = target_.string() + ".XXXXXX";
        fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (fd_ < 0)
            return ErrnoCode();
        path_ = pattern;
        ::fchmod(fd_, 0644);
        return 0;
    }
    int Write(const std::string& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return ErrnoCode();
            done += static_cast<std::size_t>(n);
        }
        written_ += static_cast<std::int64_t>(bytes.size());
        return 0;
    }
    std::int64_t Written() const { return written_; }
    // Puts the complete file in place of the target.
    int Commit() {
        const int closed = ::close(fd_);
        fd_ = -1;
        if (closed != 0 || ::rename(path_.c_str(), target_.c_str()) != 0)
            return ErrnoCode();
        path_.clear();
        return 0;
    }

  private:
    void Discard() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!path_.empty())
            ::unlink(path_.c_str());
    }

    fs::path target_;
    fs::path path_;
    int fd_ = -1;
    std::int64_t written_ = 0;
};

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
        const LocalCopy local = ReadLocalCopy(localPath_);
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
