// IconSet and ThemeIcon: one theme folder with the metrics from its
// "theme.txt", the fonts for texts drawn into icons and the icon pictures.
//
// The Windows client kept every picture twice: as a bitmap and in two image
// lists, from which the icons were drawn. Qt paints a premultiplied QImage
// directly (QPainter::drawImage), so a ThemePicture holds that QImage and
// nothing else; there are no image lists. `imageIndex` still numbers the
// pictures of a set in the order the image list held them (off, on, dim,
// icon by icon), which makes a stable key for caches of scaled pictures.
//
// Pictures and fonts are Qt objects held through shared_ptr: the header and
// the set's metrics stay usable in builds without Qt (fuzz, ThreadSanitizer),
// and only the loader, which makes them, needs Qt Gui. A painter may keep a
// shared_ptr to a picture while it draws; a reload never pulls a picture out
// from under it.
//
// Lifetime: the sets live in an IconSetList, each at a fixed address, for the
// life of the program; displays and tiles keep `const IconSet*`. An icon sync
// reloads a set in place and replaces its `icons` and `fonts`, so never keep
// a ThemeIcon (or a font) across anything that may sync: find the icon again
// by name with FindIcon.
//
// Thread-safety: none; the user-interface thread only.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "client/model/record_type.h"

class QFont;
class QImage;

namespace zol {

inline constexpr std::int32_t kMaxIconSetFonts = 8;
inline constexpr std::size_t kMaxThemeFontFaceLength = 63;
// The set that lays a display out unless its entry names another.
inline constexpr std::string_view kDefaultLayoutTheme = "Theme_110_110";

// Where a picture not decoded yet comes from (see theme_picture.h).
struct ThemePictureSource;

// One picture of an icon (its on, off or dim state). A loaded set has read
// only the head of each file (its size); the pixels are decoded when the
// picture is first drawn, as a panel shows few of a theme's pictures.
struct ThemePicture {
    std::int32_t imageIndex = -1;  // -1: the icon has no such picture
    // cxStandard x cyStandard, premultiplied ARGB32; null until Image()
    // decoded it (or when it was made in memory).
    mutable std::shared_ptr<const QImage> picture;
    std::shared_ptr<const ThemePictureSource> source;  // null once decoded
    std::int32_t originalWidth = 0;                    // of the file, before it was fitted
    std::int32_t originalHeight = 0;
    std::string path;

    bool Present() const { return picture != nullptr || source != nullptr; }
    // The picture, decoded on first use; a file that turns out broken then
    // gives a square of the background colour. Null when not Present().
    const std::shared_ptr<const QImage>& Image() const;
};

struct ThemeIcon {
    std::int32_t recordType = kRecordTypeThemeIcon;
    std::string name;
    std::int32_t cxStandard = 0;
    std::int32_t cyStandard = 0;
    ThemePicture on;
    ThemePicture off;  // always present: an icon without it is not loaded
    ThemePicture dim;

    // The picture for a state; a missing on or dim picture falls back to off.
    const ThemePicture& OnOrOff() const { return on.Present() ? on : off; }
    const ThemePicture& DimOrOff() const { return dim.Present() ? dim : off; }
};

struct IconSet {
    std::int32_t recordType = kRecordTypeIconSet;
    std::string name;
    std::int32_t fontCount = 0;                                        // 0 to 8
    std::array<std::shared_ptr<const QFont>, kMaxIconSetFonts> fonts;  // smallest first
    // Both at least 1 once loaded, whatever "theme.txt" says, so that
    // nothing that divides by them can meet a zero.
    std::int32_t cxStandard = 0;
    std::int32_t cyStandard = 0;
    std::int32_t cxCell = 0;  // at least 4 once loaded: a quarter cell is a pixel or more
    std::int32_t cyCell = 0;
    std::int32_t featureType = 0;
    std::string fontFace;
    std::int32_t fontPointMin = 0;
    std::int32_t fontPointMax = 0;
    std::int32_t textStartX = 0;
    std::vector<ThemeIcon> icons;  // sorted by name without regard to case
    std::string folder;
};

// The icon named exactly `name` (letter case counts); when none is, the
// first icon of the set; nullptr only when the set has no icons.
const ThemeIcon* FindIcon(const IconSet& set, std::string_view name);

// Every set at a fixed address: a reload in place keeps the pointers that
// displays and tiles hold.
using IconSetList = std::vector<std::unique_ptr<IconSet>>;

// Inserts `set` before the first set whose name is greater without regard
// to case (so a set of an equal name goes after the existing ones); returns
// the set where it now lives.
IconSet& InsertIconSet(IconSetList& sets, std::unique_ptr<IconSet> set);

// Finds a loaded icon set by name, ignoring case; nullptr when there is none.
// The sets it returns must outlive the displays that point at them.
using IconSetLookup = std::function<const IconSet*(std::string_view name)>;

// The set of `sets` named `name` ignoring case, or nullptr.
const IconSet* FindIconSet(const IconSetList& sets, std::string_view name);
const IconSet* FindIconSet(const std::vector<IconSet>& sets, std::string_view name);

}  // namespace zol
