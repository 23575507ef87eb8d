// Readies the fonts an icon tile paints with first, for time that would
// otherwise be spent waiting: finding and opening a font and drawing its
// glyphs is most of the work of a first paint of icons.
//
// Thread-safety: none; the user-interface thread only.
#pragma once

namespace zol {

struct ClientSettings;
struct IconSet;

// The names' font of an icon tile of `set` is opened and its glyphs drawn
// off screen; the set's fonts for state texts are opened.
void WarmUpIconFonts(const IconSet* set, const ClientSettings* settings);

}  // namespace zol
