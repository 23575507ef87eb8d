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

// Finds and opens the font: the most of its first use.
void Open(const QFont& font) {
    QFontMetrics(font).horizontalAdvance(QStringLiteral("On"));
}

// Opens the font and draws its glyphs for the sample.
void Draw(const QFont& font) {
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
    // Every item's name is drawn in this one.
    Draw(CTileIcons::ItemFontFor(QApplication::font("QListView"), set, settings));
    if (set == nullptr)
        return;
    // A state text takes the largest font that fits the room under the
    // picture, which the tile's spacing decides: each may be tried, one is
    // drawn in (a few glyphs).
    for (int i = 0; i < std::min(set->fontCount, kMaxIconSetFonts); ++i) {
        if (const auto& font = set->fonts[static_cast<std::size_t>(i)])
            Open(*font);
    }
}

}  // namespace zol
