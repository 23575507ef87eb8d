#include "client/model/html_page_location.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <system_error>

#include "client/model/display_record.h"

namespace zol {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kUnsafeNameCharacters = "<>:/\\|?*";

// Makes the file when it is missing; an existing one is left as it is.
bool MakeFileKeepingContent(const fs::path& path) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

// The display's page path below `workDir`, or empty when it names no file.
fs::path ConfinedPagePath(const DisplayRecord& display, const fs::path& workDir) {
    std::string name = display.htmlPath;
    std::replace(name.begin(), name.end(), '\\', '/');
    const fs::path given(name);
    const bool climbs =
        std::any_of(given.begin(), given.end(), [](const fs::path& part) { return part == ".."; });
    const std::string first = given.begin() != given.end() ? given.begin()->string() : "";
    const bool driveLetter = first.find(':') != std::string::npos;
    const std::string fileName = given.filename().string();
    if (fileName.empty() || fileName == "." || fileName == "..")
        return {};
    if (given.is_absolute() || climbs || driveLetter)
        return workDir / HtmlFolderName(display.name) / fileName;
    return workDir / given;
}

}  // namespace

std::string HtmlFolderName(std::string_view displayName) {
    std::string name(displayName.substr(0, kMaxHtmlFolderNameLength));
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 0x20 ||
            kUnsafeNameCharacters.find(c) != std::string_view::npos)
            c = '_';
    }
    if (std::all_of(name.begin(), name.end(), [](char c) { return c == '.'; }))
        std::fill(name.begin(), name.end(), '_');
    return name.empty() ? "_" : name;
}

fs::path PrepareHtmlPage(const DisplayRecord& display, const fs::path& workDir) {
    if (workDir.empty())
        return {};
    if (!display.htmlPath.empty()) {
        const fs::path page = ConfinedPagePath(display, workDir);
        if (!page.empty() && MakeFileKeepingContent(page))
            return page;
    }
    const std::string folder = HtmlFolderName(display.name);
    const fs::path page = workDir / folder / (folder + ".html");
    return MakeFileKeepingContent(page) ? page : fs::path();
}

}  // namespace zol
