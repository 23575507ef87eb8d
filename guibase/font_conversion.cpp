#include "guibase/font_conversion.h"

#include <QFontMetrics>
#include <QFontMetricsF>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "guibase/dpi_scale.h"

namespace zol {
namespace {

int ClampPixels(std::int64_t pixels) {
    return static_cast<int>(std::clamp<std::int64_t>(pixels, -kMaxFontPixels, kMaxFontPixels));
}

}  // namespace

int PointsToPixels(int points, int dpi) {
    if (dpi <= 0)
        dpi = kReferenceDpi;
    return ClampPixels(std::int64_t{points} * dpi / 72);
}

int PointsToFontHeight(int points, int dpi) {
    if (dpi <= 0)
        dpi = kReferenceDpi;
    const std::int64_t product = std::int64_t{points} * dpi;
    const std::int64_t rounded = (std::llabs(product) + 36) / 72;
    return ClampPixels(product < 0 ? -rounded : rounded);
}

QFont WindowsFont(const QString& face, int height, int weight) {
    QFont font(face);
    font.setWeight(weight <= 0 ? QFont::Normal
                               : static_cast<QFont::Weight>(std::min(weight, 1000)));
    const int pixels = ClampPixels(height);
    if (pixels < 0)
        font.setPixelSize(-pixels);
    else if (pixels > 0)
        font = WithCellHeight(font, pixels);
    return font;
}

QFont WithCellHeight(QFont font, int cellPixels) {
    cellPixels = std::clamp(cellPixels, 1, kMaxFontPixels);
    auto cellAt = [&font](int pixelSize) {
        font.setPixelSize(pixelSize);
        return QFontMetrics(font).height();
    };
    // A first guess from the font's proportions, then whole steps to the size.
    font.setPixelSize(100);
    const QFontMetricsF reference(font);
    const qreal cellPerPixel = (reference.ascent() + reference.descent()) / 100.0;
    int size = cellPerPixel > 0 ? static_cast<int>(cellPixels / cellPerPixel) : cellPixels;
    size = std::clamp(size, 1, cellPixels * 2);
    while (size > 1 && cellAt(size) > cellPixels)
        --size;
    while (size < cellPixels * 2 && cellAt(size + 1) <= cellPixels)
        ++size;
    font.setPixelSize(size);
    return font;
}

}  // namespace zol
