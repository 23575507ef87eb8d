// IconSet: one theme folder with the metrics from its "theme.txt".
//
// The icons themselves, the fonts for texts drawn into icons and the image
// lists arrive with the themes-and-icon-sync work; until then a set carries
// its metrics, which the view needs for its grid.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace zol {

inline constexpr std::int32_t kRecordTypeIconSet = 2;
inline constexpr std::int32_t kMaxIconSetFonts = 8;
inline constexpr std::size_t kMaxThemeFontFaceLength = 63;

struct IconSet {
    std::int32_t recordType = kRecordTypeIconSet;
    std::string name;
    std::int32_t fontCount = 0;
    std::int32_t cxStandard = 0;
    std::int32_t cyStandard = 0;
    std::int32_t cxCell = 0;
    std::int32_t cyCell = 0;
    std::int32_t featureType = 0;
    std::string fontFace;
    std::int32_t fontPointMin = 0;
    std::int32_t fontPointMax = 0;
    std::int32_t textStartX = 0;
    std::string folder;
};

// Fills `set` from "theme.txt" in `folder`; missing keys (or a missing file)
// leave the defaults. Always succeeds, as the original does.
int LoadIconSet(IconSet& set, const std::filesystem::path& folder);

}  // namespace zol
