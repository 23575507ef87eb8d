// Where the tiles of a display go: quarter cells of the layout theme's cell,
// scaled from the server's reference DPI to the screen's, stretched to the
// view's edges when the tile asks for it, and the whole arrangement centred
// in the view. Wire numbers meet the arithmetic here, so every product is
// taken in 64 bits and clamped.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <vector>

namespace zol {

struct TileRecord;

// No coordinate of the layout goes beyond this, whatever the wire says.
inline constexpr std::int64_t kMaxLayoutCoordinate = 1 << 20;

struct LayoutGrid {
    int cellWidth = 0;  // the layout theme's cell
    int cellHeight = 0;
    int screenDpi = 96;
    int referenceDpi = 96;
};

// The tile's rectangle before centring, in view coordinates; `client` is the
// view's client size (the edges tileStyle 1, 2 and 3 reach for).
QRect TileRectangle(const TileRecord& tile, const LayoutGrid& grid, QSize client);

// The union of `rects`, its right and bottom edges limited to the client's.
QRect ArrangementBounds(const std::vector<QRect>& rects, QSize client);

// Where the centred arrangement puts a tile whose rectangle is `tile`;
// `window` is the view's size. Odd remainders go to the right and bottom.
QPoint CentredPosition(const QRect& tile, const QRect& bounds, QSize window);

}  // namespace zol
