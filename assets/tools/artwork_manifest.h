// The lists that drive the picture generator: which interface picture comes
// from which SVG source at which size (src/images.txt), and how each state of
// a theme icon is drawn (src/themes/states.txt). Both are plain text, one
// entry per line, fields separated by blanks; a line that starts with '#' is a comment.
#pragma once

#include <istream>
#include <string>
#include <vector>

namespace zol {

struct ImageArtwork {
    std::string name;    // picture name without ".png", e.g. "NavBack"
    std::string source;  // SVG file relative to src/images/
    int width = 0;
    int height = 0;
    std::string colour;  // "colour=#RRGGBB": put in for currentColor, or empty
    std::string label;   // "label=TEXT": put in for the word LABEL, or empty
};

struct IconStateArtwork {
    std::string state;        // file name suffix: "on", "off" or "dim"
    std::string background;   // SVG file relative to src/themes/
    std::string glyphColour;  // "#RRGGBB" put in for the glyph's currentColor
    bool lit = false;         // shows the glyph's "lit" parts, hides "unlit"
};

template <typename Entry>
struct ManifestResult {
    std::vector<Entry> entries;
    std::vector<std::string> errors;  // "line N: ..." for every rejected line
};

ManifestResult<ImageArtwork> ParseImageManifest(std::istream& input);
ManifestResult<IconStateArtwork> ParseStateManifest(std::istream& input);

// "#RRGGBB" with six hexadecimal digits.
bool IsHexColour(const std::string& text);

}  // namespace zol
