// CLevelSlider: the touch slider for a load's level (0-100, ticks of 10,
// page 10) with its "off", "25%", "50%", "75%", "on" labels. It reports a
// level once per user action: a drag when the finger lifts, a tap or a page
// step when it happens. Positions the program sets report nothing, and a
// refresh never moves the thumb from under a finger.
#pragma once

#include <QWidget>

#include <vector>

class QLabel;
class QSlider;

namespace zol {

class CLevelSlider : public QWidget {
    Q_OBJECT
  public:
    CLevelSlider(int dpi, QWidget* parent = nullptr);

    // Shows `level` unless the person holds the thumb.
    void ShowLevel(int level);
    int Position() const;
    QSlider* Slider() const { return slider_; }

  signals:
    void LevelChosen(int level);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    int dpi_;
    QSlider* slider_;
    std::vector<QLabel*> labels_;
};

}  // namespace zol
