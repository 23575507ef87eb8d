#include "guibase/dialog_units.h"

#include <QFontMetrics>

#include <algorithm>

namespace zol {

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width over the 52 letters, rounded, as the system does.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = std::max((letters / 26 + 1) / 2, 1);
    baseY_ = std::max(metrics.height(), 1);
}

}  // namespace zol
