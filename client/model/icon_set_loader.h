// Loading an IconSet from its theme folder: the metrics of "theme.txt", the
// fonts for texts drawn into icons, and the icons with their pictures.
#pragma once

#include <cstdint>
#include <filesystem>

#include "client/model/icon_set.h"

namespace zol {

// What a load takes from the program around it.
struct IconSetOptions {
    int dpi = 96;                       // the main frame's screen DPI
    std::uint32_t backgroundColor = 0;  // the "BackgroundColor" setting, 0x00BBGGRR
};

// Bounds that keep a broken or hostile "theme.txt" (an icon sync copies it
// like any file) from dividing by zero or claiming all memory later.
inline constexpr std::int32_t kMaxThemeIconSide = 512;
inline constexpr std::int32_t kMinThemeCell = 4;
inline constexpr std::int32_t kMaxThemeCell = 4096;
inline constexpr std::int32_t kMaxThemeFontPoints = 400;
inline constexpr std::size_t kMaxThemeIcons = 5000;
inline constexpr std::int64_t kMaxIconSetPictureBytes = std::int64_t{256} << 20;

// Fills `set` from `folder`: first it drops what an earlier load made (its
// icons and fonts), then reads "theme.txt" (missing keys, or a missing file,
// give the defaults), makes the fonts and loads the icons. Always 0: missing
// or unreadable pictures only mean fewer icons.
int LoadIconSet(IconSet& set, const std::filesystem::path& folder,
                const IconSetOptions& options = {});

// The two halves of LoadIconSet. The first drops what an earlier load made
// and reads "theme.txt" and makes the fonts (Qt fonts: the user-interface
// thread); the second loads the icons from the set's folder. The pictures
// touch nothing but `set.icons`, so another thread may load them while
// nothing else looks at the set.
void LoadIconSetMetrics(IconSet& set, const std::filesystem::path& folder,
                        const IconSetOptions& options);
void LoadIconSetPictures(IconSet& set, const IconSetOptions& options);

// Loads the set again from its own folder, in place: pointers to the set
// stay valid, its icons and fonts are new.
int ReloadIconSet(IconSet& set, const IconSetOptions& options);

}  // namespace zol
