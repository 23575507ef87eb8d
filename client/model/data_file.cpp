#include "client/model/data_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace zol {

namespace fs = std::filesystem;

namespace {

// A file descriptor closed with its owner.
class OwnedFd {
  public:
    explicit OwnedFd(int fd) : fd_(fd) {}
    ~OwnedFd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OwnedFd(const OwnedFd&) = delete;
    OwnedFd& operator=(const OwnedFd&) = delete;
    int Get() const { return fd_; }
    void Reset(int fd) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

  private:
    int fd_;
};

bool HasDriveLetter(std::string_view name) {
    return name.size() >= 2 && name[1] == ':' &&
           ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
}

// The last component of a normalised name, without a drive ("C:boot.ini").
std::string LastComponent(const std::string& normalised) {
    const std::size_t slash = normalised.find_last_of('/');
    std::string last = slash == std::string::npos ? normalised : normalised.substr(slash + 1);
    if (HasDriveLetter(last))
        last.erase(0, 2);
    return last;
}

// The name as a path relative to the working folder, or empty when it names
// no file there.
fs::path ConfinedName(std::string_view name) {
    if (name.find('\0') != std::string_view::npos)
        return {};
    const std::string normalised = NormaliseDataFileName(name);
    const fs::path asGiven(normalised);
    const bool staysBelow =
        !asGiven.is_absolute() && !HasDriveLetter(normalised) &&
        std::none_of(asGiven.begin(), asGiven.end(), [](const fs::path& p) { return p == ".."; });
    fs::path confined = staysBelow ? asGiven : fs::path(LastComponent(normalised));
    const fs::path file = confined.filename();
    if (file.empty() || file == "." || file == "..")
        return {};
    return confined;
}

bool LiesWithin(const fs::path& inner, const fs::path& root) {
    auto [rootEnd, innerAt] = std::mismatch(root.begin(), root.end(), inner.begin(), inner.end());
    return rootEnd == root.end() && innerAt != inner.end();
}

// An existing regular file whose real location, links resolved, lies in
// the (canonical) root.
bool IsFileWithin(const fs::path& p, const fs::path& root) {
    std::error_code ec;
    const fs::path real = fs::canonical(p, ec);
    return !ec && fs::is_regular_file(real, ec) && LiesWithin(real, root);
}

// Creates root/relative (an empty file; an existing one is left alone) with
// its folders, opening every step below the root without following links,
// so nothing is made outside the root whatever links lie in it. A pipe or
// device in the file's place is refused rather than waited on.
bool CreateWithin(const fs::path& root, const fs::path& relative) {
    OwnedFd dir(::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() < 0)
        return false;
    const fs::path file = relative.filename();
    for (const fs::path& folder : relative.parent_path()) {
        if (folder.empty() || folder == ".")
            continue;
        if (::mkdirat(dir.Get(), folder.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
        dir.Reset(
            ::openat(dir.Get(), folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (dir.Get() < 0)
            return false;
    }
    OwnedFd created(::openat(dir.Get(), file.c_str(),
                             O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644));
    struct stat status {};
    return created.Get() >= 0 && ::fstat(created.Get(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

std::string NormaliseDataFileName(std::string_view name) {
    std::string out(name);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

fs::path ResolveDataFile(std::string_view name, const fs::path& workDir) {
    const fs::path relative = ConfinedName(name);
    std::error_code ec;
    const fs::path root = workDir.empty() ? fs::path() : fs::canonical(workDir, ec);
    if (relative.empty() || root.empty() || ec)
        return {};
    for (const fs::path& candidate : {relative, relative.filename()}) {
        if (IsFileWithin(workDir / candidate, root))
            return workDir / candidate;
    }
    return {};
}

fs::path PrepareDataFile(std::string_view name, const fs::path& workDir) {
    if (fs::path found = ResolveDataFile(name, workDir); !found.empty())
        return found;
    const fs::path relative = ConfinedName(name);
    if (relative.empty() || workDir.empty())
        return {};
    std::error_code ec;
    fs::create_directories(workDir, ec);  // the user's own folder
    for (const fs::path& candidate : {relative, relative.filename()}) {
        if (CreateWithin(workDir, candidate))
            return workDir / candidate;
    }
    return {};
}

}  // namespace zol
