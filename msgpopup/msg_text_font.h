// zolmsg's text font: Arial of height 24 at 96 dpi. Windows takes a positive
// font height as the cell height (ascent + descent), not the character
// height, so the font is sized by its cell.
#pragma once

#include <QFont>

namespace zol {

inline constexpr int kMsgTextCellHeight = 24;  // pixels at 96 dpi

// The message font for a screen of `dpi` dots per inch (96 when unknown):
// its cell is trunc(24 * dpi / 96) pixels high.
QFont MsgTextFont(int dpi);

// `font` at the largest pixel size whose cell height is at most
// `cellPixels` (fonts come in whole pixel sizes, so an exact cell height is
// not always to be had).
QFont WithCellHeight(QFont font, int cellPixels);

}  // namespace zol
