// IconSet: one theme folder with the metrics from its "theme.txt". Displays
// refer to the sets they are laid out with; the sets themselves live in the
// application's theme list for the life of the process.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "client/model/record_type.h"

namespace zol {

inline constexpr std::int32_t kMaxIconSetFonts = 8;
inline constexpr std::size_t kMaxThemeFontFaceLength = 63;
// The set that lays a display out unless its entry names another.
inline constexpr std::string_view kDefaultLayoutTheme = "Theme_110_110";

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

// Finds a loaded icon set by name, ignoring case; nullptr when there is none.
// The sets it returns must outlive the displays that point at them.
using IconSetLookup = std::function<const IconSet*(std::string_view name)>;

// The set of `sets` named `name` ignoring case, or nullptr.
const IconSet* FindIconSet(const std::vector<IconSet>& sets, std::string_view name);

}  // namespace zol
