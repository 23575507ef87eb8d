#include "client/model/data_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <system_error>

namespace zol {

namespace fs = std::filesystem;

namespace {

bool IsExistingFile(const fs::path& p) {
    std::error_code ec;
    return !p.empty() && fs::is_regular_file(p, ec);
}

bool ClimbsOut(const fs::path& relative) {
    return std::any_of(relative.begin(), relative.end(),
                       [](const fs::path& part) { return part == ".."; });
}

std::string LastComponent(const std::string& normalised) {
    std::size_t slash = normalised.find_last_of('/');
    return slash == std::string::npos ? normalised : normalised.substr(slash + 1);
}

// workDir/relative, or empty when the name cannot lie under workDir.
fs::path UnderWorkDir(const fs::path& workDir, const std::string& relative) {
    if (workDir.empty() || relative.empty())
        return {};
    fs::path rel(relative);
    if (rel.is_absolute() || ClimbsOut(rel))
        return {};
    return workDir / rel;
}

// Creates the file when it does not exist; an existing file is left alone.
bool CreateFile(const fs::path& p) {
    if (p.empty() || !p.has_filename())
        return false;
    int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool CreateParentsAndFile(const fs::path& p) {
    if (p.empty())
        return false;
    std::error_code ec;
    if (p.has_parent_path())
        fs::create_directories(p.parent_path(), ec);
    return CreateFile(p);
}

}  // namespace

std::string NormaliseDataFileName(std::string_view name) {
    std::string out(name);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

fs::path ResolveDataFile(std::string_view name, const fs::path& workDir) {
    const std::string normalised = NormaliseDataFileName(name);
    if (normalised.empty())
        return {};
    const fs::path asGiven(normalised);
    if (asGiven.is_absolute() && IsExistingFile(asGiven))
        return asGiven;
    if (fs::path p = UnderWorkDir(workDir, normalised); IsExistingFile(p))
        return p;
    if (fs::path p = UnderWorkDir(workDir, LastComponent(normalised)); IsExistingFile(p))
        return p;
    return {};
}

fs::path PrepareDataFile(std::string_view name, const fs::path& workDir) {
    if (fs::path found = ResolveDataFile(name, workDir); !found.empty())
        return found;
    const std::string normalised = NormaliseDataFileName(name);
    const fs::path underWork = UnderWorkDir(workDir, normalised);
    if (CreateFile(underWork))
        return underWork;
    if (CreateParentsAndFile(underWork))
        return underWork;
    // The name itself only when it is absolute: a relative one would land in
    // whatever folder the program happened to start in.
    const fs::path asGiven(normalised);
    if (asGiven.is_absolute() && CreateParentsAndFile(asGiven))
        return asGiven;
    return UnderWorkDir(workDir, LastComponent(normalised));
}

}  // namespace zol
