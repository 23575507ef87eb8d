#include "client/display/icon_set.h"

#include <algorithm>

#include "client/display/profile_file.h"

namespace zol {

int LoadIconSet(IconSet& set, const std::filesystem::path& folder) {
    const ProfileFile theme = ProfileFile::Load(folder / "theme.txt");
    set.cxStandard = theme.GetInt("Metrics", "cxStandard", 0);
    set.cyStandard = theme.GetInt("Metrics", "cyStandard", 0);
    set.cxCell = theme.GetInt("Metrics", "cxCell", 0);
    set.cyCell = theme.GetInt("Metrics", "cyCell", 0);
    set.featureType = theme.GetInt("Feature", "type", 0);
    set.fontFace = theme.GetString("Feature", "Font", "Calibri", kMaxThemeFontFaceLength);
    set.fontPointMin = theme.GetInt("Feature", "FontPointMin", 12);
    set.fontPointMax = theme.GetInt("Feature", "FontPointMax", 48);
    set.textStartX = theme.GetInt("Feature", "TextStartX", 0);
    set.fontCount = 0;
    if (set.featureType != 0 && set.fontPointMax >= set.fontPointMin) {
        const std::int64_t span = std::int64_t{set.fontPointMax} - set.fontPointMin + 1;
        set.fontCount = static_cast<std::int32_t>(std::min<std::int64_t>(span, kMaxIconSetFonts));
    }
    set.folder = folder.string();
    return 0;
}

}  // namespace zol
