// CTUIOptionButton: a touch row for one choice (a home mode, a schedule):
// the chosen or not-chosen mark and the choice's name, the whole row
// pressable.
#pragma once

#include <QAbstractButton>
#include <QImage>

namespace zol {

class CTUIOptionButton : public QAbstractButton {
    Q_OBJECT
  public:
    CTUIOptionButton(const QString& name, bool chosen, int dpi, QWidget* parent = nullptr);

    bool Chosen() const { return chosen_; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool chosen_;
    int dpi_;
    QImage mark_;
};

}  // namespace zol
