// Dialog units to pixels for a dialog font, the way dialog templates are
// mapped: a horizontal unit is a quarter of the font's average character
// width, a vertical unit an eighth of its height.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRect>

namespace zol {

class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font) {
        const QFontMetrics metrics(font);
        // The average width over the 52 letters, rounded, as the system does.
        const int letters = metrics.horizontalAdvance(
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
        baseX_ = (letters / 26 + 1) / 2;
        baseY_ = metrics.height();
        if (baseX_ <= 0)
            baseX_ = 1;
        if (baseY_ <= 0)
            baseY_ = 1;
    }

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
