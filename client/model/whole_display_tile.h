// The one tile the client makes for a display that the server does not lay
// out in tiles: it fills the whole view with the display's kind of content.
#pragma once

#include <cstdint>
#include <string>

#include "client/model/display_record.h"

namespace zol {

// Font of the text of a text display.
inline constexpr const char* kTextDisplayFontFace = "Open Sans Light";

// The tile for `display` (of a kind other than tiled), coloured with the
// "BackgroundColor" and "TextColor" settings; a text display's tile shows
// `text`. A kind without content of its own gets a blank tile.
TileRecord MakeWholeDisplayTile(const DisplayRecord& display, std::int32_t backgroundColor,
                                std::int32_t textColor, const std::string& text);

}  // namespace zol
