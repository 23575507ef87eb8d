#include "client/model/pending_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace zol {

namespace {

int ErrnoCode() {
    return errno != 0 ? errno : EIO;
}

}  // namespace

int PendingFile::Create() {
    std::string pattern = target_.string() + ".XXXXXX";
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0)
        return ErrnoCode();
    path_ = pattern;
    ::fchmod(fd_, 0644);
    return 0;
}

int PendingFile::Write(const std::string& bytes) {
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

int PendingFile::Commit() {
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0 || ::rename(path_.c_str(), target_.c_str()) != 0)
        return ErrnoCode();
    path_.clear();
    return 0;
}

void PendingFile::Discard() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!path_.empty())
        ::unlink(path_.c_str());
}

FileByteSum ReadFileByteSum(const std::filesystem::path& path) {
    FileByteSum sum;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return sum;
    char buffer[65536];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0) {
        sum.size += got;
        for (ssize_t i = 0; i < got; ++i)
            sum.byteSum += static_cast<unsigned char>(buffer[i]);
    }
    ::close(fd);
    return sum;
}

}  // namespace zol
