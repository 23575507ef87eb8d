#include "client/popups/tui_button.h"

#include <QPainter>

#include <filesystem>
#include <string>

#include "client/popups/popup_images.h"
#include "client/popups/popup_style.h"
#include "guibase/color_ref.h"
#include "guibase/dpi_scale.h"
#include "guibase/image_file_reader.h"

namespace zol {
namespace {

QImage ReadPicture(const std::filesystem::path& file) {
    QImage image = ReadImageFile(file);
    if (image.isNull())
        return {};
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

CTUIButton::CTUIButton(int dpi, QWidget* parent)
    : QAbstractButton(parent), dpi_(dpi), backColor_(kPopupBackColor) {
    setFocusPolicy(Qt::NoFocus);
}

bool CTUIButton::LoadSlotImage(std::string_view fileName, int slot) {
    if (slot < 0 || slot >= kSlots)
        return false;
    slots_[static_cast<std::size_t>(slot)] = QImage();
    const std::filesystem::path file = PopupImageFile(fileName);
    QImage picture = ReadPicture(file);
    if (picture.isNull())
        return false;
    // The natural size is the 96-DPI picture's; a double-size copy only
    // supplies the pixels.
    const QSize natural = picture.size();
    if (ScalePixels(natural.width(), dpi_) > natural.width()) {
        std::filesystem::path large = file;
        large.replace_filename(file.stem().string() + "_2x" + file.extension().string());
        QImage sharper = ReadPicture(large);
        if (!sharper.isNull())
            picture = sharper;
    }
    natural_ = QSize(ScalePixels(natural.width(), dpi_), ScalePixels(natural.height(), dpi_));
    slots_[static_cast<std::size_t>(slot)] =
        picture.size() == natural_
            ? picture
            : picture.scaled(natural_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    setFixedSize(natural_);
    update();
    return true;
}

void CTUIButton::ShowSlot(int slot) {
    if (slot < 0 || slot >= kSlots || slot == shown_)
        return;
    shown_ = slot;
    update();
}

bool CTUIButton::SlotLoaded(int slot) const {
    return slot >= 0 && slot < kSlots && !slots_[static_cast<std::size_t>(slot)].isNull();
}

void CTUIButton::SetBackColor(std::uint32_t colorRef) {
    backColor_ = colorRef;
    update();
}

void CTUIButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), FromColorRef(backColor_));
    const QImage& picture = slots_[static_cast<std::size_t>(shown_)];
    if (picture.isNull())
        return;
    painter.setOpacity(isEnabled() ? 1.0 : 128.0 / 255.0);
    painter.drawImage(QPoint(0, 0), picture);
}

}  // namespace zol
