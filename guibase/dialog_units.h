// Dialog units to pixels for a dialog font, the way dialog templates are
// mapped: a horizontal unit is a quarter of the font's average character
// width, a vertical unit an eighth of its height.
#pragma once

#include <QFont>
#include <QRect>

namespace zol {

class DialogUnits {
  public:
    // Needs a QGuiApplication for the font metrics.
    explicit DialogUnits(const QFont& font);

    int X(int units) const { return units * baseX_ / 4; }
    int Y(int units) const { return units * baseY_ / 8; }
    QRect ToPixels(const QRect& units) const {
        return QRect(X(units.x()), Y(units.y()), X(units.width()), Y(units.height()));
    }

  private:
    int baseX_ = 1;
    int baseY_ = 1;
};

}  // namespace zol
