// Regenerates the committed pictures from their sources: the interface
// pictures listed in src/images.txt into images/, and every glyph of
// src/themes/glyphs/ in every state of src/themes/states.txt into each theme
// folder of themes/ at that theme's standard size. PNG files that no source
// produces any more are removed, so the folders always mirror the sources.
#pragma once

#include <filesystem>
#include <ostream>

namespace zol {

// `assetsDir` is the assets/ folder (holding src/, images/ and themes/).
// Reports each problem on `log` and returns the number of problems.
int GenerateInterfacePictures(const std::filesystem::path& assetsDir, std::ostream& log);
int GenerateThemeIcons(const std::filesystem::path& assetsDir, std::ostream& log);

}  // namespace zol
