// Readies the fonts an icon tile paints with first, for time that would
// otherwise be spent waiting: finding and opening a font and drawing its
// glyphs is most of the work of a first paint of icons.
//
// Thread-safety: none; the user-interface thread only.
#pragma once

namespace zol {

struct ClientSettings;
struct IconSet;

// The names' font of an icon tile of `set` and the set's largest font (the
// one short state texts are shown in) are measured and drawn off screen.
void WarmUpIconFonts(const IconSet* set, const ClientSettings* settings);

}  // namespace zol
