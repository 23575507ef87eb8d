// Fonts as Windows describes them, made into QFonts at a screen's DPI.
//
// A Windows font height is in pixels: a negative height is the character
// height (Qt's pixel size), a positive one the cell height (ascent plus
// descent), 0 the face's default. Point sizes become heights with the DPI;
// two formulas are in use, and each caller names the one it needs.
#pragma once

#include <QFont>
#include <QString>

namespace zol {

// Fonts stay below this many pixels, whatever a setting or the wire asks for.
inline constexpr int kMaxFontPixels = 2000;

// trunc(points * dpi / 72) (96 dpi when unknown): the plain conversion.
int PointsToPixels(int points, int dpi);

// points * dpi / 72 rounded to the nearest, halves away from zero, as
// Windows' MulDiv(points, dpi, 72) gives it (96 dpi when unknown).
int PointsToFontHeight(int points, int dpi);

// `face` at the Windows `height` and `weight` (400 normal, 700 bold; 0 or
// less means normal).
QFont WindowsFont(const QString& face, int height, int weight = 400);

// `font` at the largest pixel size whose cell height is at most
// `cellPixels` (fonts come in whole pixel sizes, so an exact cell height is
// not always to be had). Needs a QGuiApplication for the font metrics.
QFont WithCellHeight(QFont font, int cellPixels);

}  // namespace zol
