// The theme folders found at start: one IconSet per subfolder of the theme
// folder, and the check that the three themes the displays rely on exist.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "client/model/icon_set.h"
#include "client/model/icon_set_loader.h"

namespace zol {

struct ThemeFolderList {
    bool listed = false;  // false when the theme folder could not be read at all
    IconSetList sets;     // sorted by name without regard to case, each at a fixed address
};

ThemeFolderList EnumerateThemeFolders(const std::filesystem::path& themeDir,
                                      const IconSetOptions& options = {});

// The same in two steps: the sets with their metrics and fonts (the
// user-interface thread), then their pictures (any one thread, while
// nothing else looks at the sets).
ThemeFolderList ListThemeFolders(const std::filesystem::path& themeDir,
                                 const IconSetOptions& options);
void LoadThemePictures(ThemeFolderList& list, const IconSetOptions& options);

// "Can't locate Theme_36_36!  Check the install" and the like, for each of
// the required themes missing from a listed folder, in the required order;
// nothing when the folder could not be listed.
std::vector<std::string> MissingThemeMessages(const ThemeFolderList& list);

}  // namespace zol
