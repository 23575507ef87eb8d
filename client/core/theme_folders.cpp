#include "client/core/theme_folders.h"

#include <algorithm>
#include <system_error>

#include "guibase/windows1252_text.h"

namespace zol {

namespace {

constexpr const char* kRequiredThemes[] = {"Theme_36_36", "Theme_54_54", "Theme_110_110"};

}  // namespace

ThemeFolderList EnumerateThemeFolders(const std::filesystem::path& themeDir,
                                      const IconSetOptions& options) {
    ThemeFolderList list = ListThemeFolders(themeDir, options);
    LoadThemePictures(list, options);
    return list;
}

void LoadThemePictures(ThemeFolderList& list, const IconSetOptions& options) {
    for (const auto& set : list.sets)
        LoadIconSetPictures(*set, options);
}

ThemeFolderList ListThemeFolders(const std::filesystem::path& themeDir,
                                 const IconSetOptions& options) {
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
        auto set = std::make_unique<IconSet>();
        set->name = Windows1252FromPath(it->path().filename());
        LoadIconSetMetrics(*set, it->path(), options);
        InsertIconSet(list.sets, std::move(set));
    }
    return list;
}

std::vector<std::string> MissingThemeMessages(const ThemeFolderList& list) {
    std::vector<std::string> messages;
    if (!list.listed)
        return messages;
    for (const char* required : kRequiredThemes) {
        bool found = std::any_of(list.sets.begin(), list.sets.end(),
                                 [&](const auto& set) { return set->name == required; });
        if (!found)
            messages.push_back(std::string("Can't locate ") + required + "!  Check the install");
    }
    return messages;
}

}  // namespace zol
