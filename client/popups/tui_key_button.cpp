#include "client/popups/tui_key_button.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

#include "client/popups/popup_style.h"
#include "guibase/color_ref.h"
#include "guibase/dpi_scale.h"

namespace zol {

CTUIKeyButton::CTUIKeyButton(const QString& caption, int width, int height, int dpi,
                             QWidget* parent)
    : QAbstractButton(parent),
      size_(ScalePixels(std::max(width, kMinTouchTarget), dpi),
            ScalePixels(std::max(height, kMinTouchTarget), dpi)),
      dpi_(dpi),
      face_(kEnabledButtonColor) {
    setText(caption);
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(size_);
    QFont face = font();
    face.setPixelSize(ScalePixels(kButtonTextPixels, dpi));
    face.setBold(true);
    setFont(face);
}

void CTUIKeyButton::SetFaceColor(std::uint32_t colorRef) {
    if (face_ == colorRef)
        return;
    face_ = colorRef;
    update();
}

void CTUIKeyButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(0.5);
    const qreal radius = ScalePixels(10, dpi_);
    const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
    const std::uint32_t face = isCheckable() && isChecked() ? kKeyIndicatorOnColor : face_;
    QColor fill = FromColorRef(isEnabled() ? face : kDisabledButtonColor);
    if (isDown())
        fill = fill.darker(125);
    QPainterPath path;
    path.addRoundedRect(box, radius, radius);
    painter.fillPath(path, fill);
    painter.setPen(QPen(fill.darker(150), ScalePixels(2, dpi_)));
    painter.drawPath(path);
    painter.setPen(FromColorRef(kButtonTextColor));
    const int pad = ScalePixels(6, dpi_);
    painter.drawText(rect().adjusted(pad, pad, -pad, -pad), Qt::AlignCenter | Qt::TextWordWrap,
                     text());
}

}  // namespace zol
