#include "client/display/tiles/icon_font_warm_up.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>

#include "client/display/tiles/tile_icons.h"
#include "client/model/icon_set.h"

namespace zol {

namespace {

// What names and state texts are mostly made of.
constexpr QLatin1StringView kSample(
    "0123456789% ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz .-()");

void WarmUp(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString sample(kSample);
    QImage image(metrics.horizontalAdvance(sample) + 1, metrics.height() + 1,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(0, metrics.ascent(), sample);
}

}  // namespace

void WarmUpIconFonts(const IconSet* set, const ClientSettings* settings) {
    WarmUp(CTileIcons::ItemFontFor(QApplication::font("QListView"), set, settings));
    if (set != nullptr && set->fontCount > 0) {
        const auto& largest =
            set->fonts[static_cast<std::size_t>(std::min(set->fontCount, kMaxIconSetFonts) - 1)];
        if (largest)
            WarmUp(*largest);
    }
}

}  // namespace zol
