#include "client/display/tiles/tile_fonts.h"

#include <QString>

#include <array>

#include "guibase/font_conversion.h"
#include "guibase/windows1252_text.h"

namespace zol {

namespace {

struct FaceMapping {
    std::string_view face;
    const char* family;
    int weight;  // 0: the weight asked for
};

constexpr std::array<FaceMapping, 6> kFaces{{
    {"Open Sans Regular", "Open Sans", 0},
    {"Open Sans Semi Bold", "Open Sans", 600},
    {"Open Sans Bold", "Open Sans", 700},
    {"Open Sans Light", "Open Sans", 300},
    {"Arial", "Liberation Sans", 0},
    {"Calibri", "Carlito", 0},
}};

}  // namespace

QFont TileFont(std::string_view face, int height, int weight) {
    for (const FaceMapping& mapping : kFaces) {
        if (mapping.face == face) {
            const int shown = mapping.weight != 0 ? std::max(mapping.weight, weight) : weight;
            return WindowsFont(QString::fromLatin1(mapping.family), height, shown);
        }
    }
    return WindowsFont(FromWindows1252(face), height, weight);
}

QFont TileFontInPoints(std::string_view face, int points, int dpi, int weight) {
    return TileFont(face, -PointsToFontHeight(points, dpi), weight);
}

}  // namespace zol
