#include "client/display/tile_geometry.h"

#include <algorithm>

#include "client/model/tile_record.h"

namespace zol {
namespace {

int Clamp(std::int64_t value) {
    return static_cast<int>(
        std::clamp<std::int64_t>(value, -kMaxLayoutCoordinate, kMaxLayoutCoordinate));
}

// The screen's share of the reference DPI, truncated toward zero; equal
// DPIs (or an unknown reference) leave the value as it is.
std::int64_t ScaleDpi(std::int64_t value, const LayoutGrid& grid) {
    if (grid.screenDpi == grid.referenceDpi || grid.referenceDpi <= 0 || grid.screenDpi <= 0)
        return value;
    return value * grid.screenDpi / grid.referenceDpi;
}

}  // namespace

QRect TileRectangle(const TileRecord& tile, const LayoutGrid& grid, QSize client) {
    const std::int64_t qx = grid.cellWidth / 4;
    const std::int64_t qy = grid.cellHeight / 4;
    const int x = Clamp(ScaleDpi(Clamp(tile.gridX * qx), grid));
    const int y = Clamp(ScaleDpi(Clamp(tile.gridY * qy), grid));
    int width = Clamp(ScaleDpi(Clamp(tile.gridWidth * qx), grid));
    int height = Clamp(ScaleDpi(Clamp(tile.gridHeight * qy), grid));
    const bool right = tile.tileStyle == 1 || tile.tileStyle == 3;
    const bool down = tile.tileStyle == 2 || tile.tileStyle == 3;
    if (right && std::int64_t{x} + width < client.width())
        width = client.width() - x;
    if (down && std::int64_t{y} + height < client.height())
        height = client.height() - y;
    return QRect(x, y, width, height);
}

QRect ArrangementBounds(const std::vector<QRect>& rects, QSize client) {
    QRect bounds;
    for (const QRect& r : rects)
        bounds |= r;  // empty rectangles add nothing
    if (bounds.isNull())
        return bounds;
    // Edges as exclusive coordinates, as the layout counts them.
    const int right = std::min(bounds.x() + bounds.width(), client.width());
    const int bottom = std::min(bounds.y() + bounds.height(), client.height());
    return QRect(bounds.x(), bounds.y(), std::max(0, right - bounds.x()),
                 std::max(0, bottom - bounds.y()));
}

QPoint CentredPosition(const QRect& tile, const QRect& bounds, QSize window) {
    const int offsetX = (window.width() - bounds.width()) / 2;
    const int offsetY = (window.height() - bounds.height()) / 2;
    return QPoint(Clamp(std::int64_t{offsetX} + tile.x() - bounds.x()),
                  Clamp(std::int64_t{offsetY} + tile.y() - bounds.y()));
}

}  // namespace zol
