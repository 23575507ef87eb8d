// Reading an IconSet's metrics from its theme folder.
//
// The icons themselves, the fonts for texts drawn into icons and the image
// lists arrive with the themes-and-icon-sync work; until then a set carries
// its metrics, which the view needs for its grid.
#pragma once

#include <filesystem>

#include "client/model/icon_set.h"

namespace zol {

// Fills `set` from "theme.txt" in `folder`; missing keys (or a missing file)
// leave the defaults. Always succeeds, as the original does.
int LoadIconSet(IconSet& set, const std::filesystem::path& folder);

}  // namespace zol
