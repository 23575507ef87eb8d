// CTUIButton: the image button of the touch pop-ups. It holds four picture
// slots and shows one of them on its background colour; a disabled button
// draws its picture at half opacity. Its size follows the picture's natural
// size at the screen's DPI.
#pragma once

#include <QAbstractButton>
#include <QImage>

#include <array>
#include <cstdint>
#include <string_view>

namespace zol {

class CTUIButton : public QAbstractButton {
    Q_OBJECT
  public:
    static constexpr int kSlots = 4;

    // `dpi` is the screen's DPI as the frame keeps it; the button only reads it.
    CTUIButton(int dpi, QWidget* parent = nullptr);

    // Loads the picture `fileName` of the images folder into `slot` and sizes
    // the button to it. False (the slot left empty) when it cannot be read.
    // At more than 96 DPI a "<name>_2x.png" beside it is preferred, so the
    // picture stays sharp when enlarged.
    bool LoadSlotImage(std::string_view fileName, int slot);
    void ShowSlot(int slot);
    int ShownSlot() const { return shown_; }
    bool SlotLoaded(int slot) const;
    void SetBackColor(std::uint32_t colorRef);
    std::uint32_t BackColor() const { return backColor_; }

    QSize sizeHint() const override { return natural_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int dpi_;
    std::array<QImage, kSlots> slots_;
    int shown_ = 0;
    std::uint32_t backColor_;
    QSize natural_;
};

}  // namespace zol
