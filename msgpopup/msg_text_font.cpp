#include "msgpopup/msg_text_font.h"

#include <QFontMetrics>
#include <QFontMetricsF>

#include <algorithm>
#include <cstdint>

namespace zol {

QFont MsgTextFont(int dpi) {
    if (dpi <= 0)
        dpi = 96;
    QFont font(QStringLiteral("Arial"));
    font.setWeight(QFont::Normal);
    return WithCellHeight(font, static_cast<int>(std::int64_t{kMsgTextCellHeight} * dpi / 96));
}

QFont WithCellHeight(QFont font, int cellPixels) {
    cellPixels = std::max(cellPixels, 1);
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
