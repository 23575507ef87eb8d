#include "client/display/tiles/icon_item_delegate.h"

#include <QPainter>

#include <algorithm>

#include "client/display/tiles/list_plus.h"
#include "client/display/tiles/tile_icons.h"
#include "client/display/zol_client_view.h"
#include "client/model/icon_set.h"
#include "client/model/text_fit.h"
#include "guibase/color_ref.h"
#include "guibase/font_conversion.h"
#include "guibase/windows1252_text.h"

namespace zol {
namespace {

constexpr int kIconTop = 2;           // the picture sits this far below the item's top
constexpr int kFrameExtraWidth = 16;  // the state frame is this much wider than the picture
constexpr int kNameGap = 2;
constexpr int kBandPadding = 4;  // state text band beyond the text, each side
constexpr int kBandRadius = 4;

QColor Colour(std::int32_t colorRef) {
    return FromColorRef(static_cast<std::uint32_t>(colorRef));
}

// The picture with the overlay text drawn centred on it.
QImage WithOverlay(const QImage& picture, const IconItemState& state, int dpi) {
    QImage image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(
        std::clamp(PointsToPixels(state.overlaySize, dpi), 1, std::max(1, image.height())));
    painter.setFont(font);
    painter.setPen(Colour(state.overlayColor));
    painter.drawText(image.rect(), Qt::AlignCenter, FromWindows1252(state.overlayText));
    return image;
}

}  // namespace

IconItemDelegate::IconItemDelegate(CTileIcons& tile, CListPlus& list)
    : QStyledItemDelegate(&list), tile_(tile), list_(list) {}

QSize IconItemDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    return tile_.Spacing();
}

void IconItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const std::int32_t id = index.data(kObjectIdRole).toInt();
    const std::optional<IconItemState> state = tile_.StateOfItem(id);
    if (!state)
        return;
    painter->save();
    const QRect item = option.rect;
    const QSize spacing = tile_.Spacing();
    const IconSet* set = tile_.Icons();
    const IconColours colours = tile_.Colours();
    const bool selected = option.state & (QStyle::State_Selected | QStyle::State_HasFocus);

    int pictureCount = 1;
    int iconSize = 0;
    if (set != nullptr) {
        iconSize = set->cxStandard;
        const ThemeIcon* icon = FindIcon(*set, state->iconName);
        if (icon != nullptr) {
            pictureCount = PictureCount(*icon);
            const ThemePicture& picture = PictureForLevel(*icon, state->level);
            if (picture.Present()) {
                QImage image = *picture.Image();
                if (!state->overlayText.empty())
                    image = WithOverlay(image, *state, tile_.View().ScreenDpi());
                const int x = item.left() + (spacing.width() - image.width()) / 2;
                painter->setOpacity(selected ? 128.0 / 255.0 : 1.0);
                painter->drawImage(QPoint(x, item.top() + kIconTop), image);
                painter->setOpacity(1.0);
            }
        }
        if (pictureCount <= 1) {
            // One picture cannot show suspend or error states: a frame does.
            const int width = iconSize + kFrameExtraWidth;
            const QRect frame(item.left() + (item.width() - width) / 2, item.top(), width - 1,
                              item.height() - 1);
            painter->setPen(Colour(StateFrameColor(*state, tile_.BackColor(), colours)));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(frame);
        }
    }

    const QFont& nameFont = tile_.ItemFont();
    const QFontMetrics nameMetrics(nameFont);
    int textTop = item.top() + kIconTop + iconSize + kNameGap;

    // The state text, in the largest of the set's fonts that fits the room
    // between picture and name (the smallest when none does), on a band of
    // the tile's colour as wide as the picture and as high as the text.
    if (set != nullptr && set->featureType != 0 && set->fontCount > 0) {
        const std::string stateText = StateText(set->featureType, state->level, state->statusText);
        const int room = std::max(0, item.bottom() + 1 - textTop - nameMetrics.height() - kNameGap);
        FittedText fitted = fits_.Fit(*set, stateText, iconSize, room);
        if (fitted.fontIndex < 0 && set->fonts[0]) {
            const QFontMetrics smallest(*set->fonts[0]);
            fitted.fontIndex = 0;
            for (int line = 0; line < fitted.lineCount; ++line) {
                const auto l = static_cast<std::size_t>(line);
                fitted.widths[l] = smallest.horizontalAdvance(FromWindows1252(fitted.lines[l]));
                fitted.heights[l] = smallest.height();
            }
        }
        if (!stateText.empty() && fitted.fontIndex >= 0) {
            int total = 0;
            for (int line = 0; line < fitted.lineCount; ++line)
                total += fitted.heights[static_cast<std::size_t>(line)];
            int widest = 0;
            for (int line = 0; line < fitted.lineCount; ++line)
                widest = std::max(widest, fitted.widths[static_cast<std::size_t>(line)]);
            const int bandWidth =
                std::min(std::max(iconSize, widest + 2 * kBandPadding), spacing.width());
            const QRect band(item.left() + (spacing.width() - bandWidth) / 2, textTop, bandWidth,
                             total);
            painter->setRenderHint(QPainter::Antialiasing, true);
            painter->setPen(Qt::NoPen);
            painter->setBrush(Colour(tile_.BackColor()));
            painter->drawRoundedRect(band, kBandRadius, kBandRadius);
            painter->setBrush(Qt::NoBrush);
            painter->setFont(*set->fonts[static_cast<std::size_t>(fitted.fontIndex)]);
            painter->setPen(Colour(colours.textColor));
            int y = band.top();
            for (int line = 0; line < fitted.lineCount; ++line) {
                const auto l = static_cast<std::size_t>(line);
                const int x = band.left() + (band.width() - fitted.widths[l]) / 2;
                painter->drawText(QRect(x, y, fitted.widths[l], fitted.heights[l]),
                                  Qt::AlignLeft | Qt::AlignTop, FromWindows1252(fitted.lines[l]));
                y += fitted.heights[l];
            }
            textTop = band.bottom() + 1 + kNameGap;
        }
    }

    // The name, in its state colour, centred under the picture; what does
    // not fit the cell is elided.
    const QString name = index.data(Qt::DisplayRole).toString();
    if (!name.isEmpty()) {
        painter->setFont(nameFont);
        const int align = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
        const QRect textRect(item.left() + 2, textTop, item.width() - 4,
                             std::max(0, item.bottom() + 1 - textTop));
        painter->setClipRect(item);
        const QString shown =
            nameMetrics.elidedText(name, Qt::ElideRight, textRect.width() * 2 - 8);
        if (list_.HasBackgroundPicture()) {
            // On a photo a name needs a shadow to be read from a distance.
            painter->setPen(QColor(0, 0, 0, 160));
            painter->drawText(textRect.translated(1, 1), align, shown);
        }
        painter->setPen(Colour(ItemTextColor(*state, pictureCount, colours)));
        painter->drawText(textRect, align, shown);
    }
    painter->restore();
}

}  // namespace zol
