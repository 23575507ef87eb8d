// The faces the tiles name, as the fonts this system ships: "Open Sans
// Regular", "Open Sans Semi Bold", "Open Sans Bold" and "Open Sans Light"
// are Open Sans at that weight, "Arial" is Liberation Sans and "Calibri" is
// Carlito (the same metrics). Other faces are asked for as they are named.
#pragma once

#include <QFont>

#include <string_view>

namespace zol {

// `face` at the Windows `height` (negative: character height) and `weight`.
QFont TileFont(std::string_view face, int height, int weight);
// `face` at `points` as a character height at `dpi`.
QFont TileFontInPoints(std::string_view face, int points, int dpi, int weight);

}  // namespace zol
