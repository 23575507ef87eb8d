// CTUIButton: the touch interface's picture button. It holds up to four
// pictures ("slots") and shows one, drawn over its background colour, half
// transparent when disabled. Its size is the picture's natural size scaled
// by the dpi.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

#include <array>

namespace zol {

class CTUIButton : public QAbstractButton {
    Q_OBJECT
  public:
    CTUIButton(int dpi, QWidget* parent = nullptr);

    // Loads an interface picture into a slot (0 to 3); false leaves it empty.
    bool LoadSlotImage(const char* fileName, int slot);
    void ShowSlot(int slot);
    int ShownSlot() const { return shown_; }
    void SetBackground(const QColor& color);
    QColor Background() const { return background_; }

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int dpi_;
    std::array<QPixmap, 4> slots_;
    int shown_ = 0;
    QColor background_;
    QSize natural_;
};

}  // namespace zol
