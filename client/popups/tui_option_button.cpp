#include "client/popups/tui_option_button.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

#include "client/popups/popup_images.h"
#include "client/popups/popup_style.h"
#include "guibase/color_ref.h"
#include "guibase/dpi_scale.h"
#include "guibase/image_file_reader.h"

namespace zol {
namespace {

constexpr int kMarkSize = 36;
constexpr int kRowHeight = 56;
constexpr int kRowWidth = 250;

QImage LoadMark(bool chosen, int dpi) {
    const int size = ScalePixels(kMarkSize, dpi);
    const char* name = chosen ? "ModeSelected" : "ModeUnselected";
    QImage picture;
    const std::string base(name);
    // The double-size picture keeps the mark sharp when enlarged.
    if (size > kMarkSize)
        picture = ReadImageFile(PopupImageFile(base + "_2x.png"));
    if (picture.isNull())
        picture = ReadImageFile(PopupImageFile(base + ".png"));
    if (picture.isNull())
        return {};
    return picture.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

CTUIOptionButton::CTUIOptionButton(const QString& name, bool chosen, int dpi, QWidget* parent)
    : QAbstractButton(parent), chosen_(chosen), dpi_(dpi), mark_(LoadMark(chosen, dpi)) {
    setText(name);
    setFocusPolicy(Qt::NoFocus);
    QFont f = font();
    f.setPixelSize(ScalePixels(kButtonTextPixels, dpi));
    f.setBold(chosen);
    setFont(f);
    setMinimumSize(sizeHint());
}

QSize CTUIOptionButton::sizeHint() const {
    const int textWidth = QFontMetrics(font()).horizontalAdvance(text());
    return {std::max(ScalePixels(kRowWidth, dpi_), ScalePixels(kMarkSize + 36, dpi_) + textWidth),
            ScalePixels(kRowHeight, dpi_)};
}

void CTUIOptionButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(0.5);
    const qreal radius = ScalePixels(10, dpi_);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), radius, radius);
    QColor fill = FromColorRef(chosen_ ? kKeyIndicatorOnColor : kEnabledButtonColor);
    if (isDown())
        fill = fill.darker(125);
    painter.fillPath(path, fill);
    const int pad = ScalePixels(10, dpi_);
    const int markSize = ScalePixels(kMarkSize, dpi_);
    if (!mark_.isNull())
        painter.drawImage(QPoint(pad, (height() - markSize) / 2), mark_);
    painter.setPen(FromColorRef(kButtonTextColor));
    // Drawn as plain text: an "&" in a name shows as itself.
    painter.drawText(rect().adjusted(pad * 2 + markSize, 0, -pad, 0),
                     Qt::AlignVCenter | Qt::AlignLeft, text());
}

}  // namespace zol
