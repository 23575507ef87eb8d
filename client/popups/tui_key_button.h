// CTUIKeyButton: a captioned touch key (keypad keys, rocker halves, load and
// program buttons, the control panel's commands). Its face colour shows an
// indicator or the enabled state; a disabled key is drawn at half opacity.
#pragma once

#include <QAbstractButton>

#include <cstdint>

namespace zol {

class CTUIKeyButton : public QAbstractButton {
    Q_OBJECT
  public:
    // `width` x `height` are pixels at 96 DPI, scaled to `dpi`.
    CTUIKeyButton(const QString& caption, int width, int height, int dpi,
                  QWidget* parent = nullptr);

    void SetFaceColor(std::uint32_t colorRef);
    std::uint32_t FaceColor() const { return face_; }

    QSize sizeHint() const override { return size_; }
    QSize minimumSizeHint() const override { return size_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QSize size_;
    int dpi_;
    std::uint32_t face_;
};

}  // namespace zol
