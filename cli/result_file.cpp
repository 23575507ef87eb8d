#include "cli/result_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace zol {

bool ResultFile::Write(std::string_view text) const {
    if (path_.empty())
        return false;
    // Not O_TRUNC: the file is emptied only once the lock is ours, so a
    // writer holding it keeps its bytes.
    int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0644);
    if (fd < 0)
        return false;
    bool ok = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::ftruncate(fd, 0) == 0;
    while (ok && !text.empty()) {
        ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ok;
}

}  // namespace zol
