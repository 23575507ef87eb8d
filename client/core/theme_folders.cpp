#include "client/core/theme_folders.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "guibase/windows1252_text.h"

namespace zol {

namespace {

constexpr const char* kRequiredThemes[] = {"Theme_36_36", "Theme_54_54", "Theme_110_110"};

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

ThemeFolderList EnumerateThemeFolders(const std::filesystem::path& themeDir) {
    ThemeFolderList list;
    std::error_code ec;
    std::filesystem::directory_iterator it(themeDir, ec);
    if (ec || themeDir.empty())
        return list;
    list.listed = true;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        std::error_code typeError;
        if (!it->is_directory(typeError))
            continue;
        IconSet set;
        set.name = Windows1252FromPath(it->path().filename());
        if (LoadIconSet(set, it->path()) == 0)
            list.sets.push_back(std::move(set));
    }
    std::stable_sort(list.sets.begin(), list.sets.end(), [](const IconSet& a, const IconSet& b) {
        return Lower(a.name) < Lower(b.name);
    });
    return list;
}

std::vector<std::string> MissingThemeMessages(const ThemeFolderList& list) {
    std::vector<std::string> messages;
    if (!list.listed)
        return messages;
    for (const char* required : kRequiredThemes) {
        bool found = std::any_of(list.sets.begin(), list.sets.end(),
                                 [&](const IconSet& set) { return set.name == required; });
        if (!found)
            messages.push_back(std::string("Can't locate ") + required + "!  Check the install");
    }
    return messages;
}

}  // namespace zol
