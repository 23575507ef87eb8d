#include "client/popups/ctui_button.h"

#include <QPainter>

#include "client/core/interface_picture.h"
#include "guibase/dpi_scale.h"

namespace zol {

CTUIButton::CTUIButton(int dpi, QWidget* parent) : QAbstractButton(parent), dpi_(dpi) {
    setFocusPolicy(Qt::NoFocus);
}

bool CTUIButton::LoadSlotImage(const char* fileName, int slot) {
    if (slot < 0 || slot >= static_cast<int>(slots_.size()))
        return false;
    QPixmap picture = LoadInterfacePicture(fileName);
    slots_[static_cast<std::size_t>(slot)] = picture;
    if (picture.isNull())
        return false;
    natural_ = QSize(ScalePixels(picture.width(), dpi_), ScalePixels(picture.height(), dpi_));
    setFixedSize(natural_);
    update();
    return true;
}

void CTUIButton::ShowSlot(int slot) {
    if (slot < 0 || slot >= static_cast<int>(slots_.size()) || slot == shown_)
        return;
    shown_ = slot;
    update();
}

void CTUIButton::SetBackground(const QColor& color) {
    if (color == background_)
        return;
    background_ = color;
    update();
}

QSize CTUIButton::sizeHint() const {
    return natural_.isValid() ? natural_ : QSize(ScalePixels(48, dpi_), ScalePixels(48, dpi_));
}

void CTUIButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (background_.isValid())
        painter.fillRect(rect(), background_);
    const QPixmap& picture = slots_[static_cast<std::size_t>(shown_)];
    if (picture.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setOpacity(isEnabled() ? 1.0 : 128.0 / 255.0);
    if (isDown())
        painter.setOpacity(painter.opacity() * 0.7);
    painter.drawPixmap(QRect(QPoint(0, 0), natural_.isValid() ? natural_ : size()), picture);
}

}  // namespace zol
